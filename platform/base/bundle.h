// The app's bundle as the SDK sees it: an information dictionary of JSON values that the host app
// sets at start-up (identifier, version, display name). Safe to read and set from any thread.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace base {

class Bundle {
 public:
  // An empty information dictionary.
  Bundle() = default;
  // `info` must be an object; anything else leaves the dictionary empty and is logged.
  explicit Bundle(nlohmann::json info);
  Bundle(const Bundle&) = delete;
  Bundle& operator=(const Bundle&) = delete;

  // The host app's bundle, empty until the host fills it.
  static Bundle& main();

  // A copy of the whole dictionary, always an object.
  nlohmann::json infoDictionary() const;
  // The entry under `key` whatever its type; nothing when there is no such entry, so a present
  // null or number is told apart from an absent entry.
  std::optional<nlohmann::json> object(std::string_view forInfoDictionaryKey) const;
  // "CFBundleIdentifier" when it is text.
  std::optional<std::string> bundleIdentifier() const;

  // Replaces the whole dictionary; false (and logged, nothing changed) unless `info` is an object.
  bool setInfoDictionary(nlohmann::json info);
  // Sets one entry; a null value is stored as a present null, removeObject takes an entry away.
  void setObject(std::string key, nlohmann::json value);
  void removeObject(std::string_view key);

 private:
  mutable std::mutex mutex_;
  nlohmann::json info_ = nlohmann::json::object();
};

}  // namespace base
