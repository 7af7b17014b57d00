// The system pasteboard, as far as the SDK uses it: the general pasteboard's string. The host (or a
// test) reads what the SDK copied. Safe to use from any thread.
#pragma once

#include <mutex>
#include <optional>
#include <string>

namespace ui {

class Pasteboard {
 public:
  static Pasteboard& general();

  Pasteboard(const Pasteboard&) = delete;
  Pasteboard& operator=(const Pasteboard&) = delete;

  // None when nothing (or no text) was copied.
  std::optional<std::string> string() const;
  // None clears the pasteboard.
  void setString(std::optional<std::string> string);
  bool hasStrings() const;

 private:
  Pasteboard() = default;
  mutable std::mutex mutex_;
  std::optional<std::string> string_;
};

}  // namespace ui
