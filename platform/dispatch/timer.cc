#include "platform/dispatch/timer.h"

#include <algorithm>

#include "platform/dispatch/internal/main_loop_impl.h"
#include "platform/dispatch/internal/wait.h"

namespace dispatch {
namespace {

constexpr Seconds kShortestRepeat{0.001};

}  // namespace

Timer::Timer(Private, Seconds interval, bool repeats, Callback callback, RunLoopMode mode)
    : interval_(repeats ? std::max(interval, kShortestRepeat) : std::max(interval, Seconds(0))),
      repeats_(repeats),
      mode_(mode),
      callback_(std::make_shared<const Callback>(std::move(callback))) {}

std::shared_ptr<Timer> Timer::scheduled(Seconds interval, bool repeats, Callback callback, RunLoopMode mode) {
  auto timer = std::make_shared<Timer>(Private{}, interval, repeats, std::move(callback), mode);
  if (!*timer->callback_) {
    timer->valid_ = false;
    timer->callback_.reset();
    return timer;
  }
  timer->fireDate_ = internal::deadlineAfter(timer->interval_);
  internal::MainLoop::shared().addTimer(timer);
  return timer;
}

void Timer::invalidate() { internal::MainLoop::shared().invalidate(*this); }

bool Timer::isValid() const {
  auto lock = internal::MainLoop::shared().lock();
  return valid_;
}

TimePoint Timer::fireDate() const {
  auto lock = internal::MainLoop::shared().lock();
  return fireDate_;
}

TimePoint Timer::tickDate() const {
  auto lock = internal::MainLoop::shared().lock();
  return tickDate_;
}

}  // namespace dispatch
