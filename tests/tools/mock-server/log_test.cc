// The request log and starting the server.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "http_client.h"
#include "tools/mock-server/mock_server_group.h"

namespace mock {
namespace {

using namespace std::chrono_literals;

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

}  // namespace
}  // namespace mock
