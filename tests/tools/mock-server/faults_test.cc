// Faults a test sets per route: what the client really sees for each, and how long a fault lasts.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>

#include "http_client.h"
#include "tools/mock-server/mock_server.h"

namespace mock {
namespace {

using namespace std::chrono_literals;

class FaultsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.start()) << server_.error(); }
  std::string url(const std::string& path) const { return server_.baseUrl() + path; }
  MockServer server_{"LOGIC_LIST"};
};

// The SDK's network tests meet the other faults on every route; this one only here.
TEST_F(FaultsTest, AConnectionDroppedMidBodyReachesTheClientOnce) {
  const std::string normalBody = get(url("/api/tags")).body;
  server_.setFault(Route::tags, Fault{}.dropMidBody());
  const HttpResult result = get(url("/api/tags"));
  EXPECT_EQ(result.code, CURLE_PARTIAL_FILE) << curl_easy_strerror(result.code);
  EXPECT_EQ(result.status, 200);
  EXPECT_TRUE(normalBody.starts_with(result.body));
  // One-shot: the next request is answered normally.
  EXPECT_EQ(get(url("/api/tags")).body, normalBody);
}

TEST_F(FaultsTest, FaultsApplyInOrderAndStickyOnesStay) {
  server_.setFault(Route::participate, Fault{}.withStatus(500));
  server_.setFault(Route::participate, Fault{}.withStatus(501).sticky());
  auto status = [&] { return fetch(url("/api/ads/1001/participate"), "POST", "{}").status; };
  EXPECT_EQ(status(), 500);
  EXPECT_EQ(status(), 501);
  EXPECT_EQ(status(), 501);
  // A fault belongs to its route only.
  EXPECT_EQ(get(url("/api/tags")).status, 200);
  server_.clearFaults();
  EXPECT_EQ(status(), 200);
}

TEST_F(FaultsTest, StoppingCutsADelayShortAndTheClientSeesTheConnectionClose) {
  server_.setFault(Route::tags, Fault{}.withDelay(30s));
  auto pending = std::async(std::launch::async, [&] { return fetch(url("/api/tags"), "GET", "", {}, 20s); });
  ASSERT_TRUE(server_.log().waitFor(Route::tags, 1, 5s));
  const auto started = std::chrono::steady_clock::now();
  server_.stop();
  EXPECT_LT(std::chrono::steady_clock::now() - started, 3s);
  EXPECT_EQ(pending.get().code, CURLE_GOT_NOTHING);
  EXPECT_FALSE(server_.isRunning());
}

}  // namespace
}  // namespace mock
