// Where every server of the SDK lives, per server stage: one table of addresses per stage (0 mock,
// 1 development, 2 staging, 3 production; any other stage reads as production), and the getters
// that pick the entry of the current stage. The REST clients build their routes from these.
//
// The built-in tables point at our own https hosts. Tests and the sample app point the SDK at other
// servers (the local ad server on loopback) with an override: tables installed before the first
// address is read (installServerTables, or the JSON file named by the environment variable
// VELKOR_SERVER_TABLE, read at that first read), or replaced later through the test hook, after which
// the caller changes the stage so that both clients rebuild their routes. Only an override may use
// plain http, and only for a loopback host.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/result.h"

namespace velkor {

// Server kind key -> absolute address.
using ServerTable = std::map<std::string, std::string>;
// The tables of stages 0, 1, 2 and 3, in that order.
using StageTables = std::array<ServerTable, 4>;

class Constants {
 public:
  static constexpr const char* logicKey = "LOGIC";             // ad detail, actions, share links
  static constexpr const char* logicListKey = "LOGIC_LIST";    // ad list, placements, tags, banners, popups
  static constexpr const char* postbackKey = "POSTBACK";       // postbacks
  static constexpr const char* contactKey = "CONTACT";         // the help page, a full address
  static constexpr const char* lumberjackKey = "LUMBERJACK";   // usage events, a full address
  static constexpr const char* serverTableVariable = "VELKOR_SERVER_TABLE";

  // The built-in tables. Stages 0 and 1 differ only in their ad-list server; stage 2 sends its usage
  // events to the production collector.
  static const ServerTable& mockServers();
  static const ServerTable& devServers();
  static const ServerTable& stgServers();
  static const ServerTable& prodServers();
  static ServerTable makeDevServerTable(std::string logicList);

  // The entry of the current stage's table; empty for a key no table holds.
  static std::string serverURL(std::string_view key);
  static std::string logicURL() { return serverURL(logicKey); }
  static std::string logicListURL() { return serverURL(logicListKey); }
  static std::string postbackURL() { return serverURL(postbackKey); }
  static std::string lumberjackURL() { return serverURL(lumberjackKey); }
  // The publisher module's help address when it gives one (an empty one too), else the stage's.
  static std::string contactURL();

  // The stage is the facade's; it installs how to read it. Production (3) until then.
  static void setStageSource(std::function<int()> source);
  static int stage();

  // Replaces the built-in tables for the whole process. Refused (with the reason) once an address
  // has been read, or when a table is not valid: each needs exactly the five keys, each entry an
  // absolute https address, or http to a loopback host (127.0.0.0/8, localhost, [::1]).
  static base::Result<void> installServerTables(StageTables tables);
  // For tests: replaces the tables at any time (nullopt: back to the built-in ones). The routes
  // follow at the next stage change.
  static base::Result<void> setServerTablesForTesting(std::optional<StageTables> tables);
  // The override file's form: either one table (an object of the five kind keys) for every stage, or
  // an object of stage keys "0" to "3", each a table; a stage it leaves out keeps the built-in table.
  static base::Result<StageTables> parseServerTables(std::string_view json);
  static StageTables everyStage(const ServerTable& table);
};

}  // namespace velkor
