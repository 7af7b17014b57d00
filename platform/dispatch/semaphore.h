// A counting semaphore. Its time-outs read the clock in force, so on a manual clock a 10-second
// wait ends when a test advances the clock by 10 seconds, not after 10 real seconds.
#pragma once

#include <memory>

#include "platform/dispatch/clock.h"

namespace dispatch {

enum class WaitResult { Success, TimedOut };

// Copies share one semaphore, so a block can capture it by value.
class Semaphore {
 public:
  // A negative value counts as 0.
  explicit Semaphore(long value = 0);

  // Takes one from the count, waiting up to `timeout` (on the clock in force) for a signal.
  WaitResult wait(Seconds timeout);
  // Waits as long as it takes.
  void wait();
  // Wakes the longest waiter, or adds one to the count (which may rise above the starting value).
  void signal();

 private:
  struct State;
  std::shared_ptr<State> state_;
};

}  // namespace dispatch
