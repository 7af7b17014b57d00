// A tap: the required number of fingers come down and lift without moving far, the required number
// of times in quick succession. Recognised (ended) when the last required tap lifts.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "platform/ui/gesture_recognizer.h"

namespace dispatch {
class Timer;
}

namespace ui {

class TapGestureRecognizer : public GestureRecognizer {
 public:
  // How far a finger may move and still tap, and how long the next tap of a series may wait.
  static constexpr double kAllowableMovement = 10;
  static constexpr double kMaximumTapInterval = 0.35;

  using GestureRecognizer::GestureRecognizer;
  ~TapGestureRecognizer() override;

  int numberOfTapsRequired() const { return tapsRequired_; }
  void setNumberOfTapsRequired(int taps) { tapsRequired_ = taps < 1 ? 1 : taps; }
  int numberOfTouchesRequired() const { return touchesRequired_; }
  void setNumberOfTouchesRequired(int touches) { touchesRequired_ = touches < 1 ? 1 : touches; }

 protected:
  void touchesBegan(const Touches& touches) override;
  void touchesMoved(const Touches& touches) override;
  void touchesEnded(const Touches& touches) override;
  void reset() override;
  bool isAwaitingMoreTouches() const override;

 private:
  void stopWaiting();

  int tapsRequired_ = 1;
  int touchesRequired_ = 1;
  int taps_ = 0;
  int down_ = 0;
  int mostDown_ = 0;  // fingers down together in this tap
  std::vector<std::pair<const Touch*, Point>> starts_;
  std::shared_ptr<dispatch::Timer> wait_;
};

}  // namespace ui
