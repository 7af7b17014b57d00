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

struct FaultCase {
  std::string name;
  Fault fault;
  CURLcode code;
  long status;
  std::function<void(const HttpResult&, const std::string& normalBody)> check;
};

TEST_F(FaultsTest, EachFaultReachesTheClient) {
  const std::string normalBody = get(url("/api/tags")).body;
  const std::vector<FaultCase> cases = {
      {"status and body", Fault{}.withStatus(500).withBody(R"({"code":7})"), CURLE_OK, 500,
       [](const HttpResult& r, const std::string&) { EXPECT_EQ(r.body, R"({"code":7})"); }},
      {"truncated JSON", Fault{}.truncatedJson(), CURLE_OK, 200,
       [](const HttpResult& r, const std::string& normal) {
         EXPECT_TRUE(r.json().is_discarded());
         EXPECT_FALSE(r.body.empty());
         EXPECT_TRUE(normal.starts_with(r.body));
       }},
      {"connection dropped", Fault{}.dropConnection(), CURLE_GOT_NOTHING, 0, nullptr},
      {"connection dropped mid-body", Fault{}.dropMidBody(), CURLE_PARTIAL_FILE, 200,
       [](const HttpResult& r, const std::string& normal) { EXPECT_TRUE(normal.starts_with(r.body)); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    server_.setFault(Route::tags, c.fault);
    const HttpResult result = get(url("/api/tags"));
    EXPECT_EQ(result.code, c.code) << curl_easy_strerror(result.code);
    EXPECT_EQ(result.status, c.status);
    if (c.check) c.check(result, normalBody);
    // Every fault here is one-shot: the next request is answered normally.
    EXPECT_EQ(get(url("/api/tags")).body, normalBody);
  }
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
