#include "velkor/network/constants.h"

#include <cstdlib>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>

#include "platform/base/json_value.h"
#include "platform/base/log.h"
#include "platform/base/url.h"
#include "velkor/core/pub_app_module.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {
namespace {

constexpr std::array<const char*, 5> kKinds = {Constants::logicKey, Constants::logicListKey, Constants::postbackKey,
                                               Constants::contactKey, Constants::lumberjackKey};
constexpr const char* kOverrideDomain = "velkor.ServerTable";
constexpr int kProductionStage = 3;

ServerTable makeTable(std::string logic, std::string logicList, std::string postback, std::string web,
                      std::string tracker) {
  return {
      {Constants::logicKey, std::move(logic)},
      {Constants::logicListKey, std::move(logicList)},
      {Constants::postbackKey, std::move(postback)},
      {Constants::contactKey, std::move(web) + "/help_requests/new?headless=true"},
      {Constants::lumberjackKey, std::move(tracker) + "/topics/ofw_lumberjack"},
  };
}

const std::string& productionTracker() {
  static const std::string tracker = "https://log.velkor.example";
  return tracker;
}

base::Error overrideError(std::string message) { return base::Error{kOverrideDomain, 1, std::move(message)}; }

bool isLoopback(const std::string& host) {
  if (host == "localhost" || host == "::1" || host == "[::1]") return true;
  // 127.0.0.0/8 written as four decimal parts.
  if (!host.starts_with("127.")) return false;
  int dots = 0;
  for (char c : host) {
    if (c == '.') ++dots;
    else if (c < '0' || c > '9') return false;
  }
  return dots == 3;
}

std::optional<std::string> addressProblem(const std::string& address) {
  auto url = base::Url::parse(address);
  if (!url || !url->scheme()) return "\"" + address + "\" is not an absolute URL";
  auto host = url->host().value_or("");
  if (host.empty()) return "\"" + address + "\" has no host";
  if (*url->scheme() == "https") return std::nullopt;
  if (*url->scheme() == "http" && isLoopback(host)) return std::nullopt;
  return "\"" + address + "\" must be https (plain http only to a loopback host)";
}

base::Result<void> validate(const StageTables& tables) {
  for (std::size_t stage = 0; stage < tables.size(); ++stage) {
    const ServerTable& table = tables[stage];
    const std::string where = "stage " + std::to_string(stage) + ": ";
    if (table.size() != kKinds.size()) return overrideError(where + "a table needs exactly the five server kinds");
    for (const char* kind : kKinds) {
      auto entry = table.find(kind);
      if (entry == table.end()) return overrideError(where + "no address for " + kind);
      if (auto problem = addressProblem(entry->second)) return overrideError(where + *problem);
    }
  }
  return {};
}

StageTables builtInTables() {
  return {Constants::mockServers(), Constants::devServers(), Constants::stgServers(), Constants::prodServers()};
}

base::Result<ServerTable> parseTable(const nlohmann::json& value) {
  if (!value.is_object()) return overrideError("a table must be an object of server kinds");
  ServerTable table;
  for (const auto& [kind, address] : value.items()) {
    if (!address.is_string()) return overrideError("the address of " + kind + " must be text");
    table[kind] = address.get<std::string>();
  }
  return table;
}

// The tables in force and whether an address was read from them yet.
struct TableState {
  std::mutex mutex;
  std::shared_ptr<const StageTables> tables;
  bool inUse = false;
};

TableState& tableState() {
  static TableState* state = new TableState();
  return *state;
}

base::Result<StageTables> readOverrideFile(const char* path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return overrideError(std::string("cannot read ") + path);
  std::stringstream text;
  text << file.rdbuf();
  return Constants::parseServerTables(text.str());
}

// The environment's override when it names a valid file, else the built-in tables.
std::shared_ptr<const StageTables> initialTables() {
  const char* path = std::getenv(Constants::serverTableVariable);
  if (path && *path) {
    auto tables = readOverrideFile(path);
    auto valid = tables ? validate(*tables) : base::Result<void>(tables.error());
    if (valid) return std::make_shared<const StageTables>(std::move(tables).value());
    base::logError(std::string(Constants::serverTableVariable) + " ignored: " + valid.error().description());
  }
  return std::make_shared<const StageTables>(builtInTables());
}

std::shared_ptr<const StageTables> tablesInUse() {
  TableState& state = tableState();
  std::lock_guard lock(state.mutex);
  if (!state.tables) state.tables = initialTables();
  state.inUse = true;
  return state.tables;
}

struct StageSource {
  std::mutex mutex;
  std::function<int()> source;
};

StageSource& stageSource() {
  static StageSource* source = new StageSource();
  return *source;
}

}  // namespace

ServerTable Constants::makeDevServerTable(std::string logicList) {
  return makeTable("https://api.dev.velkor.example", std::move(logicList), "https://postback.dev.velkor.example",
                   "https://www.dev.velkor.example", "https://log.dev.velkor.example");
}

const ServerTable& Constants::mockServers() {
  static const ServerTable table = makeDevServerTable("https://mock-api.dev.velkor.example");
  return table;
}

const ServerTable& Constants::devServers() {
  static const ServerTable table = makeDevServerTable("https://list-api.dev.velkor.example");
  return table;
}

const ServerTable& Constants::stgServers() {
  static const ServerTable table =
      makeTable("https://api.stg.velkor.example", "https://list-api.stg.velkor.example",
                "https://postback.stg.velkor.example", "https://www.stg.velkor.example", productionTracker());
  return table;
}

const ServerTable& Constants::prodServers() {
  static const ServerTable table = makeTable("https://api.velkor.example", "https://list-api.velkor.example",
                                             "https://postback.velkor.example", "https://www.velkor.example",
                                             productionTracker());
  return table;
}

std::string Constants::serverURL(std::string_view key) {
  const int current = stage();
  const std::size_t index = current >= 0 && current < kProductionStage ? current : kProductionStage;
  auto tables = tablesInUse();
  const ServerTable& table = (*tables)[index];
  auto entry = table.find(std::string(key));
  return entry == table.end() ? std::string() : entry->second;
}

std::string Constants::contactURL() {
  if (auto module = VelkorInternal::shared().pubAppModule()) {
    if (auto custom = module->customSupportURL()) return *custom;
  }
  return serverURL(contactKey);
}

void Constants::setStageSource(std::function<int()> source) {
  StageSource& state = stageSource();
  std::lock_guard lock(state.mutex);
  state.source = std::move(source);
}

int Constants::stage() {
  std::function<int()> source;
  {
    StageSource& state = stageSource();
    std::lock_guard lock(state.mutex);
    source = state.source;
  }
  return source ? source() : kProductionStage;
}

base::Result<void> Constants::installServerTables(StageTables tables) {
  if (auto valid = validate(tables); !valid) return valid;
  TableState& state = tableState();
  std::lock_guard lock(state.mutex);
  if (state.inUse) return overrideError("the server tables are in use already; install them before the first request");
  state.tables = std::make_shared<const StageTables>(std::move(tables));
  return {};
}

base::Result<void> Constants::setServerTablesForTesting(std::optional<StageTables> tables) {
  if (tables) {
    if (auto valid = validate(*tables); !valid) return valid;
  }
  auto replacement = std::make_shared<const StageTables>(tables ? std::move(*tables) : builtInTables());
  TableState& state = tableState();
  std::lock_guard lock(state.mutex);
  state.tables = std::move(replacement);
  return {};
}

base::Result<StageTables> Constants::parseServerTables(std::string_view json) {
  auto value = base::parseJson(json);
  if (!value) return overrideError("not JSON: " + value.error().description());
  if (!value->is_object()) return overrideError("the server tables must be a JSON object");
  if (value->contains(logicKey)) {
    auto table = parseTable(*value);
    if (!table) return table.error();
    return everyStage(*table);
  }
  StageTables tables = builtInTables();
  for (const auto& [stageKey, tableValue] : value->items()) {
    if (stageKey.size() != 1 || stageKey[0] < '0' || stageKey[0] > '3') {
      return overrideError("\"" + stageKey + "\" is neither a server kind nor a stage from 0 to 3");
    }
    auto table = parseTable(tableValue);
    if (!table) return table.error();
    tables[stageKey[0] - '0'] = std::move(table).value();
  }
  return tables;
}

StageTables Constants::everyStage(const ServerTable& table) { return {table, table, table, table}; }

}  // namespace velkor
