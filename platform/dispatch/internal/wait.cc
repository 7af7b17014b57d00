#include "platform/dispatch/internal/wait.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/dispatch/internal/pool.h"

namespace dispatch::internal {
namespace {

// Timed waits, so that a manual clock (and a change of clock) can reach them. A waiter registers
// without its owner's mutex held; waking goes registry then owner, never the other way.
struct Registry {
  std::mutex mutex;
  std::vector<Waiter*> waiters;
};

Registry& registry() {
  static auto* r = new Registry;
  return *r;
}

}  // namespace

Waiter::Waiter(std::mutex& owner, std::optional<TimePoint> until)
    : mutex(owner), deadline(until), onWorker(Pool::onWorker()) {}

TimePoint addSaturated(TimePoint t, Seconds by) {
  // About 290 years: far beyond any wait, far below the 64-bit nanosecond limit.
  constexpr double kLongest = 9e9;
  double seconds = std::isnan(by.count()) ? 0.0 : std::clamp(by.count(), -kLongest, kLongest);
  return t + std::chrono::duration_cast<std::chrono::nanoseconds>(Seconds(seconds));
}

TimePoint deadlineAfter(Seconds timeout) { return addSaturated(now(), timeout); }

void wake(Waiter& waiter) {
  Pool::shared().markUnblocked(waiter);
  waiter.cv.notify_all();
}

void wakeDueWaits(TimePoint now) {
  std::lock_guard lock(registry().mutex);
  for (Waiter* waiter : registry().waiters) {
    if (*waiter->deadline > now) continue;
    std::lock_guard owner(waiter->mutex);
    wake(*waiter);
  }
}

void wakeAllTimedWaits() {
  std::lock_guard lock(registry().mutex);
  for (Waiter* waiter : registry().waiters) {
    std::lock_guard owner(waiter->mutex);
    waiter->cv.notify_all();
  }
}

std::optional<TimePoint> nextWaitDeadlineAfter(TimePoint now) {
  std::lock_guard lock(registry().mutex);
  std::optional<TimePoint> next;
  for (Waiter* waiter : registry().waiters) {
    if (*waiter->deadline > now && (!next || *waiter->deadline < *next)) next = waiter->deadline;
  }
  return next;
}

void beginBlock(std::unique_lock<std::mutex>& lock, Waiter& waiter) {
  if (!waiter.deadline) return;
  lock.unlock();
  {
    std::lock_guard guard(registry().mutex);
    registry().waiters.push_back(&waiter);
  }
  lock.lock();
}

void endBlock(std::unique_lock<std::mutex>& lock, Waiter& waiter) {
  Pool::shared().markUnblocked(waiter);
  if (!waiter.deadline) return;
  lock.unlock();
  {
    std::lock_guard guard(registry().mutex);
    auto& all = registry().waiters;
    all.erase(std::find(all.begin(), all.end(), &waiter));
  }
  lock.lock();
}

bool deadlinePassed(const Waiter& waiter) { return waiter.deadline && now() >= *waiter.deadline; }

void waitOnce(std::unique_lock<std::mutex>& lock, Waiter& waiter) {
  Pool::shared().markBlocked(waiter);
  // A manual clock's deadline means nothing in real time: advance() or a change of clock wakes us.
  if (waiter.deadline && !clock().isManual()) {
    waiter.cv.wait_until(lock, *waiter.deadline);
  } else {
    waiter.cv.wait(lock);
  }
}

}  // namespace dispatch::internal
