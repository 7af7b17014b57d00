#include "platform/ui/display_link.h"

#include "platform/dispatch/timer.h"

namespace ui {
namespace {

double seconds(dispatch::TimePoint time) { return std::chrono::duration<double>(time.time_since_epoch()).count(); }

}  // namespace

std::shared_ptr<DisplayLink> DisplayLink::create(Callback callback) {
  return std::make_shared<DisplayLink>(Private{}, std::move(callback));
}

DisplayLink::DisplayLink(Private, Callback callback) : callback_(std::move(callback)) {
  timestamp_ = seconds(dispatch::now());
}

DisplayLink::~DisplayLink() {
  if (timer_) timer_->invalidate();
}

void DisplayLink::add(dispatch::RunLoopMode mode) {
  if (!valid_) return;
  const bool wasDefault = inDefault_, wasTracking = inTracking_;
  inDefault_ = inDefault_ || mode != dispatch::RunLoopMode::Tracking;
  inTracking_ = inTracking_ || mode != dispatch::RunLoopMode::Default;
  if (timer_ && wasDefault == inDefault_ && wasTracking == inTracking_) return;
  schedule();
}

// One timer in the modes the link was added to; the timer holds the link while it runs.
void DisplayLink::schedule() {
  if (timer_) timer_->invalidate();
  dispatch::RunLoopMode mode = inDefault_ && inTracking_ ? dispatch::RunLoopMode::Common
                               : inTracking_               ? dispatch::RunLoopMode::Tracking
                                                           : dispatch::RunLoopMode::Default;
  std::shared_ptr<DisplayLink> self = shared_from_this();
  timer_ = dispatch::Timer::scheduled(
      dispatch::Seconds(duration()), true,
      [self](dispatch::Timer& timer) {
        if (!self->valid_ || self->paused_) return;
        self->timestamp_ = seconds(timer.tickDate());
        Callback callback = self->callback_;  // the callback may invalidate the link
        if (callback) callback(*self);
      },
      mode);
}

void DisplayLink::invalidate() {
  valid_ = false;
  if (timer_) timer_->invalidate();
  timer_.reset();
  callback_ = nullptr;
}

}  // namespace ui
