// A pan: one or more fingers move further than a small hysteresis; began at that point, changed on
// every move after, ended when the last finger lifts. Translation is the centroid's travel since
// the fingers came down; velocity is measured over the last tenth of a second, so a finger that
// rested before lifting lets go at rest.
#pragma once

#include <climits>
#include <vector>

#include "platform/dispatch/clock.h"
#include "platform/ui/gesture_recognizer.h"

namespace ui {

class PanGestureRecognizer : public GestureRecognizer {
 public:
  static constexpr double kHysteresis = 10;

  using GestureRecognizer::GestureRecognizer;

  int minimumNumberOfTouches() const { return minimumTouches_; }
  void setMinimumNumberOfTouches(int touches) { minimumTouches_ = touches < 1 ? 1 : touches; }
  int maximumNumberOfTouches() const { return maximumTouches_; }
  void setMaximumNumberOfTouches(int touches) { maximumTouches_ = touches < 1 ? 1 : touches; }

  // Travel in a view's coordinate space (null: the window's); views are taken as untransformed.
  Point translation(const View* in) const;
  void setTranslation(Point translation, const View* in);
  // Points per second.
  Point velocity(const View* in) const;

 protected:
  void touchesBegan(const Touches& touches) override;
  void touchesMoved(const Touches& touches) override;
  void touchesEnded(const Touches& touches) override;
  void reset() override;

 private:
  struct Sample {
    dispatch::TimePoint time;
    Point location;
  };
  Point centroid() const;
  void record(dispatch::TimePoint time);

  int minimumTouches_ = 1;
  int maximumTouches_ = INT_MAX;
  int down_ = 0;
  Point start_;        // centroid where the travel is measured from
  Point translation_;  // travel in window coordinates
  std::vector<Sample> samples_;
};

}  // namespace ui
