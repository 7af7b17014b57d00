// Touches and their simulation. A finger put down on a window is hit-tested there; its touch goes
// to the gesture recognisers of the hit view and of every view above it (deepest first), then to
// the view that handles it: the hit view when it is a control (touch down, highlight, touch up
// inside), else the nearest touch responder above it (a table selecting a row). A recogniser that
// recognises with cancelsTouchesInView takes the touch from that view (touch cancel). Inside a
// scroll view that delays content touches, the view hears of a touch only once it has rested
// 0.15 s or ended, so a quick swipe that starts on a button scrolls without touching the button.
//
// Time: each step of a simulated gesture is stamped a given time after the last (which is what a
// pan's velocity is measured from), and never before the clock's present. The simulation does not
// move the clock: a test that wants timers to run while a finger is down advances its clock between
// steps, and the stamps follow it. Main thread only.
#pragma once

#include <memory>
#include <vector>

#include "platform/dispatch/clock.h"
#include "platform/ui/geometry.h"

namespace ui {

class View;
class Window;

enum class TouchPhase { began, moved, stationary, ended, cancelled };

class Touch {
 public:
  TouchPhase phase() const { return phase_; }
  // The view the touch began in (the window's hit test); null when nothing was hit.
  const std::shared_ptr<View>& view() const { return view_; }
  Window* window() const { return window_; }
  // In a view's coordinates; null means the window's.
  Point location(const View* in) const;
  Point previousLocation(const View* in) const;
  // 1 for a first tap, 2 for a second one soon after at the same place, ...
  int tapCount() const { return tapCount_; }
  dispatch::TimePoint timestamp() const { return timestamp_; }

 private:
  friend class TouchDispatcher;
  Point convert(Point windowPoint, const View* in) const;

  TouchPhase phase_ = TouchPhase::began;
  std::shared_ptr<View> view_;
  Window* window_ = nullptr;
  std::shared_ptr<View> windowHold_;  // keeps the window while the touch lasts
  Point location_;
  Point previous_;
  int tapCount_ = 1;
  dispatch::TimePoint timestamp_{};
};

using Touches = std::vector<std::shared_ptr<Touch>>;

// A view that handles touches that land in it or in its subviews (controls aside), as tables and
// collections do to highlight and select their rows.
class TouchResponder {
 public:
  virtual ~TouchResponder() = default;
  virtual void touchBegan(const Touch& touch) = 0;
  virtual void touchMoved(const Touch& touch) = 0;
  virtual void touchEnded(const Touch& touch) = 0;
  virtual void touchCancelled(const Touch& touch) = 0;
};

namespace touch {

// The time between two steps of a simulated gesture: one frame.
inline constexpr dispatch::Seconds kFrame{1.0 / 60};

// One finger on the glass, from down() until up() or cancel(); a finger still down when its
// handle goes is cancelled.
class Finger {
 public:
  // Puts a finger down at a point in the window's coordinates.
  static Finger down(Window& window, Point point);
  Finger(Finger&& other) noexcept;
  Finger& operator=(Finger&& other) noexcept;
  Finger(const Finger&) = delete;
  Finger& operator=(const Finger&) = delete;
  ~Finger();

  // Moves to a point (window coordinates), `after` the previous step.
  void moveTo(Point point, dispatch::Seconds after = kFrame);
  // Lifts the finger where it is, `after` the previous step.
  void up(dispatch::Seconds after = dispatch::Seconds(0));
  // The system takes the touch away (an alert, a call).
  void cancel();
  bool isDown() const;
  const std::shared_ptr<Touch>& touch() const { return touch_; }

 private:
  explicit Finger(std::shared_ptr<Touch> touch) : touch_(std::move(touch)) {}
  std::shared_ptr<Touch> touch_;
};

// Taps at a point (window coordinates): `taps` taps in quick succession, each with `touches`
// fingers side by side.
void tap(Window& window, Point point, int taps = 1, int touches = 1);
// Taps the centre of a view through its window's hit test (so whatever covers it gets the tap).
// False when the view is in no window.
bool tap(View& view);
// Drags from one point to another over the duration and lets go while moving: a fling, which a
// scroll view follows with deceleration.
void swipe(Window& window, Point from, Point to, dispatch::Seconds duration = dispatch::Seconds(0.2));
// Drags from one point to another over the duration, rests and lets go: no momentum.
void pan(Window& window, Point from, Point to, dispatch::Seconds duration = dispatch::Seconds(0.3));
// Cancels every touch still down (a test's clean-up).
void cancelAll();

}  // namespace touch
}  // namespace ui
