#include "platform/base/bundle.h"

#include <utility>

#include "platform/base/log.h"

namespace base {

Bundle::Bundle(nlohmann::json info) { setInfoDictionary(std::move(info)); }

Bundle& Bundle::main() {
  static auto* bundle = new Bundle;
  return *bundle;
}

nlohmann::json Bundle::infoDictionary() const {
  std::lock_guard lock(mutex_);
  return info_;
}

std::optional<nlohmann::json> Bundle::object(std::string_view forInfoDictionaryKey) const {
  std::lock_guard lock(mutex_);
  auto found = info_.find(forInfoDictionaryKey);
  if (found == info_.end()) return std::nullopt;
  return *found;
}

std::optional<std::string> Bundle::bundleIdentifier() const {
  std::optional<nlohmann::json> identifier = object("CFBundleIdentifier");
  if (!identifier || !identifier->is_string()) return std::nullopt;
  return identifier->get<std::string>();
}

bool Bundle::setInfoDictionary(nlohmann::json info) {
  if (!info.is_object()) {
    logError(std::string("Bundle: an information dictionary must be a JSON object, not ") + info.type_name());
    return false;
  }
  std::lock_guard lock(mutex_);
  info_ = std::move(info);
  return true;
}

void Bundle::setObject(std::string key, nlohmann::json value) {
  std::lock_guard lock(mutex_);
  info_[std::move(key)] = std::move(value);
}

void Bundle::removeObject(std::string_view key) {
  std::lock_guard lock(mutex_);
  if (auto found = info_.find(key); found != info_.end()) info_.erase(found);
}

}  // namespace base
