#include "platform/dispatch/queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/dispatch/group.h"
#include "platform/dispatch/main_loop.h"
#include "platform/dispatch/semaphore.h"

namespace dispatch {
namespace {

class QueueTest : public ::testing::Test {
 protected:
  main_loop::TestScope loop_;
};
using MainLoopTest = QueueTest;
using SemaphoreTest = QueueTest;
using GroupTest = QueueTest;

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

TEST_F(QueueTest, AnExceptionInABlockDoesNotStopTheQueue) {
  auto queue = Queue::serial("test.throws");
  bool after = false;
  queue->async([] { throw std::runtime_error("boom"); });
  queue->sync([&] { after = true; });
  EXPECT_TRUE(after);
}

TEST_F(MainLoopTest, DrainRunsBlocksInOrderIncludingThoseTheyPost) {
  std::vector<int> order;
  main()->async([&] {
    order.push_back(1);
    main()->async([&] { order.push_back(3); });
  });
  main()->async([&] { order.push_back(2); });
  EXPECT_TRUE(order.empty());
  main_loop::drain();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(MainLoopTest, SyncOntoMainFromAWorkerWaitsForTheLoop) {
  std::atomic<bool> returned{false};
  int value = 0;
  Queue::serial("test.sync.main")->async([&] {
    main()->sync([&] { value = 42; });
    returned = true;
  });
  EXPECT_TRUE(main_loop::runUntil([&] { return returned.load(); }, Seconds(5)));
  EXPECT_EQ(value, 42);
}

TEST_F(MainLoopTest, ResetDiscardsLeftoversAndReleasesASyncCaller) {
  auto witness = std::make_shared<int>(0);
  std::weak_ptr<int> weak = witness;
  std::atomic<bool> ran{false};
  main()->async([witness, &ran] { ran = true; });
  witness.reset();
  std::atomic<bool> returned{false};
  std::thread caller([&] {
    main()->sync([&] { ran = true; });
    returned = true;
  });
  // reset() unbinds the loop, so nothing runs the sync block; resetting until the caller is
  // released catches the block whenever it arrives.
  while (!returned) {
    main_loop::reset();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  caller.join();
  EXPECT_TRUE(weak.expired());
  main_loop::bind();
  main_loop::drain();
  EXPECT_FALSE(ran);
}

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

}  // namespace
}  // namespace dispatch
