// The one sequence of touches under way (internal to touches, recognisers and scroll views): which
// touches are down, which recognisers watch them, and what the hit controls have been told.
#pragma once

#include <memory>
#include <vector>

#include "platform/dispatch/clock.h"
#include "platform/ui/gesture_recognizer.h"
#include "platform/ui/touch.h"

namespace dispatch {
class Timer;
}

namespace ui {

class Control;

class TouchDispatcher {
 public:
  static TouchDispatcher& shared();

  // --- the simulation ---
  // New touches at points of the window (window coordinates); empty when an exclusive control
  // holds the window's touches.
  Touches begin(Window& window, const std::vector<Point>& points, dispatch::TimePoint time);
  void move(const Touches& touches, const std::vector<Point>& points, dispatch::TimePoint time);
  void end(const Touches& touches, dispatch::TimePoint time);
  void cancel(const Touches& touches);
  void cancelAll();
  bool isDown(const Touch& touch) const;

  // --- for recognisers ---
  // The checks that involve the other recognisers and the hit controls.
  bool allowsBegin(GestureRecognizer& recognizer);
  // It began (or recognised): the others that may not share the touches fail, and the hit
  // controls lose the touches when it cancels touches in its view.
  void didBegin(GestureRecognizer& recognizer);
  // It reached a final state; once no finger is down it is reset.
  void settled(GestureRecognizer& recognizer);

  // --- for scroll views ---
  // The hit controls already told of the recogniser's touches (and not since cancelled).
  std::vector<std::shared_ptr<Control>> controlsTouched(const GestureRecognizer& recognizer) const;

 private:
  struct Tracked {
    std::shared_ptr<Touch> touch;
    std::shared_ptr<View> handler;         // the view that handles the touch, if any
    Control* control = nullptr;            // the handler as a control
    TouchResponder* responder = nullptr;   // or as a touch responder
    bool delivered = false;                // the handler heard of the touch
    bool cancelled = false;                // the handler lost the touch (or never will hear of it)
    std::shared_ptr<dispatch::Timer> delay;
  };
  struct LastTap {
    dispatch::TimePoint time{};
    Point location;
    int count = 0;
    Window* window = nullptr;
  };

  Tracked* find(const Touch& touch);
  int tapCount(Window& window, Point point, dispatch::TimePoint time) const;
  void attachRecognizers(const std::shared_ptr<Touch>& touch);
  static void findHandler(Tracked& tracked);
  void startHandler(Tracked& tracked);
  void deliverBegan(Tracked& tracked);
  void deliverMoved(Tracked& tracked);
  void deliverEnded(Tracked& tracked);
  void cancelHandler(Tracked& tracked);
  void finishSequence();
  bool holds(const GestureRecognizer& recognizer, const Touch& touch) const;
  template <class Deliver>
  void forEachRecognizer(const Touches& touches, const Deliver& deliver);

  std::vector<Tracked> tracked_;
  std::vector<std::shared_ptr<GestureRecognizer>> recognizers_;  // deepest view first
  LastTap lastTap_;
};

}  // namespace ui
