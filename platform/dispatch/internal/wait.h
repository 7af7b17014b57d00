// The one way a thread blocks inside dispatch (semaphores, groups, sync): deadlines read the clock
// in force, a manual clock's advance() wakes the waits it makes due, and the worker pool knows which
// of its threads are blocked so that it can keep serving other queues.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>

#include "platform/dispatch/clock.h"

namespace dispatch::internal {

struct Waiter {
  Waiter(std::mutex& owner, std::optional<TimePoint> until = std::nullopt);

  std::mutex& mutex;
  std::condition_variable cv;
  const std::optional<TimePoint> deadline;
  const bool onWorker;          // the waiting thread is one of the pool's
  bool countedBlocked = false;  // guarded by the pool's mutex
};

// `t` plus `by`, saturated so that no duration overflows (a NaN counts as no time).
TimePoint addSaturated(TimePoint t, Seconds by);
// The deadline `timeout` from now on the clock in force.
TimePoint deadlineAfter(Seconds timeout);

// Called with the owner's mutex held. The waker clears the blocked mark itself, so the pool and a
// settling advance() see the thread as runnable at once, not only when it gets scheduled.
void wake(Waiter& waiter);

// Wakes every registered wait whose deadline is at or before `now` (a manual clock's step).
void wakeDueWaits(TimePoint now);
// Wakes every registered timed wait to look at the clock again (the clock was replaced).
void wakeAllTimedWaits();
// The earliest deadline of a registered wait strictly after `now`.
std::optional<TimePoint> nextWaitDeadlineAfter(TimePoint now);

// Pieces of block(), kept out of line.
void beginBlock(std::unique_lock<std::mutex>& lock, Waiter& waiter);
void endBlock(std::unique_lock<std::mutex>& lock, Waiter& waiter);
bool deadlinePassed(const Waiter& waiter);
void waitOnce(std::unique_lock<std::mutex>& lock, Waiter& waiter);

// With `lock` held on waiter.mutex: waits until ready() holds or the deadline passes on the clock
// in force. Returns ready().
template <class Ready>
bool block(std::unique_lock<std::mutex>& lock, Waiter& waiter, Ready ready) {
  if (ready()) return true;
  beginBlock(lock, waiter);
  while (!ready() && !deadlinePassed(waiter)) waitOnce(lock, waiter);
  endBlock(lock, waiter);
  return ready();
}

}  // namespace dispatch::internal
