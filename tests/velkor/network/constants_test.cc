// The stage tables and their override: which server each stage reaches, and which overrides are
// refused.
#include "velkor/network/constants.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "platform/base/url.h"
#include "tests/velkor/core/scoped_core_state.h"
#include "velkor/core/pub_app_module.h"

namespace velkor {
namespace {

class StageScope {
 public:
  explicit StageScope(int stage) { Constants::setStageSource([stage] { return stage; }); }
  ~StageScope() { Constants::setStageSource(nullptr); }
};

ServerTable loopbackTable(const std::string& base) {
  return {{"LOGIC", base},
          {"LOGIC_LIST", base},
          {"POSTBACK", base},
          {"CONTACT", base + "/help_requests/new?headless=true"},
          {"LUMBERJACK", base + "/topics/ofw_lumberjack"}};
}

TEST(Constants, BuiltInTablesReachOurOwnHttpsServersPerStage) {
  for (const ServerTable* table :
       {&Constants::mockServers(), &Constants::devServers(), &Constants::stgServers(), &Constants::prodServers()}) {
    ASSERT_EQ(table->size(), 5u);
    for (const auto& [kind, address] : *table) {
      SCOPED_TRACE(address);
      auto url = base::Url::parse(address);
      ASSERT_TRUE(url);
      EXPECT_EQ(url->scheme(), "https");
      EXPECT_TRUE(url->host()->ends_with(".example"));
      EXPECT_FALSE(address.ends_with("/"));
    }
  }
}

TEST(Constants, GettersFollowTheCurrentStageAndOtherStagesReadAsProduction) {
  testing::ScopedCoreState core;
  ASSERT_TRUE(Constants::setServerTablesForTesting(std::nullopt).ok());
  struct Case {
    int stage;
    const ServerTable& table;
  };
  const Case cases[] = {{0, Constants::mockServers()}, {1, Constants::devServers()}, {2, Constants::stgServers()},
                        {3, Constants::prodServers()}, {4, Constants::prodServers()}, {-1, Constants::prodServers()}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stage);
    StageScope stage(c.stage);
    EXPECT_EQ(Constants::logicURL(), c.table.at("LOGIC"));
    EXPECT_EQ(Constants::logicListURL(), c.table.at("LOGIC_LIST"));
    EXPECT_EQ(Constants::postbackURL(), c.table.at("POSTBACK"));
    EXPECT_EQ(Constants::lumberjackURL(), c.table.at("LUMBERJACK"));
    EXPECT_EQ(Constants::contactURL(), c.table.at("CONTACT"));
  }
  EXPECT_EQ(Constants::stage(), 3);
  EXPECT_EQ(Constants::serverURL("NO_SUCH_KIND"), "");
}

class SupportModule : public PubAppModule {
 public:
  explicit SupportModule(std::optional<std::string> url) : url_(std::move(url)) {}
  std::optional<std::string> customSupportURL() const override { return url_; }

 private:
  std::optional<std::string> url_;
};

TEST(Constants, ContactUrlIsThePublishersWhenItGivesOne) {
  testing::ScopedCoreState core;
  const std::string stageContact = Constants::serverURL(Constants::contactKey);
  VelkorInternal::shared().setPubAppModule(std::make_shared<SupportModule>(""));
  EXPECT_EQ(Constants::contactURL(), "");
  VelkorInternal::shared().setPubAppModule(std::make_shared<SupportModule>("https://help.publisher.example"));
  EXPECT_EQ(Constants::contactURL(), "https://help.publisher.example");
  VelkorInternal::shared().setPubAppModule(std::make_shared<SupportModule>(std::nullopt));
  EXPECT_EQ(Constants::contactURL(), stageContact);
}

TEST(Constants, OverrideFileGivesOneTableForEveryStageOrTablesPerStage) {
  auto single = Constants::parseServerTables(nlohmann::json(loopbackTable("http://127.0.0.1:8080")).dump());
  ASSERT_TRUE(single.ok()) << single.error().description();
  for (const ServerTable& table : *single) EXPECT_EQ(table.at("LOGIC"), "http://127.0.0.1:8080");

  nlohmann::json perStage = {{"1", loopbackTable("http://localhost:9000")}, {"3", loopbackTable("https://x.example")}};
  auto tables = Constants::parseServerTables(perStage.dump());
  ASSERT_TRUE(tables.ok()) << tables.error().description();
  EXPECT_EQ((*tables)[0], Constants::mockServers());
  EXPECT_EQ((*tables)[1].at("POSTBACK"), "http://localhost:9000");
  EXPECT_EQ((*tables)[2], Constants::stgServers());
  EXPECT_EQ((*tables)[3].at("LOGIC_LIST"), "https://x.example");
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
      {"localhost", withEntry("LOGIC", "http://localhost:8080"), true},
      {"IPv6 loopback", withEntry("LOGIC", "http://[::1]:8080"), true},
      {"https anywhere", withEntry("LOGIC", "https://api.velkor.example"), true},
      {"plain http to another host", withEntry("LOGIC", "http://api.velkor.example"), false},
      {"plain http to a private address", withEntry("LOGIC", "http://10.0.0.1"), false},
      {"a host that only starts like loopback", withEntry("LOGIC", "http://127.0.0.1.example"), false},
      {"another scheme", withEntry("LOGIC", "ftp://127.0.0.1"), false},
      {"not a URL", withEntry("LOGIC", "https://a b"), false},
      {"a relative address", withEntry("LOGIC", "/api"), false},
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

TEST(Constants, TablesAreInstalledOnlyBeforeTheFirstAddressIsRead) {
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  const StageTables tables = Constants::everyStage(loopbackTable("http://127.0.0.1:1"));
  // In a process of its own, where nothing has read an address yet.
  EXPECT_EXIT(std::_Exit(Constants::installServerTables(tables).ok() && Constants::logicURL() == "http://127.0.0.1:1"
                             ? 0
                             : 1),
              ::testing::ExitedWithCode(0), "");
  Constants::logicURL();
  EXPECT_FALSE(Constants::installServerTables(tables).ok());
}

// The address the first read gives with an override file holding `text`, in a process of its own:
// the file is read at the first use only. Exits 0 when the POSTBACK address is `expected`.
[[noreturn]] void readFirstAddressWithOverride(const std::string& text, const std::string& expected) {
  const auto path = std::filesystem::temp_directory_path() / ("velkor-tables-" + std::to_string(::getpid()) + ".json");
  std::ofstream(path) << text;
  ::setenv(Constants::serverTableVariable, path.c_str(), 1);
  const bool asExpected = Constants::postbackURL() == expected;
  std::filesystem::remove(path);
  std::_Exit(asExpected ? 0 : 1);
}

TEST(Constants, EnvironmentNamesTheOverrideFileReadAtTheFirstUse) {
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  const std::string loopback = nlohmann::json(loopbackTable("http://127.0.0.1:4321")).dump();
  EXPECT_EXIT(readFirstAddressWithOverride(loopback, "http://127.0.0.1:4321"), ::testing::ExitedWithCode(0), "");
  const std::string unsafe = nlohmann::json(loopbackTable("http://api.velkor.example")).dump();
  EXPECT_EXIT(readFirstAddressWithOverride(unsafe, Constants::prodServers().at("POSTBACK")),
              ::testing::ExitedWithCode(0), "ignored");
}

}  // namespace
}  // namespace velkor
