#include "platform/dispatch/queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/dispatch/main_loop.h"
#include "platform/dispatch/semaphore.h"

namespace dispatch {
namespace {

class QueueTest : public ::testing::Test {
 protected:
  main_loop::TestScope loop_;
};

TEST_F(QueueTest, SerialQueueRunsBlocksInOrderOneAtATime) {
  auto queue = Queue::serial("test.serial");
  std::vector<int> order;  // touched only by the queue's blocks
  std::atomic<int> running{0};
  std::atomic<bool> overlapped{false};
  for (int i = 0; i < 200; ++i) {
    queue->async([&, i] {
      if (running.fetch_add(1) != 0) overlapped = true;
      order.push_back(i);
      running.fetch_sub(1);
    });
  }
  queue->sync([] {});
  ASSERT_EQ(order.size(), 200u);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(order[i], i);
  EXPECT_FALSE(overlapped);
}

TEST_F(QueueTest, ConcurrentQueueRunsBlocksAtTheSameTime) {
  auto queue = Queue::concurrent("test.concurrent");
  Semaphore bothStarted(0);
  Semaphore release(0);
  for (int i = 0; i < 2; ++i) {
    queue->async([=]() mutable {
      bothStarted.signal();
      release.wait();
    });
  }
  EXPECT_EQ(bothStarted.wait(Seconds(5)), WaitResult::Success);
  EXPECT_EQ(bothStarted.wait(Seconds(5)), WaitResult::Success);
  release.signal();
  release.signal();
}

TEST_F(QueueTest, SyncOnTheQueueItselfRunsInPlaceInsteadOfHanging) {
  auto queue = Queue::serial("test.reentrant");
  int depth = 0;
  queue->sync([&] { queue->sync([&] { depth = 2; }); });
  EXPECT_EQ(depth, 2);
}

TEST_F(QueueTest, QueueLetGoStillRunsItsPendingBlocks) {
  Semaphore done(0);
  std::atomic<int> count{0};
  {
    auto queue = Queue::serial("test.dropped");
    for (int i = 0; i < 10; ++i) {
      queue->async([=, &count]() mutable {
        if (++count == 10) done.signal();
      });
    }
  }
  EXPECT_EQ(done.wait(Seconds(5)), WaitResult::Success);
}

TEST_F(QueueTest, NoBlockIsLostUnderContention) {
  constexpr int kThreads = 8;
  constexpr int kPerThread = 500;
  auto serial = Queue::serial("test.contended.serial");
  auto concurrent = Queue::concurrent("test.contended.concurrent");
  std::atomic<int> concurrentRuns{0};
  int serialRuns = 0;  // only the serial queue touches it
  std::vector<std::thread> posters;
  for (int t = 0; t < kThreads; ++t) {
    posters.emplace_back([&] {
      for (int i = 0; i < kPerThread; ++i) {
        serial->async([&] { ++serialRuns; });
        concurrent->async([&] { ++concurrentRuns; });
        main()->async([] {});
      }
    });
  }
  for (auto& poster : posters) poster.join();
  serial->sync([] {});
  EXPECT_TRUE(main_loop::runUntil([&] { return concurrentRuns == kThreads * kPerThread; }, Seconds(20)));
  serial->sync([&] { EXPECT_EQ(serialRuns, kThreads * kPerThread); });
}

// A worker that has just finished polls for a while before it sleeps, and posting skips waking a
// sleeper that poller will cover. Whatever the moment a block comes (while it polls, as it gives
// up, once it sleeps), the block runs; and two blocks posted together still get two workers, the
// second of which must be woken.
TEST_F(QueueTest, BlocksPostedAsAWorkerGoesIdleRunAtOnceAndTogether) {
  using namespace std::chrono_literals;
  auto queue = Queue::concurrent("test.idle");
  for (auto gap : {0us, 20us, 50us, 80us, 300us, 2000us}) {
    for (int round = 0; round < 20; ++round) {
      Semaphore finished(0);
      queue->async([=]() mutable { finished.signal(); });
      ASSERT_EQ(finished.wait(Seconds(5)), WaitResult::Success) << "gap " << gap.count() << "us";
      std::this_thread::sleep_for(gap);
      auto arrived = std::make_shared<std::atomic<int>>(0);
      Semaphore met(0);
      for (int i = 0; i < 2; ++i) {
        queue->async([=]() mutable {
          // Spinning, not a dispatch wait: the pool must have found a second worker by itself.
          arrived->fetch_add(1);
          const auto end = std::chrono::steady_clock::now() + 5s;
          while (*arrived < 2 && std::chrono::steady_clock::now() < end) std::this_thread::yield();
          if (*arrived == 2) met.signal();
        });
      }
      ASSERT_EQ(met.wait(Seconds(10)), WaitResult::Success) << "gap " << gap.count() << "us";
      ASSERT_EQ(met.wait(Seconds(10)), WaitResult::Success) << "gap " << gap.count() << "us";
    }
  }
}

TEST_F(QueueTest, ManyShortLivedQueuesShareAFewThreads) {
  std::mutex mutex;
  std::vector<std::thread::id> threads;
  Semaphore done(0);
  constexpr int kQueues = 300;
  for (int i = 0; i < kQueues; ++i) {
    Queue::serial("test.short")->async([&, done]() mutable {
      {
        std::lock_guard lock(mutex);
        if (std::find(threads.begin(), threads.end(), std::this_thread::get_id()) == threads.end()) {
          threads.push_back(std::this_thread::get_id());
        }
      }
      done.signal();
    });
  }
  for (int i = 0; i < kQueues; ++i) ASSERT_EQ(done.wait(Seconds(5)), WaitResult::Success);
  std::lock_guard lock(mutex);
  EXPECT_LT(threads.size(), static_cast<size_t>(kQueues / 3));
}

TEST_F(QueueTest, AnExceptionInABlockDoesNotStopTheQueue) {
  auto queue = Queue::serial("test.throws");
  bool after = false;
  queue->async([] { throw std::runtime_error("boom"); });
  queue->sync([&] { after = true; });
  EXPECT_TRUE(after);
}

}  // namespace
}  // namespace dispatch
