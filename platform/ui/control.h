// A control: a view that turns touches into events (touch down, touch up inside, ...) and sends
// them to the actions registered for them, with the enabled, selected and highlighted states.
//
// Touches come from the touch simulation (or a test) through touchBegan/Moved/Ended/Cancelled, in
// the control's own coordinates: a touch highlights the control while it is down and inside, and
// sends touchUpInside when it ends inside the bounds. A disabled control ignores touches.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/view.h"

namespace ui {

// Raw values as the platform numbers them; a state is a combination of these bits.
enum class ControlState : unsigned { normal = 0, highlighted = 1 << 0, disabled = 1 << 1, selected = 1 << 2 };
constexpr ControlState operator|(ControlState a, ControlState b) {
  return static_cast<ControlState>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

enum class ControlEvent : unsigned {
  touchDown = 1 << 0,
  touchDownRepeat = 1 << 1,
  touchDragInside = 1 << 2,
  touchDragOutside = 1 << 3,
  touchDragEnter = 1 << 4,
  touchDragExit = 1 << 5,
  touchUpInside = 1 << 6,
  touchUpOutside = 1 << 7,
  touchCancel = 1 << 8,
  valueChanged = 1 << 12,
  allTouchEvents = 0x00000FFF,
  allEvents = 0xFFFFFFFF,
};
constexpr ControlEvent operator|(ControlEvent a, ControlEvent b) {
  return static_cast<ControlEvent>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool intersects(ControlEvent a, ControlEvent b) {
  return (static_cast<unsigned>(a) & static_cast<unsigned>(b)) != 0;
}

class Control : public View {
 public:
  // An action gets the control that sent the event.
  using Action = std::function<void(Control& sender)>;

  Control();
  explicit Control(const Rect& frame);

  // --- target-action ---
  // Registers an action of a target for the events. The target only identifies the pair for
  // removal: the action must not outlive what it captures (capture a weak pointer for an object
  // that may go first).
  void addTarget(const void* target, Action action, ControlEvent events);
  // Removes the target's actions for those events (all events: every action of it); a null target
  // removes every action for those events, closures included.
  void removeTarget(const void* target, ControlEvent events);
  // A closure run on the events, kept for the control's life (or until all targets are removed).
  void addAction(ControlEvent events, std::function<void()> closure);
  // The targets with an action for any of the events (each once, in the order added).
  std::vector<const void*> allTargets() const;
  // Runs, in the order they were added, the actions registered for the event (or any event of a
  // combination; each action once).
  void sendActions(ControlEvent event);

  // --- state ---
  bool isEnabled() const { return enabled_; }
  virtual void setEnabled(bool enabled);
  bool isSelected() const { return selected_; }
  virtual void setSelected(bool selected);
  bool isHighlighted() const { return highlighted_; }
  // Subclasses override it to restyle while a touch is down.
  virtual void setHighlighted(bool highlighted);
  ControlState state() const;

  // Whether this control takes touches alone (the touch simulation reads it).
  bool isExclusiveTouch() const { return exclusiveTouch_; }
  void setExclusiveTouch(bool exclusive) { exclusiveTouch_ = exclusive; }

  // --- touches, in the control's coordinates ---
  virtual void touchBegan(Point point);
  virtual void touchMoved(Point point);
  virtual void touchEnded(Point point);
  virtual void touchCancelled();
  bool isTracking() const { return tracking_; }
  bool isTouchInside() const { return touchInside_; }

 private:
  struct Registration {
    const void* target;
    Action action;
    ControlEvent events;
  };
  std::vector<Registration> registrations_;
  // Identities for closures: each gets an address of its own.
  std::vector<std::unique_ptr<char>> closureTargets_;
  bool enabled_ = true;
  bool selected_ = false;
  bool highlighted_ = false;
  bool exclusiveTouch_ = false;
  bool tracking_ = false;
  bool touchInside_ = false;
};

}  // namespace ui
