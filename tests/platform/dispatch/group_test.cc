#include "platform/dispatch/group.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "platform/dispatch/main_loop.h"
#include "platform/dispatch/once.h"

namespace dispatch {
namespace {

class GroupTest : public ::testing::Test {
 protected:
  main_loop::TestScope loop_;
};

TEST_F(GroupTest, NotifyRunsOnItsQueueOnlyAfterTheLastLeave) {
  Group group;
  std::atomic<int> finished{0};
  int notifiedWith = -1;
  for (int i = 0; i < 3; ++i) group.enter();
  group.notify(main(), [&] { notifiedWith = finished; });
  auto worker = Queue::concurrent("test.group");
  for (int i = 0; i < 3; ++i) {
    worker->async([&, group]() mutable {
      ++finished;
      group.leave();
    });
  }
  EXPECT_TRUE(main_loop::runUntil([&] { return notifiedWith >= 0; }, Seconds(5)));
  EXPECT_EQ(notifiedWith, 3);
  // Already empty: the block goes to its queue at once, and an extra leave changes nothing.
  group.leave();
  bool again = false;
  group.notify(main(), [&] { again = true; });
  main_loop::drain();
  EXPECT_TRUE(again);
  group.enter();
  bool third = false;
  group.notify(main(), [&] { third = true; });
  main_loop::drain();
  EXPECT_FALSE(third);
  group.leave();
  main_loop::drain();
  EXPECT_TRUE(third);
}

TEST_F(GroupTest, WaitEndsAtTheLastLeaveOrTimesOutOnTheManualClock) {
  ScopedManualClock clock;
  Group group;
  group.enter();
  std::atomic<int> result{-1};
  auto waiter = Queue::serial("test.group.wait");
  waiter->async([&, group]() mutable { result = static_cast<int>(group.wait(Seconds(5))); });
  clock->advance(Seconds(4.9));
  EXPECT_EQ(result, -1);
  clock->advance(Seconds(0.1));
  EXPECT_EQ(result, static_cast<int>(WaitResult::TimedOut));

  waiter->async([&, group]() mutable { result = static_cast<int>(group.wait(Seconds(5))); });
  group.leave();
  waiter->sync([] {});
  EXPECT_EQ(result, static_cast<int>(WaitResult::Success));
}

TEST(OnceTest, RunsOnceAcrossThreads) {
  Once once;
  std::atomic<int> runs{0};
  std::vector<std::thread> threads;
  for (int i = 0; i < 8; ++i) threads.emplace_back([&] { once.run([&] { ++runs; }); });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace dispatch
