#include "platform/privacy/tracking.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace privacy {
namespace {

class TrackingTest : public ::testing::Test {
 protected:
  void SetUp() override { Tracking::reset(); }
  void TearDown() override { Tracking::reset(); }

  // Requests authorisation and waits for the completion; returns its answer and thread.
  std::pair<TrackingStatus, std::thread::id> request() {
    std::promise<std::pair<TrackingStatus, std::thread::id>> answered;
    Tracking::requestAuthorization(
        [&](TrackingStatus status) { answered.set_value({status, std::this_thread::get_id()}); });
    return answered.get_future().get();
  }
};

TEST_F(TrackingTest, PromptsOnlyWhileUndeterminedAndAnswersOffTheCallersThread) {
  int prompts = 0;
  Tracking::setPrompt([&] {
    ++prompts;
    return TrackingStatus::Denied;
  });

  auto [first, thread] = request();
  EXPECT_EQ(first, TrackingStatus::Denied);
  EXPECT_NE(thread, std::this_thread::get_id());

  // Once decided, the system answers at once without asking again.
  auto [second, unused] = request();
  EXPECT_EQ(second, TrackingStatus::Denied);
  EXPECT_EQ(prompts, 1);
  EXPECT_EQ(Tracking::requestCount(), 2);
}

TEST_F(TrackingTest, WithoutAPromptTheStatusStaysUndetermined) {
  EXPECT_EQ(request().first, TrackingStatus::NotDetermined);
  Tracking::setStatus(TrackingStatus::Authorized);
  EXPECT_EQ(request().first, TrackingStatus::Authorized);
}

}  // namespace
}  // namespace privacy
