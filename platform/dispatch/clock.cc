#include "platform/dispatch/clock.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <mutex>
#include <utility>

#include "platform/dispatch/internal/clock_internal.h"
#include "platform/dispatch/internal/main_loop_impl.h"
#include "platform/dispatch/internal/pool.h"
#include "platform/dispatch/internal/scheduler.h"
#include "platform/dispatch/internal/wait.h"

namespace dispatch {
namespace {

struct ClockSlot {
  std::mutex mutex;
  std::shared_ptr<Clock> clock = std::make_shared<SystemClock>();
  std::uint64_t generation = 0;
  bool manual = false;
};

ClockSlot& slot() {
  static auto* s = new ClockSlot;
  return *s;
}

std::shared_ptr<Clock> current() {
  std::lock_guard lock(slot().mutex);
  return slot().clock;
}

// Stands for whichever clock is in force at each call, so a reference to it never dangles.
class ForwardingClock final : public Clock {
 public:
  TimePoint now() const override { return current()->now(); }
  double wallSeconds() const override { return current()->wallSeconds(); }
  int timeZoneOffsetSeconds() const override { return current()->timeZoneOffsetSeconds(); }
  bool isManual() const override { return current()->isManual(); }
};

// How long advance() waits, in real time, for work it set off to finish or block in a wait.
constexpr auto kSettleLimit = std::chrono::seconds(2);

// Lets the work a step set off run to the point where only time could move it on: worker
// blocks finished or blocked in waits, and (called on the main thread) the main queue empty.
void settle() {
  auto& loop = internal::MainLoop::shared();
  auto& pool = internal::Pool::shared();
  const bool onMain = loop.isMainThread();
  const auto end = std::chrono::steady_clock::now() + kSettleLimit;
  for (;;) {
    if (onMain) loop.drain();
    if (pool.settled() && (!onMain || !loop.hasBlocks())) return;
    if (std::chrono::steady_clock::now() >= end) return;
    pool.waitActivity(std::chrono::milliseconds(1));
  }
}

// Everything due at `t`, in the order a real clock passing `t` would set it off.
void fireDueAt(TimePoint t) {
  internal::Scheduler::shared().fireDue(t);
  internal::wakeDueWaits(t);
  auto& loop = internal::MainLoop::shared();
  if (loop.isMainThread()) {
    loop.fireDueTimers(t);
  } else {
    loop.wake();
  }
  settle();
}

std::optional<TimePoint> nextDeadlineAfter(TimePoint t) {
  std::optional<TimePoint> next;
  for (auto candidate : {internal::Scheduler::shared().nextAfter(t), internal::nextWaitDeadlineAfter(t),
                         internal::MainLoop::shared().nextTimerAfter(t)}) {
    if (candidate && (!next || *candidate < *next)) next = candidate;
  }
  return next;
}

}  // namespace

namespace internal {

std::uint64_t clockGeneration() {
  std::lock_guard lock(slot().mutex);
  return slot().generation;
}

bool clockIsManual() {
  std::lock_guard lock(slot().mutex);
  return slot().manual;
}

}  // namespace internal

Clock& clock() {
  static auto* forwarding = new ForwardingClock;
  return *forwarding;
}

TimePoint now() { return current()->now(); }

void setClock(std::shared_ptr<Clock> clock) {
  if (!clock) clock = std::make_shared<SystemClock>();
  std::shared_ptr<Clock> old;
  std::uint64_t oldGeneration = 0;
  bool oldManual = false;
  {
    std::lock_guard lock(slot().mutex);
    old = std::exchange(slot().clock, clock);
    oldGeneration = slot().generation++;
    oldManual = slot().manual;
    slot().manual = clock->isManual();
  }
  // Delayed blocks are in the time of the clock they were scheduled on; a manual clock's time
  // ends with it.
  if (oldManual) internal::Scheduler::shared().drop(oldGeneration);
  internal::Scheduler::shared().clockChanged();
  internal::wakeAllTimedWaits();
  internal::MainLoop::shared().wake();
}

TimePoint SystemClock::now() const {
  return std::chrono::time_point_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now());
}

double SystemClock::wallSeconds() const {
  return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

int SystemClock::timeZoneOffsetSeconds() const {
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return static_cast<int>(local.tm_gmtoff);
}

struct ManualClock::State {
  mutable std::mutex mutex;
  TimePoint monotonic;
  double wall;
  int zoneOffset;
  // Held for a whole advance so two advances do not interleave their steps; recursive because a
  // block that an advance runs on the main thread may advance again.
  std::recursive_mutex advancing;
};

ManualClock::ManualClock(double wallSeconds, int timeZoneOffsetSeconds) : state_(std::make_shared<State>()) {
  // Starting at the real monotonic time keeps blocks already delayed on the system clock the
  // same distance in the future.
  state_->monotonic = SystemClock().now();
  state_->wall = wallSeconds;
  state_->zoneOffset = timeZoneOffsetSeconds;
}

TimePoint ManualClock::now() const {
  std::lock_guard lock(state_->mutex);
  return state_->monotonic;
}

double ManualClock::wallSeconds() const {
  std::lock_guard lock(state_->mutex);
  return state_->wall;
}

int ManualClock::timeZoneOffsetSeconds() const {
  std::lock_guard lock(state_->mutex);
  return state_->zoneOffset;
}

void ManualClock::setWallSeconds(double seconds) {
  std::lock_guard lock(state_->mutex);
  state_->wall = seconds;
}

void ManualClock::setTimeZoneOffsetSeconds(int seconds) {
  std::lock_guard lock(state_->mutex);
  state_->zoneOffset = seconds;
}

void ManualClock::moveTo(TimePoint t) {
  std::lock_guard lock(state_->mutex);
  if (t <= state_->monotonic) return;
  state_->wall += std::chrono::duration<double>(t - state_->monotonic).count();
  state_->monotonic = t;
}

void ManualClock::advance(Seconds by) {
  std::lock_guard advancing(state_->advancing);
  const TimePoint target = internal::addSaturated(now(), std::max(by, Seconds(0)));
  if (current().get() != this) {
    moveTo(target);
    return;
  }
  fireDueAt(now());
  for (auto next = nextDeadlineAfter(now()); next && *next <= target; next = nextDeadlineAfter(now())) {
    moveTo(*next);
    fireDueAt(*next);
  }
  moveTo(target);
  fireDueAt(target);
}

ScopedManualClock::ScopedManualClock(double wallSeconds, int timeZoneOffsetSeconds)
    : clock_(std::make_shared<ManualClock>(wallSeconds, timeZoneOffsetSeconds)) {
  setClock(clock_);
}

ScopedManualClock::~ScopedManualClock() { setClock(nullptr); }

}  // namespace dispatch
