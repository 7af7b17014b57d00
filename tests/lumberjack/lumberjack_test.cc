#include "lumberjack/lumberjack.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "lumberjack/config.h"
#include "lumberjack/sender.h"
#include "platform/base/defaults.h"
#include "platform/dispatch/clock.h"
#include "tools/mock-server/mock_server.h"

namespace lumberjack {
namespace {

using namespace std::chrono_literals;

// Real time: uploads travel over loopback on the sender's own queue.
bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds atMost = 10s) {
  const auto deadline = std::chrono::steady_clock::now() + atMost;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(2ms);
  }
  return true;
}

bool idle() { return eventually([] { return !Sender::shared().isUploading(); }); }

void track(const std::string& name) { Lumberjack::track(LogType::Event, "ad_list", name, std::nullopt); }

// The event names of one upload, in the batch's order.
std::vector<std::string> names(const mock::LoggedRequest& upload) {
  std::vector<std::string> result;
  for (const auto& event : upload.json().value("events", nlohmann::json::array())) {
    result.push_back(event.value("name", ""));
  }
  return result;
}

class LumberjackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base::Defaults::setStandard(base::Defaults::inMemory());
    Sender::shared().resetForTesting();
    ASSERT_TRUE(server_.start()) << server_.error();
  }
  void TearDown() override {
    EXPECT_TRUE(idle());
    Sender::shared().resetForTesting();
    base::Defaults::setStandard(base::Defaults::inMemory());
  }
  void configure(std::int64_t capacity) { Config().configurate(capacity, endpoint(), false); }
  std::string endpoint() const { return server_.baseUrl() + "/topics/ofw_lumberjack"; }
  std::vector<mock::LoggedRequest> uploads() const { return server_.log().entries(mock::Route::lumberjack); }
  bool waitForUploads(std::size_t count) const { return server_.log().waitFor(mock::Route::lumberjack, count, 10s); }
  mock::MockServer server_{"LUMBERJACK"};
};

TEST_F(LumberjackTest, EventsTrackedBeforeConfigurationWaitForAnEndpoint) {
  track("a");
  track("b");
  Lumberjack::flush();
  EXPECT_FALSE(Sender::shared().isUploading());
  EXPECT_EQ(Sender::shared().pendingCount(), 2u);
  configure(2);
  ASSERT_TRUE(waitForUploads(1));
  const auto upload = uploads().front();
  EXPECT_EQ(names(upload), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(upload.json().value("tracking_id", ""), Config().trackingID());
}

TEST_F(LumberjackTest, PostsTheBatchAsJsonWhenTheBufferIsFull) {
  configure(3);
  Lumberjack::track(LogType::Event, "ad_list", "banner_click", nlohmann::json{{"banner_id", 7}});
  Lumberjack::track(LogType::Event, std::nullopt, "popup_click", std::nullopt);
  ASSERT_TRUE(idle());
  EXPECT_TRUE(uploads().empty());
  track("third");
  ASSERT_TRUE(waitForUploads(1));
  const auto upload = uploads().front();
  EXPECT_EQ(upload.method, "POST");
  EXPECT_EQ(upload.header("Content-Type").value_or(""), "application/json");
  const auto events = upload.json()["events"];
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0]["type"], "event");
  EXPECT_EQ(events[0]["page"], "ad_list");
  EXPECT_EQ(events[0]["name"], "banner_click");
  EXPECT_EQ(events[0]["info"], (nlohmann::json{{"banner_id", 7}}));
  EXPECT_TRUE(events[0]["time"].is_number());
  EXPECT_FALSE(events[1].contains("page"));
  EXPECT_FALSE(events[1].contains("info"));
  EXPECT_EQ(Sender::shared().pendingCount(), 0u);
}

TEST_F(LumberjackTest, FlushSendsWhatIsBufferedAndNothingWhenEmpty) {
  configure(50);
  track("only");
  Lumberjack::flush();
  ASSERT_TRUE(waitForUploads(1));
  ASSERT_TRUE(idle());
  Lumberjack::flush();
  ASSERT_TRUE(idle());
  ASSERT_EQ(uploads().size(), 1u);
  EXPECT_EQ(names(uploads().front()), std::vector<std::string>{"only"});
}

struct FailureCase {
  const char* name;
  mock::Fault fault;
};
std::ostream& operator<<(std::ostream& out, const FailureCase& c) {
  return out << c.name;
}

class FailedUploadTest : public LumberjackTest, public ::testing::WithParamInterface<FailureCase> {};

// The answer is held back a while, so that an event tracked during the failed upload is newer than
// its batch: the batch goes again first, in its own order.
TEST_P(FailedUploadTest, PostsTheBatchAgainBeforeNewerEvents) {
  server_.setFault(mock::Route::lumberjack, GetParam().fault.withDelay(300ms));
  configure(50);
  track("a1");
  track("a2");
  Lumberjack::flush();
  ASSERT_TRUE(waitForUploads(1));
  track("b");
  ASSERT_TRUE(idle());
  EXPECT_EQ(Sender::shared().pendingCount(), 3u);
  Lumberjack::flush();
  ASSERT_TRUE(waitForUploads(2));
  EXPECT_EQ(names(uploads().back()), (std::vector<std::string>{"a1", "a2", "b"}));
  ASSERT_TRUE(idle());
  EXPECT_EQ(Sender::shared().pendingCount(), 0u);
}

// A final 3xx (no redirect to follow) is no success either.
INSTANTIATE_TEST_SUITE_P(Faults, FailedUploadTest,
                         ::testing::Values(FailureCase{"server_error", mock::Fault{}.withStatus(500)},
                                           FailureCase{"multiple_choices", mock::Fault{}.withStatus(300)},
                                           FailureCase{"not_modified", mock::Fault{}.withStatus(304)},
                                           FailureCase{"dropped_connection", mock::Fault{}.dropConnection()}),
                         [](const auto& info) { return std::string(info.param.name); });

// A flush asked for while an upload is out is done once that upload ends, a failed one too: the
// app may never flush again (it is going to the background). The failed batch still goes first.
TEST_F(LumberjackTest, AFlushAskedForDuringAFailingUploadIsNotLost) {
  for (bool reconfigured : {false, true}) {
    SCOPED_TRACE(reconfigured ? "configured again meanwhile" : "same configuration");
    server_.setFault(mock::Route::lumberjack, mock::Fault{}.withStatus(500).withDelay(300ms));
    configure(50);
    const std::size_t before = uploads().size();
    track("a");
    Lumberjack::flush();
    ASSERT_TRUE(waitForUploads(before + 1));
    if (reconfigured) configure(50);
    track("b");
    Lumberjack::flush();
    ASSERT_TRUE(waitForUploads(before + 2));
    EXPECT_EQ(names(uploads().back()), (std::vector<std::string>{"a", "b"}));
    ASSERT_TRUE(idle());
  }
}

TEST_F(LumberjackTest, AFailingCollectorIsPostedToLessAndLessOftenUntilASuccess) {
  dispatch::ScopedManualClock clock;
  server_.setFault(mock::Route::lumberjack, mock::Fault{}.withStatus(500).sticky());
  configure(1);
  int tracked = 0;
  // Tracks one event at capacity and tells whether it set off an upload, once that is over. The
  // server logs a request before it answers, so a finished upload is always in its log.
  auto trackPosts = [&] {
    const std::size_t before = uploads().size();
    track("e" + std::to_string(tracked++));
    EXPECT_TRUE(idle());
    return uploads().size() > before;
  };
  EXPECT_TRUE(trackPosts());
  for (double wait : {30, 60, 120, 240, 480, 600, 600}) {
    SCOPED_TRACE(wait);
    EXPECT_FALSE(trackPosts());
    clock->advance(dispatch::Seconds(wait - 1));
    EXPECT_FALSE(trackPosts());
    clock->advance(1s);
    EXPECT_TRUE(trackPosts());
  }
  EXPECT_EQ(uploads().size(), 8u);
  // A flush does not wait, and its success ends the back-off: every event arrives once.
  server_.clearFaults();
  Lumberjack::flush();
  ASSERT_TRUE(waitForUploads(9));
  ASSERT_TRUE(idle());
  EXPECT_EQ(names(uploads().back()).size(), static_cast<std::size_t>(tracked));
  EXPECT_TRUE(trackPosts());
}

TEST_F(LumberjackTest, AnEndpointThatIsNoUrlKeepsTheEvents) {
  Config().configurate(1, "not a url", false);
  track("kept");
  EXPECT_FALSE(Sender::shared().isUploading());
  EXPECT_EQ(Sender::shared().pendingCount(), 1u);
}

TEST_F(LumberjackTest, AnEventThatIsNotUtf8IsDroppedAlone) {
  configure(50);
  Lumberjack::track(LogType::Event, "ad_list", "bad", nlohmann::json{{"title", "\xff\xfe"}});
  track("good");
  EXPECT_EQ(Sender::shared().pendingCount(), 1u);
  Lumberjack::flush();
  ASSERT_TRUE(waitForUploads(1));
  EXPECT_EQ(names(uploads().front()), std::vector<std::string>{"good"});
}

TEST_F(LumberjackTest, KeepsOnlyTheNewestEventsWhenNothingCanBeSent) {
  const std::size_t extra = 5;
  for (std::size_t i = 0; i < Sender::kMaxKeptEvents + extra; ++i) track("e" + std::to_string(i));
  EXPECT_EQ(Sender::shared().pendingCount(), Sender::kMaxKeptEvents);
  configure(50);
  ASSERT_TRUE(waitForUploads(1));
  const auto sent = names(uploads().front());
  ASSERT_EQ(sent.size(), Sender::kMaxKeptEvents);
  EXPECT_EQ(sent.front(), "e" + std::to_string(extra));
}

}  // namespace
}  // namespace lumberjack
