// Overrides of the stage tables that are not safe or complete are refused.
#include "velkor/network/constants.h"

#include <gtest/gtest.h>

namespace velkor {
namespace {

ServerTable loopbackTable(const std::string& base) {
  return {{"LOGIC", base}, {"LOGIC_LIST", base}, {"POSTBACK", base}, {"CONTACT", base + "/help_requests/new"},
          {"LUMBERJACK", base + "/topics/ofw_lumberjack"}};
}

TEST(Constants, OverridesThatAreNotSafeOrCompleteAreRefused) {
  auto withEntry = [](std::string kind, std::optional<std::string> address) {
    ServerTable table = loopbackTable("http://127.0.0.1:1");
    if (address) table[kind] = *address;
    else table.erase(kind);
    return Constants::everyStage(table);
  };
  struct Case {
    std::string name;
    StageTables tables;
    bool accepted;
  };
  const std::vector<Case> cases = {
      {"loopback http", withEntry("LOGIC", "http://127.3.2.1:80"), true},
      {"IPv6 loopback", withEntry("LOGIC", "http://[::1]:8080"), true},
      {"https anywhere", withEntry("LOGIC", "https://api.velkor.example"), true},
      {"plain http to another host", withEntry("LOGIC", "http://api.velkor.example"), false},
      {"a host that only starts like loopback", withEntry("LOGIC", "http://127.0.0.1.example"), false},
      {"not a URL", withEntry("LOGIC", "https://a b"), false},
      {"a missing kind", withEntry("POSTBACK", std::nullopt), false},
      {"an unknown kind", withEntry("LOGICS", "https://a.example"), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto result = Constants::setServerTablesForTesting(c.tables);
    EXPECT_EQ(result.ok(), c.accepted) << (result.ok() ? "" : result.error().description());
  }
  for (const char* text : {"[]", "{\"7\": {}}", "{\"LOGIC\": 1}", "not json", "{\"1\": \"https://a.example\"}"}) {
    EXPECT_FALSE(Constants::parseServerTables(text).ok()) << text;
  }
  ASSERT_TRUE(Constants::setServerTablesForTesting(std::nullopt).ok());
}

}  // namespace
}  // namespace velkor
