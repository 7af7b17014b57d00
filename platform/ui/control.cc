#include "platform/ui/control.h"

#include <algorithm>

namespace ui {

Control::Control() = default;

Control::Control(const Rect& frame) : View(frame) {}

void Control::addTarget(const void* target, Action action, ControlEvent events) {
  if (!action) return;
  registrations_.push_back({target, std::move(action), events});
}

void Control::removeTarget(const void* target, ControlEvent events) {
  const auto remaining = static_cast<unsigned>(events);
  for (auto& registration : registrations_) {
    if (target && registration.target != target) continue;
    registration.events = static_cast<ControlEvent>(static_cast<unsigned>(registration.events) & ~remaining);
  }
  std::erase_if(registrations_, [](const Registration& r) { return static_cast<unsigned>(r.events) == 0; });
}

void Control::addAction(ControlEvent events, std::function<void()> closure) {
  if (!closure) return;
  closureTargets_.push_back(std::make_unique<char>());
  addTarget(closureTargets_.back().get(), [closure = std::move(closure)](Control&) { closure(); }, events);
}

std::vector<const void*> Control::allTargets() const {
  std::vector<const void*> targets;
  for (const auto& registration : registrations_) {
    if (std::find(targets.begin(), targets.end(), registration.target) == targets.end()) {
      targets.push_back(registration.target);
    }
  }
  return targets;
}

void Control::sendActions(ControlEvent event) {
  // Actions may add or remove targets, or release the control: work on a copy, keep it alive.
  std::vector<Action> actions;
  for (const auto& registration : registrations_) {
    if (intersects(registration.events, event)) actions.push_back(registration.action);
  }
  std::shared_ptr<View> keepAlive = shared();
  for (auto& action : actions) action(*this);
}

void Control::setEnabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled && tracking_) touchCancelled();
  setNeedsDisplay();
}

void Control::setSelected(bool selected) {
  selected_ = selected;
  setNeedsDisplay();
}

void Control::setHighlighted(bool highlighted) {
  highlighted_ = highlighted;
  setNeedsDisplay();
}

ControlState Control::state() const {
  unsigned state = 0;
  if (highlighted_) state |= static_cast<unsigned>(ControlState::highlighted);
  if (!enabled_) state |= static_cast<unsigned>(ControlState::disabled);
  if (selected_) state |= static_cast<unsigned>(ControlState::selected);
  return static_cast<ControlState>(state);
}

void Control::touchBegan(Point point) {
  if (!enabled_) return;
  tracking_ = true;
  touchInside_ = pointInside(point);
  setHighlighted(true);
  sendActions(ControlEvent::touchDown);
}

void Control::touchMoved(Point point) {
  if (!tracking_) return;
  const bool inside = pointInside(point);
  const bool wasInside = touchInside_;
  touchInside_ = inside;
  if (inside != isHighlighted()) setHighlighted(inside);
  if (inside != wasInside) sendActions(inside ? ControlEvent::touchDragEnter : ControlEvent::touchDragExit);
  sendActions(inside ? ControlEvent::touchDragInside : ControlEvent::touchDragOutside);
}

void Control::touchEnded(Point point) {
  if (!tracking_) return;
  tracking_ = false;
  touchInside_ = pointInside(point);
  setHighlighted(false);
  sendActions(touchInside_ ? ControlEvent::touchUpInside : ControlEvent::touchUpOutside);
}

void Control::touchCancelled() {
  if (!tracking_) return;
  tracking_ = false;
  touchInside_ = false;
  setHighlighted(false);
  sendActions(ControlEvent::touchCancel);
}

}  // namespace ui
