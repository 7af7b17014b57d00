// Faults a test sets per route: what the client really sees; and starting and stopping the server.
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

// A body after such an answer's headers would be read as the start of the next answer on the same
// keep-alive connection, so every status that carries none ends with its headers.
TEST_F(FaultsTest, StatusesThatCarryNoBodyEndWithTheirHeaders) {
  for (int status : {204, 304}) {
    SCOPED_TRACE(status);
    server_.setFault(Route::lumberjack, Fault{}.withStatus(status));
    const std::string answer = exchangeRaw(server_.port(),
                                           "POST /topics/ofw_lumberjack HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                                           "Content-Length: 2\r\nConnection: close\r\n\r\n{}");
    EXPECT_TRUE(answer.starts_with("HTTP/1.1 " + std::to_string(status) + " ")) << answer;
    EXPECT_TRUE(answer.ends_with("\r\n\r\n")) << answer;
  }
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

// A client that keeps its connection for a next request must not hold the stop for the server's
// idle keep-alive, a second: every test that stops a server would wait it out.
TEST_F(FaultsTest, StoppingDoesNotWaitForAnIdleConnection) {
  CURL* client = curl_easy_init();
  curl_easy_setopt(client, CURLOPT_URL, url("/api/tags").c_str());
  curl_easy_setopt(client, CURLOPT_WRITEFUNCTION, +[](char*, size_t size, size_t count, void*) { return size * count; });
  ASSERT_EQ(curl_easy_perform(client), CURLE_OK);
  const auto started = std::chrono::steady_clock::now();
  server_.stop();
  EXPECT_LT(std::chrono::steady_clock::now() - started, 900ms);
  curl_easy_cleanup(client);
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

  // Reading the fixtures is most of a start: servers of one folder read it once between them.
  MockServer again;
  ASSERT_TRUE(again.start());
  EXPECT_EQ(&again.fixtures(), &first.fixtures());
}

}  // namespace
}  // namespace mock
