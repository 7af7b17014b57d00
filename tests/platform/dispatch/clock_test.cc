#include "platform/dispatch/clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/base/date.h"
#include "platform/dispatch/main_loop.h"
#include "platform/dispatch/queue.h"
#include "platform/dispatch/semaphore.h"

namespace dispatch {
namespace {

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
  const double wallBefore = base::Date::now().timeIntervalSince1970();
  clock_->advance(Seconds(2.5));
  EXPECT_EQ(log.entries(), (std::vector<std::string>{"concurrent@0.5", "main@1", "serial@2", "main@2.5"}));
  // The date moves with the timers.
  EXPECT_DOUBLE_EQ(base::Date::now().timeIntervalSince1970() - wallBefore, 2.5);
  clock_->advance(Seconds(0.9));
  EXPECT_EQ(log.entries().size(), 4u);
  clock_->advance(Seconds(0.1));
  EXPECT_EQ(log.entries().back(), "concurrent@3.5");
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

TEST_F(ManualClockTest, AdvanceFromAQueueBlockDoesNotWaitForThatBlock) {
  std::atomic<bool> fired{false};
  Queue::serial("test.other")->asyncAfter(Seconds(1), [&] { fired = true; });
  const auto realStart = std::chrono::steady_clock::now();
  Queue::serial("test.advancer")->sync([&] { clock_->advance(Seconds(1)); });
  EXPECT_TRUE(fired);
  EXPECT_LT(std::chrono::steady_clock::now() - realStart, std::chrono::seconds(1));
}

}  // namespace
}  // namespace dispatch
