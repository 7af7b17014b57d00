// A label that counts its text from one number to another over a short time, easing in and out,
// driven by a display link on the main run loop (it keeps counting while a scroll view is dragged),
// and then calls its completion. Time is read from the process clock, so a manual clock drives it.
// Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/display_link.h"
#include "platform/ui/label.h"

namespace velkor {

class AnimatedLabel : public ui::Label {
 public:
  enum class CountingMethod { easeInOut = 0, easeIn = 1, easeOut = 2, linear = 3 };
  // The default formats: "%.0f", "%.1f", "%.2f" and "%f".
  enum class DecimalPoints { zero = 0, one = 1, two = 2, ridiculous = 3 };
  // 20, 15, 8, 2, 0 and 1 seconds.
  enum class AnimationDuration { laborious = 0, plodding = 1, strolling = 2, brisk = 3, instant = 4, counter = 5 };
  static double seconds(AnimationDuration duration);

  const std::function<void()>& completion() const { return completion_; }
  void setCompletion(std::function<void()> completion) { completion_ = std::move(completion); }
  // The duration of a count that names none.
  AnimationDuration animationDuration() const { return animationDuration_; }
  void setAnimationDuration(AnimationDuration duration) { animationDuration_ = duration; }
  DecimalPoints decimalPoints() const { return decimalPoints_; }
  void setDecimalPoints(DecimalPoints points) { decimalPoints_ = points; }
  CountingMethod countingMethod() const { return countingMethod_; }
  void setCountingMethod(CountingMethod method) { countingMethod_ = method; }
  // Replaces the default format when set.
  const std::function<std::string(float)>& customFormatBlock() const { return customFormatBlock_; }
  void setCustomFormatBlock(std::function<std::string(float)> block) { customFormatBlock_ = std::move(block); }

  // Starts a count, stopping one under way without its completion. A duration of exactly 0 shows
  // the end value and calls the completion before returning. While it counts, the display link
  // holds the label.
  void count(float from, float to, std::optional<double> duration = std::nullopt);
  // One tick of the display link; the tick that reaches the end shows exactly the end value.
  void updateValue(ui::DisplayLink& timer);

  bool isCounting() const { return timer_ != nullptr; }

 private:
  float currentValue() const;
  void setTextValue(float value);
  void stopTimer();

  std::function<void()> completion_;
  AnimationDuration animationDuration_ = AnimationDuration::brisk;
  DecimalPoints decimalPoints_ = DecimalPoints::zero;
  CountingMethod countingMethod_ = CountingMethod::easeInOut;
  std::function<std::string(float)> customFormatBlock_;
  float rate_ = 0;
  float startingValue_ = 0;
  float destinationValue_ = 0;
  double progress_ = 0;
  double lastUpdate_ = 0;
  double totalTime_ = 0;
  std::shared_ptr<ui::DisplayLink> timer_;
};

}  // namespace velkor
