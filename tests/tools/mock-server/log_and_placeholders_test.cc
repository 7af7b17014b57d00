// The request log, the serve-time placeholders, the server group and the executable.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "http_client.h"
#include "tools/mock-server/mock_server_group.h"
#include "tools/mock-server/placeholders.h"

extern char** environ;

namespace mock {
namespace {

using namespace std::chrono_literals;

std::chrono::system_clock::time_point parseServerDate(const std::string& text) {
  std::tm parts{};
  if (!strptime(text.c_str(), "%Y-%m-%dT%H:%M:%S+0000", &parts)) return {};
  return std::chrono::system_clock::from_time_t(timegm(&parts));
}

TEST(PlaceholdersTest, KnownTokensExpandAndEveryOtherBraceStays) {
  const ServeContext context{"http://127.0.0.1:8080", std::chrono::system_clock::from_time_t(1682910000), 42};
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"{BASE_URL}/images/a.png", "http://127.0.0.1:8080/images/a.png"},
      {"{NOW}", "2023-05-01T03:00:00+0000"},
      {"{NOW+3600}", "2023-05-01T04:00:00+0000"},
      {"{NOW-86400}", "2023-04-30T03:00:00+0000"},
      {"/ads/{AD_ID}", "/ads/42"},
      {"velkor://offerwall/ads/{ad_id}", "velkor://offerwall/ads/{ad_id}"},
      {"{REWARD_STR_MARK} {NEXT_PARTICIPATE_TIME}", "{REWARD_STR_MARK} {NEXT_PARTICIPATE_TIME}"},
      {"{NOW+} {NOW+1x} {now}", "{NOW+} {NOW+1x} {now}"},
      {"{{BASE_URL}}", "{http://127.0.0.1:8080}"},
      {"open { without close {BASE_URL", "open { without close {BASE_URL"},
      {R"({"a":{"b":"{AD_ID}"}})", R"({"a":{"b":"42"}})"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(expandPlaceholders(text, context), expected) << text;
  EXPECT_EQ(expandPlaceholders("{AD_ID}", ServeContext{"", {}, std::nullopt}), "{AD_ID}");
}

TEST(PlaceholdersTest, DatesInBodiesAndHeadersAreRelativeToTheAnswer) {
  MockServer server;
  ASSERT_TRUE(server.start()) << server.error();
  const auto before = std::chrono::system_clock::now();
  const HttpResult result = get(server.baseUrl() + "/api/ads");
  const auto serverTime = parseServerDate(result.header("X-Server-Time"));
  EXPECT_LE(std::chrono::abs(serverTime - before), 2s);
  EXPECT_EQ(parseServerDate(result.header("X-Expired-At")) - serverTime, 600s);
  EXPECT_EQ(parseServerDate(result.header("X-Tooltip-Expired-At")) - serverTime, 3600s);
  EXPECT_EQ(result.body.find("{NOW"), std::string::npos);
  EXPECT_EQ(result.body.find("{BASE_URL}"), std::string::npos);
  const nlohmann::json body = result.json();
  for (const auto& ad : body["ads"]) {
    if (ad["id"] == 1301) {
      EXPECT_EQ(parseServerDate(ad["next_participate_time"]) - serverTime, 3600s);
    } else if (ad["id"] == 1305) {
      EXPECT_EQ(parseServerDate(ad["next_participate_time"]) - serverTime, -60s);
    }
  }
}

TEST(RequestLogTest, RecordsWhatEachServerKindReceived) {
  MockServerGroup group;
  ASSERT_TRUE(group.start()) << group.error();
  const std::string list = group.server(kLogicList).baseUrl();
  const std::string logic = group.server(kLogic).baseUrl();
  fetch(list + "/api/ads?from=ad_list&tab_slug=%ED%95%9C%20%26&flag", "GET", "", {"X-Tracking-Id: t-1"});
  fetch(logic + "/api/ads/7/participate", "POST", R"({"uid":"u1"})",
        {"Content-Type: application/json", "HTTP_ACCEPT_ENCODING: gzip"});

  const auto entries = group.log().entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].server, "LOGIC_LIST");
  EXPECT_EQ(entries[0].route, Route::adList);
  EXPECT_EQ(entries[0].path, "/api/ads");
  EXPECT_EQ(entries[0].rawQuery, "from=ad_list&tab_slug=%ED%95%9C%20%26&flag");
  EXPECT_EQ(entries[0].queryValue("tab_slug"), "한 &");
  EXPECT_EQ(entries[0].queryValue("flag"), "");
  EXPECT_EQ(entries[0].queryValue("missing"), std::nullopt);
  EXPECT_EQ(entries[0].header("x-tracking-id"), "t-1");
  EXPECT_EQ(entries[0].header("REMOTE_ADDR"), std::nullopt);

  EXPECT_EQ(entries[1].server, "LOGIC");
  EXPECT_EQ(entries[1].route, Route::participate);
  EXPECT_EQ(entries[1].json()["uid"], "u1");
  EXPECT_EQ(entries[1].header("HTTP_ACCEPT_ENCODING"), "gzip");
  EXPECT_EQ(group.log().entries(Route::participate).size(), 1u);
  EXPECT_EQ(group.log().entries("/api/ads").size(), 1u);

  group.log().clear();
  EXPECT_TRUE(group.log().entries().empty());
}

TEST(RequestLogTest, WaitsForFireAndForgetRequests) {
  MockServer server("POSTBACK");
  ASSERT_TRUE(server.start()) << server.error();
  std::vector<std::thread> senders;
  for (int i = 0; i < 3; ++i) {
    senders.emplace_back([&] { fetch(server.baseUrl() + "/api/postbacks/sdk", "POST", "{}"); });
  }
  EXPECT_TRUE(server.log().waitFor("/api/postbacks/sdk", 3, 5s));
  for (auto& sender : senders) sender.join();

  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(server.log().waitFor(Route::postback, 4, 100ms));
  EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
}

TEST(RequestLogTest, ManyConcurrentClientsAreAllAnswered) {
  MockServer server;
  ASSERT_TRUE(server.start()) << server.error();
  std::vector<std::future<long>> statuses;
  for (int i = 0; i < 64; ++i) {
    statuses.push_back(std::async(std::launch::async, [&] { return get(server.baseUrl() + "/api/tags").status; }));
  }
  for (auto& status : statuses) EXPECT_EQ(status.get(), 200);
  EXPECT_EQ(server.log().count(Route::tags), 64u);
}

TEST(MockServerGroupTest, ServerTableHasTheStageTableForm) {
  MockServerGroup group;
  ASSERT_TRUE(group.start()) << group.error();
  const auto table = group.serverTable();
  ASSERT_EQ(table.size(), 5u);
  EXPECT_EQ(table.at("LOGIC"), group.server(kLogic).baseUrl());
  EXPECT_EQ(table.at("CONTACT"), group.server(kContact).baseUrl() + "/help_requests/new?headless=true");
  EXPECT_EQ(table.at("LUMBERJACK"), group.server(kLumberjack).baseUrl() + "/topics/ofw_lumberjack");
  EXPECT_EQ(get(table.at("CONTACT")).status, 200);
  EXPECT_EQ(fetch(table.at("LUMBERJACK"), "POST", "[]").status, 200);
  EXPECT_EQ(group.log().entries()[1].server, "LUMBERJACK");
}

TEST(MockServerStartTest, FailuresAreReportedNotThrown) {
  MockServerOptions missing;
  missing.fixturesDirectory = "/nonexistent/fixtures";
  MockServer noFixtures("LOGIC", missing);
  EXPECT_FALSE(noFixtures.start());
  EXPECT_NE(noFixtures.error().find("ad_list.json"), std::string::npos);

  MockServer first;
  ASSERT_TRUE(first.start());
  MockServerOptions samePort;
  samePort.port = first.port();
  MockServer second("LOGIC", samePort);
  EXPECT_FALSE(second.start());
  EXPECT_NE(second.error().find(std::to_string(first.port())), std::string::npos);
  EXPECT_FALSE(first.start());
}

TEST(MockServerExecutableTest, ServesUntilTerminated) {
  int out[2];
  ASSERT_EQ(pipe(out), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string exe = VELKOR_MOCK_SERVER_EXE;
  std::string dir = Fixtures::defaultDirectory();
  std::vector<char*> argv = {exe.data(), const_cast<char*>("--port"), const_cast<char*>("0"),
                             const_cast<char*>("--fixtures"), dir.data(), nullptr};
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);

  FILE* output = fdopen(out[0], "r");
  char line[256] = {};
  ASSERT_NE(fgets(line, sizeof line, output), nullptr);
  std::string baseUrl(line);
  baseUrl.erase(baseUrl.find_last_not_of("\r\n") + 1);
  EXPECT_TRUE(baseUrl.starts_with("http://127.0.0.1:")) << baseUrl;
  EXPECT_EQ(get(baseUrl + "/api/tags").status, 200);

  kill(pid, SIGTERM);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  fclose(output);
}

}  // namespace
}  // namespace mock
