#include "platform/dispatch/semaphore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/dispatch/main_loop.h"
#include "platform/dispatch/queue.h"

namespace dispatch {
namespace {

class SemaphoreTest : public ::testing::Test {
 protected:
  main_loop::TestScope loop_;
};

TEST_F(SemaphoreTest, CountsSignalsAndTimesOutWhenEmpty) {
  Semaphore semaphore(1);
  EXPECT_EQ(semaphore.wait(Seconds(0)), WaitResult::Success);
  EXPECT_EQ(semaphore.wait(Seconds(0)), WaitResult::TimedOut);
  semaphore.signal();
  semaphore.signal();  // the count may rise above its start
  EXPECT_EQ(semaphore.wait(Seconds(0)), WaitResult::Success);
  EXPECT_EQ(semaphore.wait(Seconds(0)), WaitResult::Success);
  EXPECT_EQ(semaphore.wait(Seconds(0.001)), WaitResult::TimedOut);

  Semaphore negative(-3);  // counts as zero
  negative.signal();
  EXPECT_EQ(negative.wait(Seconds(0)), WaitResult::Success);
}

TEST_F(SemaphoreTest, WaitersAreServedInArrivalOrder) {
  Semaphore gate(0);
  Semaphore arrived(0);
  std::vector<int> order;
  std::mutex mutex;
  std::vector<std::thread> waiters;
  for (int i = 0; i < 3; ++i) {
    waiters.emplace_back([&, i] {
      arrived.signal();
      gate.wait();
      std::lock_guard lock(mutex);
      order.push_back(i);
    });
    arrived.wait();
    // Give the waiter time to enter its wait before the next one comes.
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  for (int i = 0; i < 3; ++i) {
    gate.signal();
    while (true) {
      std::lock_guard lock(mutex);
      if (order.size() == static_cast<size_t>(i + 1)) break;
    }
  }
  for (auto& waiter : waiters) waiter.join();
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
}

// Workers blocked on semaphores must not stall the pool: other queues keep being served.
TEST_F(SemaphoreTest, BlockedWaitsDoNotStopOtherQueues) {
  constexpr int kBlocked = 32;
  Semaphore release(0);
  Semaphore blockedStarted(0);
  std::vector<std::shared_ptr<Queue>> queues;
  for (int i = 0; i < kBlocked; ++i) {
    queues.push_back(Queue::serial("test.blocked"));
    queues.back()->async([=]() mutable {
      blockedStarted.signal();
      release.wait(Seconds(30));
    });
  }
  for (int i = 0; i < kBlocked; ++i) ASSERT_EQ(blockedStarted.wait(Seconds(10)), WaitResult::Success);
  std::atomic<bool> served{false};
  Queue::serial("test.free")->async([&] { served = true; });
  EXPECT_TRUE(main_loop::runUntil([&] { return served.load(); }, Seconds(10)));
  for (int i = 0; i < kBlocked; ++i) release.signal();
  for (auto& queue : queues) queue->sync([] {});
}

}  // namespace
}  // namespace dispatch
