#include "platform/ui/scroll_view.h"

#include <algorithm>
#include <cmath>

#include "platform/dispatch/main_loop.h"
#include "platform/dispatch/queue.h"
#include "platform/dispatch/timer.h"
#include "platform/ui/control.h"
#include "platform/ui/gesture_recognizer.h"
#include "platform/ui/pan_gesture_recognizer.h"
#include "platform/ui/touch_dispatcher.h"

namespace ui {
namespace {

// Deceleration: the speed falls by this factor every millisecond, as on the platform; it stops
// under kRestSpeed.
constexpr double kDecelerationRate = 0.998;
constexpr double kRestSpeed = 10;
constexpr double kFrameInterval = 1.0 / 60;

// Scroll views under way in a drag or its deceleration; the loop tracks while there is one.
int& trackingHolders() {
  static int holders = 0;
  return holders;
}

double seconds(dispatch::TimePoint from, dispatch::TimePoint to) {
  return std::chrono::duration<double>(to - from).count();
}

double ease(double t, int curve) {
  t = std::clamp(t, 0.0, 1.0);
  switch (curve) {
    case 0: return t < 0.5 ? 4 * t * t * t : 1 - std::pow(-2 * t + 2, 3) / 2;  // ease in and out
    case 1: return 1 - std::pow(1 - t, 3);                                       // ease out
    default: return t;
  }
}

// Share of an exponential deceleration covered after t of its T seconds.
double decay(double t, double total) {
  const double k = -std::log(kDecelerationRate) * 1000;
  if (total <= 0) return 1;
  return (1 - std::exp(-k * std::min(t, total))) / (1 - std::exp(-k * total));
}

bool near(Point a, Point b) { return std::abs(a.x - b.x) < 1e-9 && std::abs(a.y - b.y) < 1e-9; }

}  // namespace

// The scroll view's own pan: it asks the scroll view whether a drag may start, and a finger that
// comes down on a moving scroll view stops it.
class ScrollView::Pan : public PanGestureRecognizer {
 public:
  ScrollView* owner() const { return static_cast<ScrollView*>(view().get()); }

 protected:
  bool canBegin() override {
    ScrollView* scrollView = owner();
    return scrollView && scrollView->panShouldBegin(*this);
  }
  void touchesBegan(const Touches& touches) override {
    if (ScrollView* scrollView = owner(); scrollView && numberOfTouches() == static_cast<int>(touches.size())) {
      scrollView->touchDown();
    }
    PanGestureRecognizer::touchesBegan(touches);
  }
  // The touches are over (whether or not they dragged this scroll view).
  void reset() override {
    PanGestureRecognizer::reset();
    if (ScrollView* scrollView = owner()) scrollView->liftedWithoutDrag();
  }
};

ScrollView::ScrollView() : pan_(std::make_shared<Pan>()) { setClipsToBounds(true); }

ScrollView::ScrollView(const Rect& frame) : ScrollView() { setFrame(frame); }

ScrollView::~ScrollView() {
  if (motion_ && motion_->timer) motion_->timer->invalidate();
  holdTrackingMode(false);
}

void ScrollView::didMoveToWindow() {
  View::didMoveToWindow();
  if (panAttached_ || !shared()) return;
  panAttached_ = true;
  addGestureRecognizer(*this, pan_);
  std::weak_ptr<View> weak = shared();
  pan_->addTarget(this, [weak](GestureRecognizer& recognizer) {
    if (auto self = std::static_pointer_cast<ScrollView>(weak.lock())) {
      self->handlePan(static_cast<PanGestureRecognizer&>(recognizer));
    }
  });
}

// --- content -------------------------------------------------------------------------------------

void ScrollView::setContentSize(Size size) {
  contentSize_ = size;
}

void ScrollView::setContentInset(const EdgeInsets& inset) {
  contentInset_ = inset;
}

Point ScrollView::minimumContentOffset() const { return {-contentInset_.left, -contentInset_.top}; }

Point ScrollView::maximumContentOffset() const {
  Point least = minimumContentOffset();
  Size size = bounds().size;
  return {std::max(least.x, contentSize_.width + contentInset_.right - size.width),
          std::max(least.y, contentSize_.height + contentInset_.bottom - size.height)};
}

Point ScrollView::clamped(Point offset) const {
  Point least = minimumContentOffset(), most = maximumContentOffset();
  return {std::clamp(offset.x, least.x, most.x), std::clamp(offset.y, least.y, most.y)};
}

void ScrollView::setContentOffset(Point offset) {
  if (motion_ && motion_->kind == MotionKind::animation) finishMotion(false);
  applyOffset(offset);
}

void ScrollView::setContentOffset(Point offset, bool animated) {
  if (!animated || near(offset, contentOffset()) || animationDuration_ <= 0 || !shared()) {
    setContentOffset(offset);
    return;
  }
  startMotion(MotionKind::animation, Curve::easeInOut, offset, animationDuration_);
}

void ScrollView::applyOffset(Point offset) {
  Rect b = bounds();
  if (near(b.origin, offset)) return;
  setBounds({offset, b.size});
  // What is pinned outside moves against the offset, as the platform lays out after the turn.
  if (constraintsCrossBounds()) setNeedsLayoutPass();
  contentOffsetDidChange();
  std::shared_ptr<View> keepAlive = shared();
  if (auto d = delegate()) d->scrollViewDidScroll(*this);
}

void ScrollView::setNeedsLayoutPass() {
  setNeedsLayout();
  std::weak_ptr<View> weak = shared();
  if (layoutPassPending_ || weak.expired()) return;
  layoutPassPending_ = true;
  dispatch::main()->async([weak] {
    auto self = std::static_pointer_cast<ScrollView>(weak.lock());
    if (!self) return;
    self->layoutPassPending_ = false;
    self->layoutIfNeeded();
  });
}

bool ScrollView::touchesShouldCancel(View* view) { return dynamic_cast<Control*>(view) == nullptr; }

bool ScrollView::isTracking() const { return pan_->numberOfTouches() > 0; }

// --- dragging ------------------------------------------------------------------------------------

bool ScrollView::canScrollHorizontally() const {
  return alwaysBounceHorizontal_ || maximumContentOffset().x > minimumContentOffset().x;
}

bool ScrollView::canScrollVertically() const {
  return alwaysBounceVertical_ || maximumContentOffset().y > minimumContentOffset().y;
}

// A drag starts along an axis the content can move on, and only if the content that already has
// the touch lets it go.
bool ScrollView::panShouldBegin(PanGestureRecognizer& pan) {
  if (!scrollEnabled_) return false;
  Point travel = pan.translation(this);
  bool horizontal = std::abs(travel.x) > std::abs(travel.y);
  if (horizontal ? !canScrollHorizontally() : !canScrollVertically()) return false;
  for (const auto& control : TouchDispatcher::shared().controlsTouched(pan)) {
    if (!canCancelContentTouches_ || !touchesShouldCancel(control.get())) return false;
  }
  return true;
}

// A finger on a moving scroll view stops it where it is.
void ScrollView::touchDown() {
  if (!motion_) return;
  finishMotion(false);
  holdTrackingMode(false);
}

// A finger that stopped the scroll view lifted without dragging: a paging view goes on to the
// nearest page, and content pulled past an edge goes back, so that it never rests in between.
void ScrollView::liftedWithoutDrag() {
  if (dragging_ || motion_ || !shared()) return;
  dragStartOffset_ = contentOffset();
  Point target = pagingEnabled_ ? pageTarget({}) : clamped(contentOffset());
  if (near(target, contentOffset())) return;
  holdTrackingMode(true);
  if (auto d = delegate()) d->scrollViewWillBeginDecelerating(*this);
  startMotion(MotionKind::deceleration, Curve::easeOut, target, kSnapDuration);
}

void ScrollView::handlePan(PanGestureRecognizer& pan) {
  std::shared_ptr<View> keepAlive = shared();
  switch (pan.state()) {
    case GestureRecognizerState::began:
      beginDrag();
      [[fallthrough]];
    case GestureRecognizerState::changed: {
      Point travel = pan.translation(this);
      dragBy({travel.x - lastTranslation_.x, travel.y - lastTranslation_.y});
      lastTranslation_ = travel;
      break;
    }
    case GestureRecognizerState::ended:
      endDrag(pan.velocity(this));
      break;
    case GestureRecognizerState::cancelled:
      endDrag({});
      break;
    default:
      break;
  }
}

void ScrollView::beginDrag() {
  if (motion_) finishMotion(false);
  dragging_ = true;
  lastTranslation_ = {};
  dragStartOffset_ = dragApplied_ = contentOffset();
  Point travel = pan_->translation(this);
  lockedAxis_ = -1;
  if (directionalLock_) lockedAxis_ = std::abs(travel.x) > std::abs(travel.y) ? 0 : 1;
  holdTrackingMode(true);
  if (auto d = delegate()) d->scrollViewWillBeginDragging(*this);
}

// The content follows the finger; past an edge it moves half as far when it bounces, not at all
// when it does not.
void ScrollView::dragBy(Point delta) {
  followOutsideMove();
  if (!canScrollHorizontally() || lockedAxis_ == 1) delta.x = 0;
  if (!canScrollVertically() || lockedAxis_ == 0) delta.y = 0;
  Point offset = contentOffset();
  Point next{offset.x - delta.x, offset.y - delta.y};
  Point inside = clamped(next);
  if (!bounces_) {
    next = inside;
  } else {
    if (next.x != inside.x) next.x = offset.x - delta.x / 2;
    if (next.y != inside.y) next.y = offset.y - delta.y / 2;
  }
  dragApplied_ = next;
  applyOffset(next);
}

// The offset was moved by someone else during the drag (a carousel wrapping around): the page the
// drag started on moves with it.
void ScrollView::followOutsideMove() {
  Point now = contentOffset();
  dragStartOffset_ = {dragStartOffset_.x + now.x - dragApplied_.x, dragStartOffset_.y + now.y - dragApplied_.y};
  dragApplied_ = now;
}

void ScrollView::endDrag(Point velocity) {
  followOutsideMove();
  dragging_ = false;
  // The content moves against the finger.
  Point speed{-velocity.x, -velocity.y};
  if (lockedAxis_ == 1 || !canScrollHorizontally()) speed.x = 0;
  if (lockedAxis_ == 0 || !canScrollVertically()) speed.y = 0;
  Point target = contentOffset();
  double duration = kSnapDuration;
  Curve curve = Curve::easeOut;
  if (pagingEnabled_) {
    target = pageTarget(speed);
  } else if (std::hypot(speed.x, speed.y) >= kFlingThreshold) {
    target = decelerationTarget(speed, duration);
    curve = Curve::decay;
  } else {
    target = clamped(target);  // a release past an edge bounces back
  }
  const bool decelerate = !near(target, contentOffset());
  std::shared_ptr<View> keepAlive = shared();
  if (auto d = delegate()) d->scrollViewDidEndDragging(*this, decelerate);
  if (!decelerate || !keepAlive) {
    holdTrackingMode(false);
    return;
  }
  if (auto d = delegate()) d->scrollViewWillBeginDecelerating(*this);
  startMotion(MotionKind::deceleration, curve, target, duration);
}

// The nearest page in the fling's direction, at most one page from where the drag started; a slow
// release goes to the nearest page.
Point ScrollView::pageTarget(Point speed) const {
  Size page = bounds().size;
  Point offset = contentOffset();
  auto axis = [&](double position, double start, double size, double velocity, double least, double most) {
    if (size <= 0) return position;
    double p = position / size;
    double startPage = std::round(start / size);
    double target = std::abs(velocity) < kFlingThreshold ? std::round(p)
                    : velocity > 0                        ? std::floor(p + 1e-9) + 1
                                                          : std::ceil(p - 1e-9) - 1;
    target = std::clamp(target, startPage - 1, startPage + 1);
    return std::clamp(target * size, least, most);
  };
  Point least = minimumContentOffset(), most = maximumContentOffset();
  return {axis(offset.x, dragStartOffset_.x, page.width, speed.x, least.x, most.x),
          axis(offset.y, dragStartOffset_.y, page.height, speed.y, least.y, most.y)};
}

// Where an exponential slow-down from the release speed comes to rest (stopping at the edges).
Point ScrollView::decelerationTarget(Point speed, double& duration) const {
  const double k = -std::log(kDecelerationRate) * 1000;
  double v = std::hypot(speed.x, speed.y);
  duration = std::max(std::log(v / kRestSpeed) / k, kFrameInterval);
  double covered = (1 - std::exp(-k * duration)) / k;
  Point offset = contentOffset();
  return clamped({offset.x + speed.x * covered, offset.y + speed.y * covered});
}

// --- motions over the clock ----------------------------------------------------------------------

void ScrollView::startMotion(MotionKind kind, Curve curve, Point to, double duration) {
  if (motion_) finishMotion(false);
  auto motion = std::make_unique<Motion>();
  motion->kind = kind;
  motion->curve = curve;
  motion->from = motion->applied = contentOffset();
  motion->to = to;
  motion->duration = duration;
  motion->start = dispatch::now();
  std::weak_ptr<View> weak = shared();
  motion->timer = dispatch::Timer::scheduled(
      dispatch::Seconds(kFrameInterval), true,
      [weak](dispatch::Timer&) {
        if (auto self = std::static_pointer_cast<ScrollView>(weak.lock())) self->stepMotion();
      },
      dispatch::RunLoopMode::Common);
  motion_ = std::move(motion);
}

void ScrollView::stepMotion() {
  if (!motion_) return;
  std::shared_ptr<View> keepAlive = shared();
  Motion& m = *motion_;
  // Someone moved the offset since the last frame (a carousel wrapping around): go on from there.
  Point now = contentOffset();
  Point shift{now.x - m.applied.x, now.y - m.applied.y};
  m.from = {m.from.x + shift.x, m.from.y + shift.y};
  m.to = {m.to.x + shift.x, m.to.y + shift.y};
  double elapsed = seconds(m.start, dispatch::now());
  double f = m.curve == Curve::decay ? decay(elapsed, m.duration)
                                     : ease(m.duration > 0 ? elapsed / m.duration : 1, m.curve == Curve::easeInOut ? 0 : 1);
  bool done = elapsed >= m.duration;
  Point next = done ? m.to : Point{m.from.x + (m.to.x - m.from.x) * f, m.from.y + (m.to.y - m.from.y) * f};
  m.applied = next;
  applyOffset(next);
  if (done && motion_.get() == &m) finishMotion(true);
}

void ScrollView::finishMotion(bool notify) {
  if (!motion_) return;
  std::unique_ptr<Motion> motion = std::move(motion_);
  if (motion->timer) motion->timer->invalidate();
  if (motion->kind == MotionKind::deceleration) holdTrackingMode(false);
  if (!notify) return;
  std::shared_ptr<View> keepAlive = shared();
  if (auto d = delegate()) {
    if (motion->kind == MotionKind::deceleration) {
      d->scrollViewDidEndDecelerating(*this);
    } else {
      d->scrollViewDidEndScrollingAnimation(*this);
    }
  }
}

void ScrollView::holdTrackingMode(bool hold) {
  if (hold == holdsTracking_) return;
  holdsTracking_ = hold;
  int& holders = trackingHolders();
  holders += hold ? 1 : -1;
  if (hold) {
    dispatch::main_loop::setMode(dispatch::RunLoopMode::Tracking);
  } else if (holders <= 0) {
    holders = 0;
    dispatch::main_loop::setMode(dispatch::RunLoopMode::Default);
  }
}

}  // namespace ui
