// The tracking repository over the logging framework, against the local log collector: configuring
// reaches the framework's one sender, events and flushes go through, and the tracking id is the
// installation's whatever thread asks while another configures.
#include "velkor/network/tracking_repository_impl.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "lumberjack/sender.h"
#include "tests/velkor/network/network_test_support.h"

namespace velkor::testing {
namespace {

class TrackingRepositoryTest : public ::testing::Test {
 protected:
  TrackingRepositoryTest() { lumberjack::Sender::shared().resetForTesting(); }
  ~TrackingRepositoryTest() override {
    dispatch::main_loop::runUntil([] { return !lumberjack::Sender::shared().isUploading(); });
    lumberjack::Sender::shared().resetForTesting();
  }

  std::string endpoint() { return scope_.servers().serverTable().at(Constants::lumberjackKey); }
  std::vector<mock::LoggedRequest> uploads() { return scope_.log().entries(mock::Route::lumberjack); }

  NetworkScope scope_;
  TrackingRepositoryImpl repository_;
};

TEST_F(TrackingRepositoryTest, EventsReachTheConfiguredEndpointAsTheyWereTracked) {
  repository_.configure(2, false, endpoint());
  repository_.track("ad_list", "banner_click", nlohmann::json{{"banner_id", 2}});
  repository_.track(std::nullopt, "popup_click", std::nullopt);

  ASSERT_TRUE(scope_.log().waitFor(mock::Route::lumberjack, 1, 10s));
  const auto body = uploads().front().json();
  EXPECT_EQ(body["tracking_id"], repository_.trackingID());
  const auto events = body["events"];
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0]["type"], "event");
  EXPECT_EQ(events[0]["page"], "ad_list");
  EXPECT_EQ(events[0]["name"], "banner_click");
  EXPECT_EQ(events[0]["info"]["banner_id"], 2);
  EXPECT_EQ(events[1]["name"], "popup_click");
  EXPECT_FALSE(events[1].contains("page"));
  EXPECT_FALSE(events[1].contains("info"));
}

TEST_F(TrackingRepositoryTest, FlushSendsWhatTheBufferHolds) {
  repository_.configure(50, true, endpoint());
  repository_.track("ad_list", "banner_click", std::nullopt);
  EXPECT_TRUE(uploads().empty());

  repository_.flush();

  ASSERT_TRUE(scope_.log().waitFor(mock::Route::lumberjack, 1, 10s));
  EXPECT_EQ(uploads().front().json()["events"].size(), 1u);
}

// The id is the installation's, whatever the configuration; request threads read it while the main
// thread reconfigures (a stage change).
TEST_F(TrackingRepositoryTest, TheIdStaysTheInstallationsWhileOtherThreadsReadItDuringConfiguring) {
  const std::string id = repository_.trackingID();
  EXPECT_EQ(id, lumberjack::Config().trackingID());
  std::atomic<bool> done{false};
  std::atomic<int> mismatches{0};
  std::vector<std::thread> readers;
  for (int i = 0; i < 4; ++i) {
    readers.emplace_back([&] {
      while (!done.load()) {
        if (repository_.trackingID() != id) ++mismatches;
      }
    });
  }
  for (int i = 0; i < 200; ++i) repository_.configure(50 + i, i % 2 == 0, endpoint());
  done.store(true);
  for (auto& reader : readers) reader.join();

  EXPECT_EQ(mismatches.load(), 0);
  EXPECT_EQ(TrackingRepositoryImpl().trackingID(), id);
  EXPECT_EQ(repository_.remoteDataSource()->config().bufferCapacity(), 249);
}

}  // namespace
}  // namespace velkor::testing
