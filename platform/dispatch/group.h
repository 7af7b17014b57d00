// A group of pending tasks: enter() when one starts, leave() when it ends; notify() blocks run once
// the last one has left.
#pragma once

#include <memory>

#include "platform/dispatch/queue.h"
#include "platform/dispatch/semaphore.h"

namespace dispatch {

// Copies share one group, so a block can capture it by value.
class Group {
 public:
  Group();

  void enter();
  // A leave() without a matching enter() is ignored: the count never goes below zero.
  void leave();
  // Runs the block on the queue when the group is empty: at once if it is empty now, otherwise
  // after the last leave(). A null queue means global().
  void notify(std::shared_ptr<Queue> queue, Block block);
  // Waits until the group has been empty since the call (time-out on the clock in force).
  WaitResult wait(Seconds timeout);
  void wait();

 private:
  struct State;
  std::shared_ptr<State> state_;
};

}  // namespace dispatch
