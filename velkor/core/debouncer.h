// Lets a screen ignore a second tap that follows the accepted one within a second, so a double tap
// on a row or tab opens one screen. Main thread only, like the taps it filters.
#pragma once

#include <functional>

namespace velkor {

class Debouncer {
 public:
  static constexpr double debounceTime = 1.0;

  // Runs the action unless the last accepted tap was less than a second ago (on the wall clock of
  // the clock in force); true when it ran.
  bool debounce(const std::function<void()>& action);

 private:
  // Seconds since 1970 of the last accepted tap.
  double lastTapTime_ = 0.0;
};

}  // namespace velkor
