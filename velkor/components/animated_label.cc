#include "velkor/components/animated_label.h"

#include <cmath>
#include <cstdio>

#include "platform/dispatch/clock.h"

namespace velkor {
namespace {

constexpr float kRate = 3.0f;

double nowSeconds() { return std::chrono::duration<double>(dispatch::now().time_since_epoch()).count(); }

float ease(AnimatedLabel::CountingMethod method, float t, float rate) {
  using Method = AnimatedLabel::CountingMethod;
  switch (method) {
    case Method::linear:
      return t;
    case Method::easeIn:
      return std::pow(t, rate);
    case Method::easeOut:
      return 1.0f - std::pow(1.0f - t, rate);
    case Method::easeInOut:
      break;
  }
  const float u = 2 * t;
  if (u < 1) return 0.5f * std::pow(u, rate);
  const float sign = static_cast<long>(rate) % 2 == 0 ? -1.0f : 1.0f;
  return 0.5f * sign * (std::pow(u - 2, rate) + 2 * sign);
}

}  // namespace

double AnimatedLabel::seconds(AnimationDuration duration) {
  switch (duration) {
    case AnimationDuration::laborious: return 20.0;
    case AnimationDuration::plodding: return 15.0;
    case AnimationDuration::strolling: return 8.0;
    case AnimationDuration::brisk: return 2.0;
    case AnimationDuration::instant: return 0.0;
    case AnimationDuration::counter: return 1.0;
  }
  return 2.0;
}

void AnimatedLabel::count(float from, float to, std::optional<double> duration) {
  startingValue_ = from;
  destinationValue_ = to;
  stopTimer();
  if (duration && *duration == 0.0) {
    setTextValue(to);
    if (completion_) completion_();
    return;
  }
  progress_ = 0;
  totalTime_ = duration.value_or(seconds(animationDuration_));
  // A negative or unreadable duration ends at the first tick rather than never.
  if (!(totalTime_ > 0)) totalTime_ = 0;
  lastUpdate_ = nowSeconds();
  rate_ = kRate;
  auto self = std::static_pointer_cast<AnimatedLabel>(shared());
  if (!self) return;  // not a shared view: nothing can hold it while it counts
  timer_ = ui::DisplayLink::create([self](ui::DisplayLink& link) { self->updateValue(link); });
  timer_->add(dispatch::RunLoopMode::Default);
  timer_->add(dispatch::RunLoopMode::Tracking);
}

void AnimatedLabel::updateValue(ui::DisplayLink&) {
  const double now = nowSeconds();
  progress_ += now - lastUpdate_;
  lastUpdate_ = now;
  if (progress_ >= totalTime_) {
    stopTimer();
    progress_ = totalTime_;
  }
  setTextValue(currentValue());
  if (progress_ == totalTime_ && completion_) completion_();
}

float AnimatedLabel::currentValue() const {
  if (progress_ >= totalTime_) return destinationValue_;
  const float t = static_cast<float>(progress_ / totalTime_);
  return startingValue_ + ease(countingMethod_, t, rate_) * (destinationValue_ - startingValue_);
}

void AnimatedLabel::setTextValue(float value) {
  if (customFormatBlock_) {
    setText(customFormatBlock_(value));
    return;
  }
  static constexpr const char* kFormats[] = {"%.0f", "%.1f", "%.2f", "%f"};
  char text[64];
  std::snprintf(text, sizeof text, kFormats[static_cast<int>(decimalPoints_)], static_cast<double>(value));
  setText(text);
}

void AnimatedLabel::stopTimer() {
  if (timer_) timer_->invalidate();
  timer_ = nullptr;
}

}  // namespace velkor
