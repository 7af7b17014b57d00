#include "platform/dispatch/timer.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/dispatch/main_loop.h"
#include "platform/dispatch/queue.h"

namespace dispatch {
namespace {

class TimerTest : public ::testing::Test {
 protected:
  double secondsAt(TimePoint t) const { return std::chrono::duration<double>(t - start_).count(); }

  main_loop::TestScope loop_;
  ScopedManualClock clock_;
  TimePoint start_ = now();
};

TEST_F(TimerTest, RepeatingTimerFiresOncePerTickDueAndOneShotOnce) {
  std::vector<double> ticks;
  int shots = 0;
  auto repeating = Timer::scheduled(Seconds(1), true, [&](Timer& t) { ticks.push_back(secondsAt(t.tickDate())); });
  auto once = Timer::scheduled(Seconds(2), false, [&](Timer&) { ++shots; });
  clock_->advance(Seconds(3.5));
  EXPECT_EQ(ticks, (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(shots, 1);
  EXPECT_FALSE(once->isValid());
  EXPECT_TRUE(repeating->isValid());
  EXPECT_DOUBLE_EQ(secondsAt(repeating->fireDate()), 4.0);
  clock_->advance(Seconds(10));
  EXPECT_EQ(shots, 1);
  EXPECT_EQ(ticks.size(), 13u);
}

TEST_F(TimerTest, TrackingHoldsDefaultTimersAndLetsCommonOnesFire) {
  struct Case {
    RunLoopMode mode;
    int duringTracking;
    int afterTracking;  // a held timer fires once for all the ticks it missed
  };
  for (const Case& c : {Case{RunLoopMode::Default, 0, 1}, Case{RunLoopMode::Common, 3, 3}}) {
    int fired = 0;
    auto timer = Timer::scheduled(Seconds(1), true, [&](Timer&) { ++fired; }, c.mode);
    main_loop::setMode(RunLoopMode::Tracking);
    clock_->advance(Seconds(3));
    EXPECT_EQ(fired, c.duringTracking) << static_cast<int>(c.mode);
    main_loop::setMode(RunLoopMode::Default);
    main_loop::drain();
    EXPECT_EQ(fired, c.afterTracking) << static_cast<int>(c.mode);
    timer->invalidate();
    clock_->advance(Seconds(3));
    EXPECT_EQ(fired, c.afterTracking);
  }
}

// Timers that fall due together (held while a drag lasted, or overdue after the main thread was
// busy) fire in the order of their fire dates, not in the order they were scheduled.
TEST_F(TimerTest, TimersDueTogetherFireInTheOrderOfTheirFireDates) {
  struct Case {
    const char* name;
    bool tracking;  // otherwise the clock moves while the main thread is busy elsewhere
  };
  for (const Case& c : {Case{"held by a drag", true}, Case{"overdue after a busy main thread", false}}) {
    SCOPED_TRACE(c.name);
    std::vector<int> order;
    for (int seconds : {3, 1, 2}) {
      Timer::scheduled(Seconds(seconds), false, [&, seconds](Timer&) { order.push_back(seconds); });
    }
    if (c.tracking) {
      main_loop::setMode(RunLoopMode::Tracking);
      clock_->advance(Seconds(4));
      main_loop::setMode(RunLoopMode::Default);
    } else {
      std::thread([&] { clock_->advance(Seconds(4)); }).join();
    }
    EXPECT_TRUE(order.empty());
    main_loop::drain();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  }
}

TEST_F(TimerTest, InvalidateInsideTheCallbackStopsItAndReleasesItsCaptures) {
  auto witness = std::make_shared<int>(0);
  std::weak_ptr<int> weak = witness;
  int fired = 0;
  Timer::scheduled(Seconds(1), true, [&, witness](Timer& t) {
    if (++fired == 2) t.invalidate();
  });
  witness.reset();
  clock_->advance(Seconds(5));
  EXPECT_EQ(fired, 2);
  EXPECT_TRUE(weak.expired());
}

TEST(RealTimeTimerTest, DrainEndsEvenWhenAFrameTakesLongerThanItsInterval) {
  main_loop::TestScope loop;
  int fired = 0;
  auto timer = Timer::scheduled(Seconds(0.001), true, [&](Timer&) {
    ++fired;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  main_loop::drain();
  EXPECT_EQ(fired, 1);
  timer->invalidate();
}

}  // namespace
}  // namespace dispatch
