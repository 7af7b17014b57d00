#include "platform/ui/pasteboard.h"

namespace ui {

Pasteboard& Pasteboard::general() {
  static auto* pasteboard = new Pasteboard;
  return *pasteboard;
}

std::optional<std::string> Pasteboard::string() const {
  std::lock_guard lock(mutex_);
  return string_;
}

void Pasteboard::setString(std::optional<std::string> string) {
  std::lock_guard lock(mutex_);
  string_ = std::move(string);
}

bool Pasteboard::hasStrings() const {
  std::lock_guard lock(mutex_);
  return string_.has_value();
}

}  // namespace ui
