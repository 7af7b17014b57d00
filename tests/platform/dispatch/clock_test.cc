#include "platform/dispatch/clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/dispatch/main_loop.h"
#include "platform/dispatch/queue.h"
#include "platform/dispatch/semaphore.h"

namespace dispatch {
namespace {

double secondsSince(TimePoint start) { return std::chrono::duration<double>(now() - start).count(); }

// Records, from any thread, what fired and when on the clock in force.
class Log {
 public:
  void add(std::string what) {
    std::lock_guard lock(mutex_);
    entries_.push_back(std::move(what));
  }
  std::vector<std::string> entries() {
    std::lock_guard lock(mutex_);
    return entries_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> entries_;
};

class ManualClockTest : public ::testing::Test {
 protected:
  main_loop::TestScope loop_;
  ScopedManualClock clock_;
  TimePoint start_ = now();
};

TEST_F(ManualClockTest, AdvanceMovesMonotonicAndWallTimeTogether) {
  const double wall = clock().wallSeconds();
  clock_->advance(Seconds(3));
  EXPECT_DOUBLE_EQ(secondsSince(start_), 3.0);
  EXPECT_DOUBLE_EQ(clock().wallSeconds(), wall + 3.0);
  clock_->advance(Seconds(-5));
  EXPECT_DOUBLE_EQ(secondsSince(start_), 3.0);
}

TEST_F(ManualClockTest, FiresExactlyTheDelayedBlocksDueInDeadlineOrderOnTheirQueues) {
  Log log;
  auto serial = Queue::serial("test.delayed.serial");
  auto concurrent = Queue::concurrent("test.delayed.concurrent");
  struct Case {
    std::shared_ptr<Queue> queue;
    double delay;
    std::string name;
  };
  for (const Case& c : std::vector<Case>{{serial, 2.0, "serial@2"},
                                         {main(), 1.0, "main@1"},
                                         {concurrent, 3.5, "concurrent@3.5"},
                                         {main(), 2.5, "main@2.5"},
                                         {concurrent, 0.5, "concurrent@0.5"}}) {
    c.queue->asyncAfter(Seconds(c.delay), [&log, c] {
      EXPECT_TRUE(c.queue->isCurrent()) << c.name;
      log.add(c.name);
    });
  }
  clock_->advance(Seconds(2.5));
  EXPECT_EQ(log.entries(), (std::vector<std::string>{"concurrent@0.5", "main@1", "serial@2", "main@2.5"}));
  clock_->advance(Seconds(0.9));
  EXPECT_EQ(log.entries().size(), 4u);
  clock_->advance(Seconds(0.1));
  EXPECT_EQ(log.entries().back(), "concurrent@3.5");
}

TEST_F(ManualClockTest, BlocksRunAtTheirOwnDeadlineAndTheirFollowUpsFireInTheSameAdvance) {
  std::vector<double> firedAt;  // touched only by the serial queue
  auto queue = Queue::serial("test.chain");
  std::function<void()> step = [&] {
    firedAt.push_back(secondsSince(start_));
    if (firedAt.size() < 3) queue->asyncAfter(Seconds(1), step);
  };
  queue->asyncAfter(Seconds(1), step);
  clock_->advance(Seconds(3));
  queue->sync([&] { EXPECT_EQ(firedAt, (std::vector<double>{1.0, 2.0, 3.0})); });
}

TEST_F(ManualClockTest, TenSecondTimeOutTakesNoRealTime) {
  Semaphore never(0);
  std::atomic<int> result{-1};
  auto queue = Queue::serial("test.timeout");
  queue->async([&, never]() mutable { result = static_cast<int>(never.wait(Seconds(10))); });
  const auto realStart = std::chrono::steady_clock::now();
  clock_->advance(Seconds(9.9));
  EXPECT_EQ(result, -1);
  clock_->advance(Seconds(0.1));
  EXPECT_EQ(result, static_cast<int>(WaitResult::TimedOut));
  EXPECT_LT(std::chrono::steady_clock::now() - realStart, std::chrono::seconds(2));
}

// The core's loads: each waits on one semaphore on its own queue, while another queue's block
// keeps running; advancing the clock times out every wait that reached its deadline, and no other.
TEST_F(ManualClockTest, SeveralBlockedWaitsTimeOutWhileAnotherQueueRuns) {
  Semaphore held(0);
  Semaphore busyRelease(0);
  std::atomic<int> timedOut{0};
  std::atomic<bool> busyDone{false};
  Queue::serial("test.busy")->async([&, busyRelease]() mutable {
    busyRelease.wait();
    busyDone = true;
  });
  std::vector<std::shared_ptr<Queue>> queues;
  for (int i = 0; i < 6; ++i) {
    queues.push_back(Queue::serial("test.load"));
    // The first three wait 10 s, the others 20 s.
    queues.back()->async([&, held, i]() mutable {
      if (held.wait(Seconds(i < 3 ? 10 : 20)) == WaitResult::TimedOut) ++timedOut;
    });
  }
  clock_->advance(Seconds(10));
  EXPECT_EQ(timedOut, 3);
  EXPECT_FALSE(busyDone);
  busyRelease.signal();
  EXPECT_TRUE(main_loop::runUntil([&] { return busyDone.load(); }, Seconds(5)));
  clock_->advance(Seconds(10));
  EXPECT_EQ(timedOut, 6);
}

// A serial queue holds later work behind a block that waits: the second load's 10 s start only
// when it reaches the semaphore.
TEST_F(ManualClockTest, WaitBehindABusySerialQueueStartsItsTimeOutWhenItRuns) {
  Semaphore gate(1);
  Semaphore response(0);
  auto queue = Queue::serial("test.loads");
  std::atomic<int> second{-1};
  queue->async([=]() mutable {
    gate.wait(Seconds(10));
    response.wait(Seconds(6));  // the first load's request takes 6 s
  });
  queue->async([&, gate]() mutable { second = static_cast<int>(gate.wait(Seconds(10))); });
  clock_->advance(Seconds(15.9));
  EXPECT_EQ(second, -1);
  clock_->advance(Seconds(0.1));
  EXPECT_EQ(second, static_cast<int>(WaitResult::TimedOut));
}

TEST_F(ManualClockTest, AdvanceFromAnotherThreadWakesAWaitOnTheMainThread) {
  Semaphore semaphore(0);
  std::atomic<bool> waited{false};
  std::thread advancer([&] {
    while (!waited) {
      clock_->advance(Seconds(1));
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  EXPECT_EQ(semaphore.wait(Seconds(5)), WaitResult::TimedOut);
  waited = true;
  advancer.join();
  EXPECT_GE(secondsSince(start_), 5.0);
}

TEST_F(ManualClockTest, AdvanceFromAQueueBlockDoesNotWaitForThatBlock) {
  std::atomic<bool> fired{false};
  Queue::serial("test.other")->asyncAfter(Seconds(1), [&] { fired = true; });
  const auto realStart = std::chrono::steady_clock::now();
  Queue::serial("test.advancer")->sync([&] { clock_->advance(Seconds(1)); });
  EXPECT_TRUE(fired);
  EXPECT_LT(std::chrono::steady_clock::now() - realStart, std::chrono::seconds(1));
}

TEST_F(ManualClockTest, ReplacingTheManualClockDropsItsDelayedBlocks) {
  auto witness = std::make_shared<int>(0);
  std::weak_ptr<int> weak = witness;
  Queue::serial("test.dropped")->asyncAfter(Seconds(1), [witness] {});
  witness.reset();
  EXPECT_FALSE(weak.expired());
  setClock(std::make_shared<ManualClock>());
  EXPECT_TRUE(weak.expired());
}

TEST(ClockTest, ManualClockNotInForceOnlyMovesItsOwnTime) {
  ManualClock manual(100.0, 3600);
  bool fired = false;
  main_loop::TestScope loop;
  main()->asyncAfter(Seconds(3600), [&] { fired = true; });
  manual.advance(Seconds(7200));
  main_loop::drain();
  EXPECT_FALSE(fired);
  EXPECT_DOUBLE_EQ(manual.wallSeconds(), 7300.0);
  EXPECT_EQ(manual.timeZoneOffsetSeconds(), 3600);
  EXPECT_FALSE(clock().isManual());
}

TEST(ClockTest, SystemClockDelaysInRealTime) {
  main_loop::TestScope loop;
  std::atomic<bool> fired{false};
  const auto start = std::chrono::steady_clock::now();
  Queue::serial("test.real")->asyncAfter(Seconds(0.003), [&] { fired = true; });
  EXPECT_TRUE(main_loop::runUntil([&] { return fired.load(); }, Seconds(5)));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(3));
}

}  // namespace
}  // namespace dispatch
