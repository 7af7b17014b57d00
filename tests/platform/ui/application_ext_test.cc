#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/dispatch/main_loop.h"
#include "platform/ui/application.h"

namespace ui {
namespace {

namespace main_loop = dispatch::main_loop;

class BackgroundTaskTest : public ::testing::Test {
 protected:
  void TearDown() override {
    // Whatever a test left running ends here, so the next starts with none.
    app_.expireBackgroundTasks();
  }
  main_loop::TestScope scope_;
  Application& app_ = Application::shared();
};

TEST_F(BackgroundTaskTest, ExpiryRunsEachHandlerOnceOnTheMainThread) {
  std::vector<BackgroundTaskIdentifier> expired;
  BackgroundTaskIdentifier first = kInvalidBackgroundTask;
  first = app_.beginBackgroundTask("postback", [&] {
    expired.push_back(first);
    EXPECT_TRUE(main_loop::isMainThread());
    app_.endBackgroundTask(first);
  });
  BackgroundTaskIdentifier ended = app_.beginBackgroundTask([&] { expired.push_back(ended); });
  BackgroundTaskIdentifier second = kInvalidBackgroundTask;
  second = app_.beginBackgroundTask([&] {
    expired.push_back(second);
    app_.endBackgroundTask(second);
  });
  EXPECT_NE(first, kInvalidBackgroundTask);
  EXPECT_NE(first, second);
  EXPECT_EQ(app_.backgroundTaskCount(), 3u);

  app_.endBackgroundTask(ended);  // ended before expiry: its handler never runs
  app_.endBackgroundTask(ended);  // twice: ignored
  app_.endBackgroundTask(kInvalidBackgroundTask);
  app_.expireBackgroundTasks();
  EXPECT_EQ(expired, (std::vector<BackgroundTaskIdentifier>{first, second}));
  EXPECT_EQ(app_.backgroundTaskCount(), 0u);
  app_.expireBackgroundTasks();
  EXPECT_EQ(expired.size(), 2u);
}

TEST_F(BackgroundTaskTest, ATaskItsHandlerLeftRunningIsEndedForIt) {
  int runs = 0;
  auto forgetful = app_.beginBackgroundTask([&] { ++runs; });
  auto silent = app_.beginBackgroundTask(nullptr);
  auto throwing = app_.beginBackgroundTask([] { throw std::runtime_error("handler failed"); });
  app_.expireBackgroundTasks();
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(app_.isBackgroundTaskRunning(forgetful));
  EXPECT_FALSE(app_.isBackgroundTaskRunning(silent));
  EXPECT_FALSE(app_.isBackgroundTaskRunning(throwing));
}

TEST_F(BackgroundTaskTest, TasksComeAndGoFromAnyThreadAndExpireOnMain) {
  std::atomic<int> expiredOnMain{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 50; ++i) {
        auto task = app_.beginBackgroundTask([&] { expiredOnMain += main_loop::isMainThread() ? 1 : 0; });
        if (i % 2 == 0) app_.endBackgroundTask(task);
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(app_.backgroundTaskCount(), 100u);
  std::thread([&] { app_.expireBackgroundTasks(); }).join();
  EXPECT_EQ(expiredOnMain.load(), 0);  // queued for the main thread
  main_loop::drain();
  EXPECT_EQ(expiredOnMain.load(), 100);
  EXPECT_EQ(app_.backgroundTaskCount(), 0u);
}

}  // namespace
}  // namespace ui
