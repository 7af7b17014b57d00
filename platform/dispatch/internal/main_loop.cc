#include "platform/dispatch/internal/main_loop_impl.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>

#include "platform/dispatch/internal/run_block.h"
#include "platform/dispatch/internal/scheduler.h"
#include "platform/dispatch/timer.h"

namespace dispatch::internal {
namespace {

const std::string kMainLabel = "main";
constexpr auto kPredicatePoll = std::chrono::milliseconds(1);

bool firesIn(RunLoopMode timerMode, RunLoopMode loopMode) {
  return timerMode == RunLoopMode::Common || timerMode == loopMode;
}

// The first tick after `now` on the timer's grid: missed ticks are skipped, not fired in a burst.
TimePoint nextTick(TimePoint last, Seconds interval, TimePoint now) {
  auto step = std::chrono::duration_cast<std::chrono::nanoseconds>(interval);
  TimePoint next = last + step;
  if (next <= now) next += step * ((now - next) / step + 1);
  return next;
}

// Rounded up, so that a wait never ends just before its deadline; -1 without one.
int millisecondsUntil(std::optional<std::chrono::steady_clock::time_point> deadline) {
  if (!deadline) return -1;
  const double ms = std::chrono::duration<double, std::milli>(*deadline - std::chrono::steady_clock::now()).count();
  return static_cast<int>(std::clamp(std::ceil(ms), 0.0, 86'400'000.0));
}

}  // namespace

MainLoop& MainLoop::shared() {
  static auto* loop = new MainLoop;
  return *loop;
}

void MainLoop::post(Block block) {
  std::lock_guard guard(mutex_);
  blocks_.push_back(std::move(block));
  notifyLocked();
}

void MainLoop::wake() {
  std::lock_guard guard(mutex_);
  notifyLocked();
}

void MainLoop::notifyLocked() {
  ++wakeups_;
  changed_.notify_all();
  if (wakeFdArmed_) {
    const std::uint64_t one = 1;
    // A full counter already wakes the poll: a failed write loses nothing.
    [[maybe_unused]] ssize_t written = ::write(wakeFd_, &one, sizeof one);
  }
}

bool MainLoop::hasBlocks() {
  std::lock_guard guard(mutex_);
  return !blocks_.empty();
}

void MainLoop::bind() { thread_ = std::this_thread::get_id(); }

bool MainLoop::isMainThread() const { return thread_.load() == std::this_thread::get_id(); }

bool MainLoop::ensureMainThread() {
  std::thread::id none{};
  thread_.compare_exchange_strong(none, std::this_thread::get_id());
  return isMainThread();
}

RunLoopMode MainLoop::mode() const { return mode_; }

void MainLoop::setMode(RunLoopMode mode) {
  // The loop runs in Default or Tracking; Common only describes timers.
  mode_ = mode == RunLoopMode::Tracking ? RunLoopMode::Tracking : RunLoopMode::Default;
  wake();
}

bool MainLoop::runPendingBlocks() {
  bool ran = false;
  for (;;) {
    Block block;
    {
      std::lock_guard guard(mutex_);
      if (blocks_.empty()) return ran;
      block = std::move(blocks_.front());
      blocks_.pop_front();
    }
    runGuarded(block, kMainLabel);
    ran = true;
  }
}

std::shared_ptr<Timer> MainLoop::takeDueTimerLocked(TimePoint now) {
  std::shared_ptr<Timer> due;
  for (auto& timer : timers_) {
    if (timer->fireDate_ > now || !firesIn(timer->mode_, mode_)) continue;
    if (!due || timer->fireDate_ < due->fireDate_) due = timer;
  }
  return due;
}

bool MainLoop::fireDueTimers(TimePoint upTo) {
  bool fired = false;
  for (;;) {
    std::shared_ptr<Timer> timer;
    std::shared_ptr<const Timer::Callback> callback;
    {
      std::lock_guard guard(mutex_);
      timer = takeDueTimerLocked(upTo);
      if (!timer) return fired;
      timer->tickDate_ = timer->fireDate_;
      callback = timer->callback_;
      if (timer->repeats_) {
        timer->fireDate_ = nextTick(timer->fireDate_, timer->interval_, std::max(upTo, now()));
      } else {
        timer->valid_ = false;
        timer->callback_.reset();
        timers_.erase(std::find(timers_.begin(), timers_.end(), timer));
      }
    }
    runGuarded([&] { (*callback)(*timer); }, kMainLabel);
    fired = true;
  }
}

void MainLoop::addTimer(std::shared_ptr<Timer> timer) {
  std::lock_guard guard(mutex_);
  timers_.push_back(std::move(timer));
  notifyLocked();
}

void MainLoop::invalidate(Timer& timer) {
  std::shared_ptr<const Timer::Callback> callback;
  std::shared_ptr<Timer> held;
  std::lock_guard guard(mutex_);
  if (!timer.valid_) return;
  timer.valid_ = false;
  callback = std::move(timer.callback_);
  auto it = std::find_if(timers_.begin(), timers_.end(), [&](const auto& t) { return t.get() == &timer; });
  if (it != timers_.end()) {
    held = std::move(*it);
    timers_.erase(it);
  }
  // `callback` and `held` are declared before the guard, so they go after the unlock.
}

std::optional<TimePoint> MainLoop::nextTimerAfter(TimePoint now) {
  std::lock_guard guard(mutex_);
  std::optional<TimePoint> next;
  for (auto& timer : timers_) {
    if (timer->fireDate_ > now && (!next || timer->fireDate_ < *next)) next = timer->fireDate_;
  }
  return next;
}

// Timers are taken as due at the start: with a slow callback on the system clock, a frame timer
// would otherwise be due again each time round and drain() would never end.
void MainLoop::drain() {
  if (!ensureMainThread()) return;
  if (source_) serveSource(*source_, 0);
  const TimePoint upTo = now();
  while (runPendingBlocks() | fireDueTimers(upTo)) {
  }
}

// Waits, in real time, until a block is posted, something wakes the loop, the next active timer
// is due (on the system clock) or `until` passes.
void MainLoop::waitForWork(std::optional<std::chrono::steady_clock::time_point> until) {
  std::unique_lock guard(mutex_);
  if (!blocks_.empty() || stopRequested_) return;
  std::optional<std::chrono::steady_clock::time_point> deadline = until;
  if (!clock().isManual()) {
    for (auto& timer : timers_) {
      if (!firesIn(timer->mode_, mode_)) continue;
      if (!deadline || timer->fireDate_ < *deadline) deadline = timer->fireDate_;
    }
  }
  if (source_) {
    guard.unlock();
    serveSource(*source_, millisecondsUntil(deadline));
    return;
  }
  const std::uint64_t seen = wakeups_;
  auto woken = [&] { return wakeups_ != seen || !blocks_.empty(); };
  if (deadline) {
    changed_.wait_until(guard, *deadline, woken);
  } else {
    changed_.wait(guard, woken);
  }
}

bool MainLoop::runUntil(const std::function<bool()>& predicate, Seconds timeout) {
  const auto end = std::chrono::steady_clock::now() +
                   std::chrono::duration_cast<std::chrono::nanoseconds>(std::max(timeout, Seconds(0)));
  const bool onMain = ensureMainThread();
  for (;;) {
    if (onMain) drain();
    if (predicate()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    if (onMain) {
      // The predicate may turn on state another thread sets without posting to the loop: look
      // again every millisecond.
      waitForWork(std::min(end, std::chrono::steady_clock::now() + kPredicatePoll));
    } else {
      // Another thread is the main one: only watch the predicate.
      std::this_thread::sleep_for(kPredicatePoll);
    }
  }
}

void MainLoop::run() {
  bind();
  {
    std::lock_guard guard(mutex_);
    stopRequested_ = false;
  }
  for (;;) {
    drain();
    {
      std::lock_guard guard(mutex_);
      if (stopRequested_) return;
    }
    waitForWork(std::nullopt);
  }
}

void MainLoop::setEventSource(main_loop::EventSource* source) {
  if (source && wakeFd_ < 0) wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  std::lock_guard guard(mutex_);
  source_ = source;
  wakeFdArmed_ = source && wakeFd_ >= 0;
}

void MainLoop::serveSource(main_loop::EventSource& source, int timeoutMs) {
  std::vector<pollfd> fds;
  const int allowed = source.prepare(fds);
  if (allowed >= 0 && (timeoutMs < 0 || allowed < timeoutMs)) timeoutMs = allowed;
  const std::size_t count = fds.size();
  if (wakeFd_ >= 0) fds.push_back(pollfd{wakeFd_, POLLIN, 0});
  while (::poll(fds.data(), fds.size(), timeoutMs) < 0 && errno == EINTR) {
  }
  if (fds.size() > count && (fds.back().revents & POLLIN)) {
    std::uint64_t counter = 0;
    [[maybe_unused]] ssize_t got = ::read(wakeFd_, &counter, sizeof counter);
  }
  fds.resize(count);
  source.dispatch(fds);
}

void MainLoop::stop() {
  std::lock_guard guard(mutex_);
  stopRequested_ = true;
  notifyLocked();
}

void MainLoop::reset() {
  std::deque<Block> blocks;
  std::vector<std::shared_ptr<Timer>> timers;
  std::vector<std::shared_ptr<const Timer::Callback>> callbacks;
  {
    std::lock_guard guard(mutex_);
    blocks.swap(blocks_);
    timers.swap(timers_);
    for (auto& timer : timers) {
      timer->valid_ = false;
      callbacks.push_back(std::move(timer->callback_));
    }
    thread_ = std::thread::id{};
    mode_ = RunLoopMode::Default;
    stopRequested_ = false;
    ++wakeups_;
  }
  Scheduler::shared().drop();
  // What was discarded is destroyed here, outside every lock.
}

}  // namespace dispatch::internal
