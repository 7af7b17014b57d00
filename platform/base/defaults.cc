#include "platform/base/defaults.h"

#include <fcntl.h>
#include <locale.h>
#include <sqlite3.h>
#include <stdio.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <system_error>
#include <utility>

#include "platform/base/log.h"
#include "platform/base/utf16.h"

namespace base {
namespace {

using Values = std::map<std::string, nlohmann::json, std::less<>>;
namespace fs = std::filesystem;

constexpr const char* kCreateTable =
    "CREATE TABLE IF NOT EXISTS defaults (key TEXT PRIMARY KEY NOT NULL, value TEXT NOT NULL)";
// SQLite's companions of a database file; they belong to it and travel with it when it is set aside.
constexpr const char* kCompanions[] = {"-wal", "-shm", "-journal"};

void logFailure(std::string_view message) { logError("Defaults: " + std::string(message)); }

// Runs one statement with text parameters; SQLITE_DONE or SQLITE_ROW on success.
int run(sqlite3* db, const char* sql, std::initializer_list<std::string_view> params = {}) {
  sqlite3_stmt* statement = nullptr;
  int rc = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
  int index = 1;
  for (std::string_view param : params) {
    if (rc != SQLITE_OK) break;
    rc = sqlite3_bind_text(statement, index++, param.data(), static_cast<int>(param.size()), SQLITE_TRANSIENT);
  }
  if (rc == SQLITE_OK) rc = sqlite3_step(statement);
  sqlite3_finalize(statement);
  return rc;
}

std::string columnText(sqlite3_stmt* statement, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
  return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, column))) : "";
}

// SQLITE_OK when SQLite finds the file sound, SQLITE_CORRUPT when it finds damage.
int quickCheck(sqlite3* db) {
  sqlite3_stmt* statement = nullptr;
  int rc = sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &statement, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_step(statement);
  if (rc == SQLITE_ROW) rc = columnText(statement, 0) == "ok" ? SQLITE_OK : SQLITE_CORRUPT;
  sqlite3_finalize(statement);
  return rc;
}

int readValues(sqlite3* db, const fs::path& path, Values& values) {
  sqlite3_stmt* statement = nullptr;
  int rc = sqlite3_prepare_v2(db, "SELECT key, value FROM defaults", -1, &statement, nullptr);
  while (rc == SQLITE_OK || rc == SQLITE_ROW) {
    rc = sqlite3_step(statement);
    if (rc != SQLITE_ROW) break;
    std::string key = columnText(statement, 0);
    nlohmann::json value = nlohmann::json::parse(columnText(statement, 1), nullptr, false);
    // One bad row should not cost the others: skip it and keep it in the file.
    if (value.is_discarded()) {
      logFailure("ignoring the unreadable value under \"" + key + "\" in " + path.string());
      continue;
    }
    values.insert_or_assign(std::move(key), std::move(value));
  }
  sqlite3_finalize(statement);
  return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

struct Loaded {
  sqlite3* db = nullptr;
  Values values;
  int rc = SQLITE_OK;
  std::string message;
};

// Opens the file and reads every value; on failure the connection is closed and rc tells why.
Loaded load(const fs::path& path) {
  Loaded loaded;
  loaded.rc = sqlite3_open_v2(path.c_str(), &loaded.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (loaded.rc == SQLITE_OK) {
    sqlite3_busy_timeout(loaded.db, 2000);
    loaded.rc = quickCheck(loaded.db);
  }
  if (loaded.rc == SQLITE_OK) loaded.rc = sqlite3_exec(loaded.db, kCreateTable, nullptr, nullptr, nullptr);
  if (loaded.rc == SQLITE_OK) loaded.rc = readValues(loaded.db, path, loaded.values);
  // Only once the file proved to be ours: a file set aside stays exactly as it was found.
  // WAL with full sync: a commit is on disk when it returns, at one sync per write.
  if (loaded.rc == SQLITE_OK) loaded.rc = sqlite3_exec(loaded.db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
  if (loaded.rc == SQLITE_OK) loaded.rc = sqlite3_exec(loaded.db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
  if (loaded.rc != SQLITE_OK) {
    loaded.message = loaded.db ? sqlite3_errmsg(loaded.db) : sqlite3_errstr(loaded.rc);
    if (loaded.rc == SQLITE_CORRUPT) loaded.message = "the file failed SQLite's integrity check";
    sqlite3_close_v2(loaded.db);
    loaded.db = nullptr;
    loaded.values.clear();
  }
  return loaded;
}

// Failures of the moment (another process holds the file, memory ran out) say nothing about the file.
bool isTransient(int rc) {
  int primary = rc & 0xff;
  return primary == SQLITE_BUSY || primary == SQLITE_LOCKED || primary == SQLITE_NOMEM ||
         primary == SQLITE_INTERRUPT;
}

std::string utcStamp() {
  // The real calendar time: the name is for a person looking at the folder, not for the SDK's clock.
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  gmtime_r(&now, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &parts);
  return text;
}

fs::path withSuffix(const fs::path& path, std::string_view suffix) {
  return fs::path(path.string() + std::string(suffix));
}

bool pathTaken(const fs::path& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

// Renames without ever replacing a file already at `to`.
bool renameNoReplace(const fs::path& from, const fs::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // File systems without the flag: check, then rename; the folder is ours, so the gap is harmless.
  if (pathTaken(to)) {
    errno = EEXIST;
    return false;
  }
  return ::rename(from.c_str(), to.c_str()) == 0;
}

// Moves the file and its companions to one free "<name>.corrupt-<stamp>[-N]" name; the new name,
// or nothing when the file could not be moved.
std::optional<fs::path> moveAside(const fs::path& path) {
  std::string stamp = ".corrupt-" + utcStamp();
  for (int attempt = 0; attempt < 1000; ++attempt) {
    std::string suffix = attempt == 0 ? stamp : stamp + "-" + std::to_string(attempt);
    fs::path target = withSuffix(path, suffix);
    bool taken = pathTaken(target);
    for (const char* companion : kCompanions) taken = taken || pathTaken(withSuffix(target, companion));
    if (taken) continue;
    if (!renameNoReplace(path, target)) {
      if (errno == EEXIST) continue;
      return std::nullopt;
    }
    for (const char* companion : kCompanions) {
      fs::path from = withSuffix(path, companion);
      if (pathTaken(from) && !renameNoReplace(from, withSuffix(target, companion))) {
        logFailure("could not move " + from.string() + " aside: " + std::strerror(errno));
      }
    }
    return target;
  }
  return std::nullopt;
}

// Opens the file, setting aside one that cannot serve as our store; nothing when no file is usable.
std::optional<Loaded> loadOrSetAside(const fs::path& path) {
  Loaded loaded = load(path);
  if (loaded.rc == SQLITE_OK) return loaded;
  std::string reason = path.string() + " could not be used (" + loaded.message + ")";
  if (isTransient(loaded.rc) || !pathTaken(path)) {
    logFailure(reason + "; keeping values in memory for this run");
    return std::nullopt;
  }
  std::optional<fs::path> aside = moveAside(path);
  if (!aside) {
    logFailure(reason + " nor moved aside (" + std::strerror(errno) + "); keeping values in memory for this run");
    return std::nullopt;
  }
  logFailure(reason + "; moved it to " + aside->string() + " and started an empty store");
  loaded = load(path);
  if (loaded.rc == SQLITE_OK) return loaded;
  logFailure("a new store at " + path.string() + " could not be made (" + loaded.message +
             "); keeping values in memory for this run");
  return std::nullopt;
}

// Text of a stored number, as the platform prints one: "3", "2.5", "1e+21".
std::string numberText(const nlohmann::json& value) {
  if (value.is_number_unsigned()) return std::to_string(value.get<std::uint64_t>());
  if (value.is_number_integer()) return std::to_string(value.get<std::int64_t>());
  char text[32];
  auto result = std::to_chars(text, text + sizeof text, value.get<double>());
  return std::string(text, result.ptr);
}

std::int64_t truncated(double value) {
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  if (value >= kLimit) return std::numeric_limits<std::int64_t>::max();
  if (value < -kLimit) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(value);
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

std::size_t skipBlanks(const std::string& text, std::size_t at = 0) {
  while (at < text.size() && isBlank(text[at])) ++at;
  return at;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The leading decimal integer of a text, saturating; 0 when there is none.
std::int64_t leadingInteger(const std::string& text) {
  return std::strtoll(text.c_str() + skipBlanks(text), nullptr, 10);
}

// Length of the decimal number at the start of a text: sign, digits, fraction, exponent.
std::size_t decimalLength(std::string_view text) {
  std::size_t at = 0;
  auto digits = [&] {
    std::size_t start = at;
    while (at < text.size() && isDigit(text[at])) ++at;
    return at > start;
  };
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  bool whole = digits();
  bool fraction = at < text.size() && text[at] == '.' && (++at, digits());
  if (!whole && !fraction) return 0;
  std::size_t mantissa = at;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    if (!digits()) at = mantissa;
  }
  return at;
}

// The leading decimal number of a text (no hex, infinities or NaN); 0 when there is none.
double leadingDouble(const std::string& text) {
  std::size_t start = skipBlanks(text);
  std::string number = text.substr(start, decimalLength(std::string_view(text).substr(start)));
  if (number.empty()) return 0;
  // Not the process locale's decimal separator: stored texts are written with ".".
  static locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
  return strtod_l(number.c_str(), nullptr, cLocale);
}

bool leadingBool(const std::string& text) {
  std::size_t at = skipBlanks(text);
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  while (at < text.size() && text[at] == '0') ++at;
  if (at >= text.size()) return false;
  char c = text[at];
  return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

struct StandardSlot {
  std::mutex mutex;
  std::shared_ptr<Defaults> defaults;
};

StandardSlot& standardSlot() {
  static auto* slot = new StandardSlot;
  return *slot;
}

}  // namespace

Defaults::Defaults(fs::path path, sqlite3* db, Values values)
    : path_(std::move(path)), db_(db), values_(std::move(values)) {}

Defaults::~Defaults() { sqlite3_close_v2(db_); }

std::shared_ptr<Defaults> Defaults::standard() {
  StandardSlot& slot = standardSlot();
  std::lock_guard lock(slot.mutex);
  if (!slot.defaults) {
    fs::path path = defaultPath();
    if (path.empty()) logFailure("neither XDG_DATA_HOME nor HOME is set; keeping values in memory for this run");
    slot.defaults = path.empty() ? inMemory() : open(path);
  }
  return slot.defaults;
}

void Defaults::setStandard(std::shared_ptr<Defaults> defaults) {
  StandardSlot& slot = standardSlot();
  std::lock_guard lock(slot.mutex);
  slot.defaults = std::move(defaults);
}

fs::path Defaults::defaultPath() {
  fs::path base;
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  // A relative XDG_DATA_HOME is invalid and ignored, as the base-directory rules say.
  if (dataHome && fs::path(dataHome).is_absolute()) {
    base = dataHome;
  } else if (home && *home) {
    base = fs::path(home) / ".local" / "share";
  } else {
    return {};
  }
  return base / "velkor" / "defaults.sqlite";
}

std::shared_ptr<Defaults> Defaults::open(const fs::path& path) {
  if (path.empty()) {
    logFailure("no file named; keeping values in memory for this run");
    return inMemory();
  }
  std::error_code ec;
  if (path.has_parent_path()) fs::create_directories(path.parent_path(), ec);
  if (ec) {
    logFailure("could not make the folder of " + path.string() + " (" + ec.message() +
               "); keeping values in memory for this run");
    return inMemory();
  }
  std::optional<Loaded> loaded = loadOrSetAside(path);
  if (!loaded) return inMemory();
  return std::shared_ptr<Defaults>(new Defaults(path, loaded->db, std::move(loaded->values)));
}

std::shared_ptr<Defaults> Defaults::inMemory() {
  return std::shared_ptr<Defaults>(new Defaults({}, nullptr, {}));
}

void Defaults::write(std::string_view key, nlohmann::json value) {
  std::lock_guard lock(mutex_);
  if (db_) {
    std::string text = value.dump();
    int rc = run(db_, "INSERT OR REPLACE INTO defaults (key, value) VALUES (?1, ?2)", {key, text});
    if (rc != SQLITE_DONE) {
      logFailure("could not store \"" + std::string(key) + "\" in " + path_.string() + ": " + sqlite3_errmsg(db_));
    }
  }
  values_.insert_or_assign(std::string(key), std::move(value));
}

void Defaults::setString(std::string_view key, std::string_view value) {
  // Made well-formed first, so that the value read back now is the one read after a restart.
  write(key, toUtf8(toUtf16(value)));
}

void Defaults::setInteger(std::string_view key, std::int64_t value) { write(key, value); }

void Defaults::setDouble(std::string_view key, double value) {
  if (!std::isfinite(value)) {
    logFailure("refusing to store a non-finite number under \"" + std::string(key) + "\"");
    return;
  }
  write(key, value);
}

void Defaults::setBool(std::string_view key, bool value) { write(key, value); }

void Defaults::removeObject(std::string_view key) {
  std::lock_guard lock(mutex_);
  if (db_ && run(db_, "DELETE FROM defaults WHERE key = ?1", {key}) != SQLITE_DONE) {
    logFailure("could not remove \"" + std::string(key) + "\" from " + path_.string() + ": " + sqlite3_errmsg(db_));
  }
  if (auto found = values_.find(key); found != values_.end()) values_.erase(found);
}

std::optional<nlohmann::json> Defaults::object(std::string_view key) const {
  std::lock_guard lock(mutex_);
  auto found = values_.find(key);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> Defaults::string(std::string_view key) const {
  std::optional<nlohmann::json> value = object(key);
  if (!value) return std::nullopt;
  if (value->is_string()) return value->get<std::string>();
  if (value->is_boolean()) return value->get<bool>() ? "1" : "0";
  if (value->is_number()) return numberText(*value);
  return std::nullopt;
}

std::int64_t Defaults::integer(std::string_view key) const {
  std::optional<nlohmann::json> value = object(key);
  if (!value) return 0;
  if (value->is_number_unsigned()) return truncated(static_cast<double>(value->get<std::uint64_t>()));
  if (value->is_number_integer()) return value->get<std::int64_t>();
  if (value->is_number_float()) return truncated(value->get<double>());
  if (value->is_boolean()) return value->get<bool>() ? 1 : 0;
  if (value->is_string()) return leadingInteger(value->get_ref<const std::string&>());
  return 0;
}

double Defaults::doubleValue(std::string_view key) const {
  std::optional<nlohmann::json> value = object(key);
  if (!value) return 0;
  if (value->is_number()) return value->get<double>();
  if (value->is_boolean()) return value->get<bool>() ? 1 : 0;
  if (value->is_string()) return leadingDouble(value->get_ref<const std::string&>());
  return 0;
}

bool Defaults::boolValue(std::string_view key) const {
  std::optional<nlohmann::json> value = object(key);
  if (!value) return false;
  if (value->is_boolean()) return value->get<bool>();
  if (value->is_number()) return value->get<double>() != 0;
  if (value->is_string()) return leadingBool(value->get_ref<const std::string&>());
  return false;
}

}  // namespace base
