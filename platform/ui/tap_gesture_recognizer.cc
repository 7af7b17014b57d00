#include "platform/ui/tap_gesture_recognizer.h"

#include <algorithm>
#include <cmath>

#include "platform/dispatch/timer.h"

namespace ui {

TapGestureRecognizer::~TapGestureRecognizer() { stopWaiting(); }

void TapGestureRecognizer::touchesBegan(const Touches& touches) {
  stopWaiting();
  if (down_ == 0) {
    mostDown_ = 0;
    starts_.clear();
  }
  for (const auto& touch : touches) starts_.emplace_back(touch.get(), touch->location(nullptr));
  down_ += static_cast<int>(touches.size());
  mostDown_ = std::max(mostDown_, down_);
  if (mostDown_ > touchesRequired_) setState(State::failed);
}

void TapGestureRecognizer::touchesMoved(const Touches& touches) {
  for (const auto& touch : touches) {
    for (const auto& [started, at] : starts_) {
      if (started != touch.get()) continue;
      Point now = touch->location(nullptr);
      if (std::hypot(now.x - at.x, now.y - at.y) > kAllowableMovement) {
        setState(State::failed);
        return;
      }
    }
  }
}

void TapGestureRecognizer::touchesEnded(const Touches& touches) {
  down_ -= static_cast<int>(touches.size());
  if (down_ > 0) return;
  down_ = 0;
  if (mostDown_ != touchesRequired_) {
    setState(State::failed);
    return;
  }
  if (++taps_ >= tapsRequired_) {
    setState(State::ended);
    return;
  }
  // Wait for the next tap of the series; none in time and the gesture fails.
  std::weak_ptr<GestureRecognizer> weak = weak_from_this();
  wait_ = dispatch::Timer::scheduled(
      dispatch::Seconds(kMaximumTapInterval), false,
      [weak](dispatch::Timer&) {
        if (auto self = std::static_pointer_cast<TapGestureRecognizer>(weak.lock())) {
          self->wait_.reset();
          self->setState(State::failed);
        }
      },
      dispatch::RunLoopMode::Common);
}

void TapGestureRecognizer::reset() {
  stopWaiting();
  taps_ = down_ = mostDown_ = 0;
  starts_.clear();
}

bool TapGestureRecognizer::isAwaitingMoreTouches() const { return wait_ && wait_->isValid(); }

void TapGestureRecognizer::stopWaiting() {
  if (wait_) wait_->invalidate();
  wait_.reset();
}

}  // namespace ui
