#include "platform/ui/touch.h"

#include <algorithm>
#include <cmath>

#include "platform/dispatch/timer.h"
#include "platform/ui/control.h"
#include "platform/ui/scroll_view.h"
#include "platform/ui/tap_gesture_recognizer.h"
#include "platform/ui/touch_dispatcher.h"
#include "platform/ui/window.h"

namespace ui {
namespace {

// How long a touch inside a scroll view that delays content touches waits before its control
// hears of it, and how near in time and place a tap must follow the last to count as its second.
constexpr double kContentTouchDelay = 0.15;
constexpr double kMultiTapInterval = 0.35;
constexpr double kMultiTapDistance = 45;

bool isFinal(GestureRecognizerState state) {
  return state == GestureRecognizerState::ended || state == GestureRecognizerState::cancelled ||
         state == GestureRecognizerState::failed;
}

bool isActive(GestureRecognizerState state) {
  return state == GestureRecognizerState::began || state == GestureRecognizerState::changed ||
         state == GestureRecognizerState::ended;
}

double seconds(dispatch::TimePoint from, dispatch::TimePoint to) {
  return std::chrono::duration<double>(to - from).count();
}

// The control that keeps a single tap for itself: an enabled control hit by the touch, unless the
// recogniser sits on that very control.
bool controlKeepsTap(GestureRecognizer& recognizer, const Touches& touches) {
  auto* tap = dynamic_cast<TapGestureRecognizer*>(&recognizer);
  if (!tap || tap->numberOfTapsRequired() != 1 || tap->numberOfTouchesRequired() != 1) return false;
  std::shared_ptr<View> own = recognizer.view();
  for (const auto& touch : touches) {
    auto* control = dynamic_cast<Control*>(touch->view().get());
    if (control && control->isEnabled() && control != own.get()) return true;
  }
  return false;
}

bool delaysContentTouches(const View& hit) {
  for (View* view = hit.superview(); view; view = view->superview()) {
    if (auto* scroll = dynamic_cast<ScrollView*>(view); scroll && scroll->delaysContentTouches()) return true;
  }
  return false;
}

}  // namespace

// --- Touch ---------------------------------------------------------------------------------------

Point Touch::convert(Point windowPoint, const View* in) const {
  if (!in || in == window_) return windowPoint;
  return in->convertFrom(windowPoint, window_);
}

Point Touch::location(const View* in) const { return convert(location_, in); }

Point Touch::previousLocation(const View* in) const { return convert(previous_, in); }

// --- the dispatcher ------------------------------------------------------------------------------

TouchDispatcher& TouchDispatcher::shared() {
  static auto* dispatcher = new TouchDispatcher();
  return *dispatcher;
}

TouchDispatcher::Tracked* TouchDispatcher::find(const Touch& touch) {
  for (auto& tracked : tracked_) {
    if (tracked.touch.get() == &touch) return &tracked;
  }
  return nullptr;
}

bool TouchDispatcher::isDown(const Touch& touch) const {
  return std::any_of(tracked_.begin(), tracked_.end(), [&](const Tracked& t) { return t.touch.get() == &touch; });
}

bool TouchDispatcher::holds(const GestureRecognizer& recognizer, const Touch& touch) const {
  const auto& mine = recognizer.touches_;
  return std::any_of(mine.begin(), mine.end(), [&](const auto& t) { return t.get() == &touch; });
}

int TouchDispatcher::tapCount(Window& window, Point point, dispatch::TimePoint time) const {
  if (lastTap_.count == 0 || lastTap_.window != &window) return 1;
  double since = seconds(lastTap_.time, time);
  if (since < 0 || since > kMultiTapInterval) return 1;
  double distance = std::hypot(point.x - lastTap_.location.x, point.y - lastTap_.location.y);
  return distance <= kMultiTapDistance ? lastTap_.count + 1 : 1;
}

Touches TouchDispatcher::begin(Window& window, const std::vector<Point>& points, dispatch::TimePoint time) {
  for (const auto& tracked : tracked_) {
    if (tracked.control && tracked.control->isExclusiveTouch()) return {};
  }
  Touches touches;
  for (Point point : points) {
    auto touch = std::make_shared<Touch>();
    touch->window_ = &window;
    touch->windowHold_ = window.shared();
    touch->view_ = window.hitTest(point);
    touch->location_ = touch->previous_ = point;
    touch->timestamp_ = time;
    touch->tapCount_ = tapCount(window, point, time);
    Tracked entry;
    entry.touch = touch;
    findHandler(entry);
    if (entry.control && entry.control->isExclusiveTouch() && !tracked_.empty()) continue;
    tracked_.push_back(std::move(entry));
    attachRecognizers(touch);
    touches.push_back(touch);
  }
  forEachRecognizer(touches, [](GestureRecognizer& r, const Touches& mine) { r.touchesBegan(mine); });
  for (const auto& touch : touches) {
    if (Tracked* tracked = find(*touch)) startHandler(*tracked);
  }
  return touches;
}

// The recognisers of the hit view and of every view above it, deepest first, that take the touch.
void TouchDispatcher::attachRecognizers(const std::shared_ptr<Touch>& touch) {
  for (View* view = touch->view_.get(); view; view = view->superview()) {
    for (const auto& recognizer : gestureRecognizers(*view)) {
      if (!recognizer->isEnabled() || isFinal(recognizer->state())) continue;
      if (auto d = recognizer->delegate(); d && !d->gestureRecognizerShouldReceive(*recognizer, *touch)) continue;
      recognizer->touches_.push_back(touch);
      if (std::find(recognizers_.begin(), recognizers_.end(), recognizer) == recognizers_.end()) {
        recognizers_.push_back(recognizer);
      }
    }
  }
}

// Hands each recogniser still watching the touches the ones it holds, in order.
template <class Deliver>
void TouchDispatcher::forEachRecognizer(const Touches& touches, const Deliver& deliver) {
  std::vector<std::shared_ptr<GestureRecognizer>> recognizers = recognizers_;
  for (const auto& recognizer : recognizers) {
    if (isFinal(recognizer->state())) continue;
    Touches mine;
    for (const auto& touch : touches) {
      if (holds(*recognizer, *touch)) mine.push_back(touch);
    }
    if (!mine.empty()) deliver(*recognizer, mine);
  }
}

// The hit view when it is a control, else the nearest touch responder above it.
void TouchDispatcher::findHandler(Tracked& tracked) {
  if (auto* control = dynamic_cast<Control*>(tracked.touch->view().get())) {
    tracked.handler = tracked.touch->view();
    tracked.control = control;
    return;
  }
  for (View* view = tracked.touch->view().get(); view; view = view->superview()) {
    if (auto* responder = dynamic_cast<TouchResponder*>(view)) {
      tracked.handler = view->shared();
      tracked.responder = tracked.handler ? responder : nullptr;
      return;
    }
  }
}

void TouchDispatcher::startHandler(Tracked& tracked) {
  if (!tracked.handler || tracked.cancelled) return;
  if (!delaysContentTouches(*tracked.touch->view())) {
    deliverBegan(tracked);
    return;
  }
  std::weak_ptr<Touch> weak = tracked.touch;
  tracked.delay = dispatch::Timer::scheduled(
      dispatch::Seconds(kContentTouchDelay), false,
      [this, weak](dispatch::Timer&) {
        auto touch = weak.lock();
        if (!touch) return;
        if (Tracked* t = find(*touch)) deliverBegan(*t);
      },
      dispatch::RunLoopMode::Common);
}

void TouchDispatcher::deliverBegan(Tracked& tracked) {
  if (tracked.delay) tracked.delay->invalidate();
  tracked.delay.reset();
  if (tracked.delivered || tracked.cancelled || !tracked.handler) return;
  tracked.delivered = true;
  std::shared_ptr<View> keep = tracked.handler;
  if (tracked.control) tracked.control->touchBegan(tracked.touch->location(keep.get()));
  if (tracked.responder) tracked.responder->touchBegan(*tracked.touch);
}

void TouchDispatcher::deliverMoved(Tracked& tracked) {
  if (!tracked.delivered || tracked.cancelled) return;  // not yet told, or no longer
  std::shared_ptr<View> keep = tracked.handler;
  if (tracked.control) tracked.control->touchMoved(tracked.touch->location(keep.get()));
  if (tracked.responder) tracked.responder->touchMoved(*tracked.touch);
}

void TouchDispatcher::deliverEnded(Tracked& tracked) {
  if (!tracked.handler || tracked.cancelled) return;
  deliverBegan(tracked);  // a quick tap inside a scroll view reaches its handler now
  std::shared_ptr<View> keep = tracked.handler;
  if (tracked.control) tracked.control->touchEnded(tracked.touch->location(keep.get()));
  if (tracked.responder) tracked.responder->touchEnded(*tracked.touch);
}

void TouchDispatcher::cancelHandler(Tracked& tracked) {
  if (tracked.cancelled) return;
  tracked.cancelled = true;
  if (tracked.delay) tracked.delay->invalidate();
  tracked.delay.reset();
  if (!tracked.delivered || !tracked.handler) return;
  std::shared_ptr<View> keep = tracked.handler;
  if (tracked.control) tracked.control->touchCancelled();
  if (tracked.responder) tracked.responder->touchCancelled(*tracked.touch);
}

void TouchDispatcher::move(const Touches& touches, const std::vector<Point>& points, dispatch::TimePoint time) {
  Touches moving;
  for (std::size_t i = 0; i < touches.size() && i < points.size(); ++i) {
    if (!find(*touches[i])) continue;
    Touch& touch = *touches[i];
    touch.previous_ = touch.location_;
    touch.location_ = points[i];
    touch.timestamp_ = time;
    touch.phase_ = touch.previous_ == touch.location_ ? TouchPhase::stationary : TouchPhase::moved;
    moving.push_back(touches[i]);
  }
  forEachRecognizer(moving, [](GestureRecognizer& r, const Touches& mine) { r.touchesMoved(mine); });
  for (const auto& touch : moving) {
    if (Tracked* tracked = find(*touch)) deliverMoved(*tracked);
  }
}

void TouchDispatcher::end(const Touches& touches, dispatch::TimePoint time) {
  Touches ending;
  for (const auto& touch : touches) {
    if (!find(*touch)) continue;
    touch->phase_ = TouchPhase::ended;
    touch->previous_ = touch->location_;
    touch->timestamp_ = time;
    ending.push_back(touch);
  }
  forEachRecognizer(ending, [](GestureRecognizer& r, const Touches& mine) { r.touchesEnded(mine); });
  for (const auto& touch : ending) {
    Tracked* tracked = find(*touch);
    if (!tracked) continue;
    deliverEnded(*tracked);
    lastTap_ = {time, touch->location_, touch->tapCount_, touch->window_};
  }
  for (const auto& touch : ending) {
    std::erase_if(tracked_, [&](const Tracked& t) { return t.touch == touch; });
  }
  for (const auto& recognizer : recognizers_) {
    for (const auto& touch : ending) {
      if (!holds(*recognizer, *touch)) continue;
      recognizer->lastLocation_ = recognizer->location(nullptr);
      std::erase(recognizer->touches_, touch);
    }
  }
  if (tracked_.empty()) finishSequence();
}

void TouchDispatcher::cancel(const Touches& touches) {
  Touches cancelling;
  for (const auto& touch : touches) {
    if (!find(*touch)) continue;
    touch->phase_ = TouchPhase::cancelled;
    cancelling.push_back(touch);
  }
  forEachRecognizer(cancelling, [](GestureRecognizer& r, const Touches& mine) { r.touchesCancelled(mine); });
  for (const auto& touch : cancelling) {
    if (Tracked* tracked = find(*touch)) cancelHandler(*tracked);
    std::erase_if(tracked_, [&](const Tracked& t) { return t.touch == touch; });
    for (const auto& recognizer : recognizers_) std::erase(recognizer->touches_, touch);
  }
  if (tracked_.empty()) finishSequence();
}

void TouchDispatcher::cancelAll() {
  Touches all;
  for (const auto& tracked : tracked_) all.push_back(tracked.touch);
  cancel(all);
  for (const auto& recognizer : recognizers_) recognizer->resetState();
  recognizers_.clear();
}

// All fingers are up: recognisers are reset for the next touches, except one that waits for more
// (the second tap of a double tap), which stays until it recognises or fails.
void TouchDispatcher::finishSequence() {
  std::vector<std::shared_ptr<GestureRecognizer>> recognizers = recognizers_;
  for (const auto& recognizer : recognizers) {
    if (recognizer->state() == GestureRecognizerState::possible && recognizer->isAwaitingMoreTouches()) continue;
    std::erase(recognizers_, recognizer);
    recognizer->resetState();
  }
}

void TouchDispatcher::settled(GestureRecognizer& recognizer) {
  if (!tracked_.empty()) return;
  auto found = std::find_if(recognizers_.begin(), recognizers_.end(),
                            [&](const auto& r) { return r.get() == &recognizer; });
  if (found == recognizers_.end()) return;
  std::shared_ptr<GestureRecognizer> keep = *found;
  recognizers_.erase(found);
  keep->resetState();
}

bool TouchDispatcher::allowsBegin(GestureRecognizer& recognizer) {
  if (controlKeepsTap(recognizer, recognizer.touches_)) return false;
  for (const auto& other : recognizers_) {
    if (other.get() == &recognizer || !isActive(other->state())) continue;
    if (!recognizer.recognizesSimultaneously(*other)) return false;
  }
  return true;
}

void TouchDispatcher::didBegin(GestureRecognizer& recognizer) {
  std::vector<std::shared_ptr<GestureRecognizer>> others = recognizers_;
  for (const auto& other : others) {
    if (other.get() == &recognizer || other->state() != GestureRecognizerState::possible) continue;
    if (!recognizer.recognizesSimultaneously(*other)) {
      other->state_ = GestureRecognizerState::failed;
      settled(*other);
    }
  }
  if (!recognizer.cancelsTouchesInView()) return;
  for (auto& tracked : tracked_) {
    if (holds(recognizer, *tracked.touch)) cancelHandler(tracked);
  }
}

std::vector<std::shared_ptr<Control>> TouchDispatcher::controlsTouched(const GestureRecognizer& recognizer) const {
  std::vector<std::shared_ptr<Control>> controls;
  for (const auto& tracked : tracked_) {
    if (tracked.control && tracked.delivered && !tracked.cancelled && holds(recognizer, *tracked.touch)) {
      controls.push_back(std::static_pointer_cast<Control>(tracked.handler));
    }
  }
  return controls;
}

// --- the simulation ------------------------------------------------------------------------------

namespace touch {
namespace {

// The time of the next step: `after` the last one, and never before the clock's present.
dispatch::TimePoint step(dispatch::TimePoint last, dispatch::Seconds after) {
  auto next = last + std::chrono::duration_cast<dispatch::TimePoint::duration>(after);
  return std::max(next, dispatch::now());
}

}  // namespace

Finger Finger::down(Window& window, Point point) {
  Touches touches = TouchDispatcher::shared().begin(window, {point}, dispatch::now());
  return Finger(touches.empty() ? nullptr : touches.front());
}

Finger::Finger(Finger&& other) noexcept : touch_(std::move(other.touch_)) {}

Finger& Finger::operator=(Finger&& other) noexcept {
  if (this != &other) {
    if (isDown()) cancel();
    touch_ = std::move(other.touch_);
  }
  return *this;
}

Finger::~Finger() {
  if (isDown()) cancel();
}

bool Finger::isDown() const { return touch_ && TouchDispatcher::shared().isDown(*touch_); }

void Finger::moveTo(Point point, dispatch::Seconds after) {
  if (!isDown()) return;
  TouchDispatcher::shared().move({touch_}, {point}, step(touch_->timestamp(), after));
}

void Finger::up(dispatch::Seconds after) {
  if (!isDown()) return;
  TouchDispatcher::shared().end({touch_}, step(touch_->timestamp(), after));
}

void Finger::cancel() {
  if (isDown()) TouchDispatcher::shared().cancel({touch_});
}

void tap(Window& window, Point point, int taps, int touches) {
  TouchDispatcher& dispatcher = TouchDispatcher::shared();
  for (int i = 0; i < taps; ++i) {
    std::vector<Point> points;
    for (int k = 0; k < std::max(touches, 1); ++k) points.push_back({point.x + 2.0 * k, point.y});
    // Each tap a little after the last one, so that a series counts as one.
    dispatch::TimePoint time = dispatch::now() + std::chrono::milliseconds(100 * i);
    Touches down = dispatcher.begin(window, points, time);
    dispatcher.end(down, step(time, dispatch::Seconds(0.05)));
  }
}

bool tap(View& view) {
  Window* window = view.window();
  if (!window) return false;
  Rect bounds = view.bounds();
  tap(*window, view.convert(Point{bounds.midX(), bounds.midY()}, window));
  return true;
}

namespace {

void drag(Window& window, Point from, Point to, dispatch::Seconds duration, bool rest) {
  constexpr int kSteps = 12;
  Finger finger = Finger::down(window, from);
  for (int i = 1; i <= kSteps; ++i) {
    double f = static_cast<double>(i) / kSteps;
    finger.moveTo({from.x + (to.x - from.x) * f, from.y + (to.y - from.y) * f}, duration / kSteps);
  }
  finger.up(rest ? dispatch::Seconds(0.15) : dispatch::Seconds(0));
}

}  // namespace

void swipe(Window& window, Point from, Point to, dispatch::Seconds duration) {
  drag(window, from, to, duration, false);
}

void pan(Window& window, Point from, Point to, dispatch::Seconds duration) { drag(window, from, to, duration, true); }

void cancelAll() { TouchDispatcher::shared().cancelAll(); }

}  // namespace touch
}  // namespace ui
