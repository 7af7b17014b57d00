// The user defaults: small named values that outlive the process, kept in one SQLite table of
// key -> JSON value text and cached in memory. Safe to use from any thread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

struct sqlite3;

namespace base {

class Defaults {
 public:
  // The process-wide store. Unless the host or a test installed another, it is the file
  // defaultPath(), opened on first use.
  static std::shared_ptr<Defaults> standard();
  // Installs the store standard() answers; nullptr goes back to the default file at the next use.
  static void setStandard(std::shared_ptr<Defaults> defaults);
  // $XDG_DATA_HOME (when absolute, else ~/.local/share) / velkor / defaults.sqlite; empty when
  // neither is known.
  static std::filesystem::path defaultPath();

  // A store backed by the file at `path`, created with its folders when missing. A file that is
  // not a readable store of ours is renamed "<name>.corrupt-<UTC time>[-N]" (never over another
  // file) and a new one is started. When no file can be used at all, the store lives in memory
  // for this process. Either way the failure is logged and the store is usable.
  static std::shared_ptr<Defaults> open(const std::filesystem::path& path);
  // A store that lives in memory only, for tests and for hosts that want nothing on disk.
  static std::shared_ptr<Defaults> inMemory();

  ~Defaults();
  Defaults(const Defaults&) = delete;
  Defaults& operator=(const Defaults&) = delete;

  // Each write is committed to the file before it returns. A write that the file refuses is
  // logged and still answers reads for the rest of the process.
  void setString(std::string_view key, std::string_view value);
  void setInteger(std::string_view key, std::int64_t value);
  // NaN and infinities have no stored form: they are refused with a log line.
  void setDouble(std::string_view key, double value);
  void setBool(std::string_view key, bool value);
  void removeObject(std::string_view key);

  // The stored value, or nothing when the key is absent.
  std::optional<nlohmann::json> object(std::string_view key) const;

  // Reads across types, as the platform's user defaults answer them:
  // - string: a string as is; a number as its text ("3", "2.5"; a bool as "1" or "0"); else nothing.
  // - integer: a number truncated toward zero (saturating); a bool 1 or 0; a string by its leading
  //   integer (" -12abc" -> -12, "3.9" -> 3); anything else, and absence, 0.
  // - doubleValue: a number or bool as a double; a string by its leading decimal number
  //   ("2.5e3x" -> 2500); anything else 0.
  // - boolValue: a number is true when non-zero; a string is true when, after blanks, a sign and
  //   leading zeros, it starts with Y, y, T, t or a digit 1-9 ("YES", "true", "1"); else false.
  std::optional<std::string> string(std::string_view key) const;
  std::int64_t integer(std::string_view key) const;
  double doubleValue(std::string_view key) const;
  bool boolValue(std::string_view key) const;

  // Where the values are kept; empty for a store in memory.
  const std::filesystem::path& path() const { return path_; }

 private:
  Defaults(std::filesystem::path path, sqlite3* db, std::map<std::string, nlohmann::json, std::less<>> values);
  void write(std::string_view key, nlohmann::json value);

  const std::filesystem::path path_;
  mutable std::mutex mutex_;
  sqlite3* db_;
  std::map<std::string, nlohmann::json, std::less<>> values_;
};

}  // namespace base
