#include "platform/ui/pan_gesture_recognizer.h"

#include <cmath>

namespace ui {
namespace {

constexpr double kVelocityWindow = 0.1;  // seconds

double seconds(dispatch::TimePoint a, dispatch::TimePoint b) {
  return std::chrono::duration<double>(b - a).count();
}

}  // namespace

Point PanGestureRecognizer::translation(const View* in) const {
  (void)in;
  return translation_;
}

void PanGestureRecognizer::setTranslation(Point translation, const View* in) {
  (void)in;
  Point now = centroid();
  start_ = {now.x - translation.x, now.y - translation.y};
  translation_ = translation;
  samples_.clear();
}

Point PanGestureRecognizer::velocity(const View* in) const {
  (void)in;
  if (samples_.size() < 2) return {};
  const Sample& last = samples_.back();
  const Sample* first = &samples_.back();
  for (const Sample& sample : samples_) {
    if (seconds(sample.time, last.time) <= kVelocityWindow + 1e-9) {
      first = &sample;
      break;
    }
  }
  double dt = seconds(first->time, last.time);
  if (dt <= 0) return {};
  return {(last.location.x - first->location.x) / dt, (last.location.y - first->location.y) / dt};
}

Point PanGestureRecognizer::centroid() const { return location(nullptr); }

void PanGestureRecognizer::record(dispatch::TimePoint time) {
  Point now = centroid();
  translation_ = {now.x - start_.x, now.y - start_.y};
  samples_.push_back({time, now});
  while (samples_.size() > 2 && seconds(samples_.front().time, time) > 2 * kVelocityWindow) {
    samples_.erase(samples_.begin());
  }
}

void PanGestureRecognizer::touchesBegan(const Touches& touches) {
  down_ += static_cast<int>(touches.size());
  if (down_ > maximumTouches_) {
    if (state() == State::possible) setState(State::failed);
    return;
  }
  // A finger joining moves the centroid: keep the travel so far and measure on from here.
  Point now = centroid();
  start_ = {now.x - translation_.x, now.y - translation_.y};
  samples_.clear();
  record(touches.front()->timestamp());
}

void PanGestureRecognizer::touchesMoved(const Touches& touches) {
  record(touches.front()->timestamp());
  if (state() == State::possible) {
    if (down_ < minimumTouches_ || std::hypot(translation_.x, translation_.y) < kHysteresis) return;
    setState(State::began);
  } else {
    setState(State::changed);
  }
}

void PanGestureRecognizer::touchesEnded(const Touches& touches) {
  record(touches.front()->timestamp());
  down_ -= static_cast<int>(touches.size());
  if (down_ > 0) return;
  setState(state() == State::possible ? State::failed : State::ended);
}

void PanGestureRecognizer::reset() {
  down_ = 0;
  start_ = translation_ = {};
  samples_.clear();
}

}  // namespace ui
