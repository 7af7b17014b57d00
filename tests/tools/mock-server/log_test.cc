// The request log and starting the server.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "http_client.h"
#include "tools/mock-server/mock_server.h"

namespace mock {
namespace {

using namespace std::chrono_literals;

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
