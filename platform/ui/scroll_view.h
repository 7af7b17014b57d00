// A scroll view: shows part of a larger content area; the content offset is its bounds' origin.
// A finger drags the content (the offset follows the finger's travel, rubber-banding past the
// edges when it bounces); let go while moving, it decelerates over the clock, or with paging it
// snaps to the next page in the fling's direction. Offsets can also be set at once, or animated
// over the clock for contentOffsetAnimationDuration.
//
// Constraints from a view of the content to a view outside the scroll view hold on screen whatever
// the offset: while there are any, each scroll asks for a layout pass on a later turn of the main
// loop, which moves that view within the content. Without them scrolling lays nothing out.
//
// Run-loop modes: from the start of a drag to the end of the deceleration that follows it, the
// main loop is in its tracking mode, so default-mode timers wait and common-mode timers (and
// display links) go on. Offset animations and decelerations run in the common modes.
//
// Content touches: a control inside hears of a touch only once the touch rested 0.15 s or ended
// (delaysContentTouches), so a quick swipe that starts on a button scrolls; when a drag starts
// after the control was told, the control loses the touch if canCancelContentTouches is on and
// touchesShouldCancel(in:) agrees (by default for any view but a control), else the content keeps
// it and the scroll view does not move.
#pragma once

#include <memory>

#include "platform/dispatch/clock.h"
#include "platform/ui/view.h"

namespace dispatch {
class Timer;
}

namespace ui {

class PanGestureRecognizer;
class ScrollView;

class ScrollViewDelegate {
 public:
  virtual ~ScrollViewDelegate() = default;
  virtual void scrollViewDidScroll(ScrollView& scrollView) { (void)scrollView; }
  virtual void scrollViewWillBeginDragging(ScrollView& scrollView) { (void)scrollView; }
  virtual void scrollViewDidEndDragging(ScrollView& scrollView, bool willDecelerate) {
    (void)scrollView;
    (void)willDecelerate;
  }
  virtual void scrollViewWillBeginDecelerating(ScrollView& scrollView) { (void)scrollView; }
  virtual void scrollViewDidEndDecelerating(ScrollView& scrollView) { (void)scrollView; }
  // After an animated offset change (setContentOffset or a scroll-to) reached its end.
  virtual void scrollViewDidEndScrollingAnimation(ScrollView& scrollView) { (void)scrollView; }
};

class ScrollView : public View {
 public:
  // Under this speed (points per second) a release does not fling.
  static constexpr double kFlingThreshold = 50;
  // How long a page snap and a bounce back take.
  static constexpr double kSnapDuration = 0.3;

  ScrollView();
  explicit ScrollView(const Rect& frame);
  ~ScrollView() override;

  std::shared_ptr<ScrollViewDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(std::weak_ptr<ScrollViewDelegate> delegate) { delegate_ = std::move(delegate); }

  // --- content ---
  Size contentSize() const { return contentSize_; }
  void setContentSize(Size size);
  Point contentOffset() const { return bounds().origin; }
  // At once: stops an offset animation under way (a deceleration goes on from the new offset).
  void setContentOffset(Point offset);
  // Animated over contentOffsetAnimationDuration; ends with scrollViewDidEndScrollingAnimation.
  // Not animated, or to where it already is, it is setContentOffset(offset).
  void setContentOffset(Point offset, bool animated);
  double contentOffsetAnimationDuration() const { return animationDuration_; }
  void setContentOffsetAnimationDuration(double seconds) { animationDuration_ = seconds < 0 ? 0 : seconds; }
  const EdgeInsets& contentInset() const { return contentInset_; }
  void setContentInset(const EdgeInsets& inset);
  // The insets the offsets are limited by (the content insets: the safe area is not added).
  const EdgeInsets& adjustedContentInset() const { return contentInset_; }
  // The smallest and largest offsets that show content: the scrolling range.
  Point minimumContentOffset() const;
  Point maximumContentOffset() const;

  // --- behaviour ---
  bool isPagingEnabled() const { return pagingEnabled_; }
  void setPagingEnabled(bool enabled) { pagingEnabled_ = enabled; }
  bool bounces() const { return bounces_; }
  void setBounces(bool bounces) { bounces_ = bounces; }
  // Lets a drag move an axis whose content fits.
  bool alwaysBounceVertical() const { return alwaysBounceVertical_; }
  void setAlwaysBounceVertical(bool bounce) { alwaysBounceVertical_ = bounce; }
  bool alwaysBounceHorizontal() const { return alwaysBounceHorizontal_; }
  void setAlwaysBounceHorizontal(bool bounce) { alwaysBounceHorizontal_ = bounce; }
  bool isScrollEnabled() const { return scrollEnabled_; }
  void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }
  // A drag that starts along one axis stays on it.
  bool isDirectionalLockEnabled() const { return directionalLock_; }
  void setDirectionalLockEnabled(bool enabled) { directionalLock_ = enabled; }
  bool showsHorizontalScrollIndicator() const { return showsHorizontalIndicator_; }
  void setShowsHorizontalScrollIndicator(bool shows) { showsHorizontalIndicator_ = shows; }
  bool showsVerticalScrollIndicator() const { return showsVerticalIndicator_; }
  void setShowsVerticalScrollIndicator(bool shows) { showsVerticalIndicator_ = shows; }
  bool delaysContentTouches() const { return delaysContentTouches_; }
  void setDelaysContentTouches(bool delays) { delaysContentTouches_ = delays; }
  bool canCancelContentTouches() const { return canCancelContentTouches_; }
  void setCanCancelContentTouches(bool can) { canCancelContentTouches_ = can; }
  // Whether a drag may take a touch from a view of the content that already has it.
  virtual bool touchesShouldCancel(View* view);

  // --- state ---
  // A finger is on the scroll view.
  bool isTracking() const;
  // A drag is under way (from its start until the finger lifts).
  bool isDragging() const { return dragging_; }
  bool isDecelerating() const { return motion_ && motion_->kind == MotionKind::deceleration; }
  const std::shared_ptr<PanGestureRecognizer>& panGestureRecognizer() const { return pan_; }

  void didMoveToWindow() override;

 protected:
  // The offset changed (by any means); subclasses lay out what it now shows.
  virtual void contentOffsetDidChange() {}
  // Marks the view for layout and asks for a layout pass on a later turn of the main loop, as the
  // platform lays out after each turn: what a subclass puts on screen follows without anyone
  // calling layoutIfNeeded().
  void setNeedsLayoutPass();

 private:
  class Pan;
  enum class MotionKind { animation, deceleration };
  enum class Curve { easeInOut, easeOut, decay };
  struct Motion {
    MotionKind kind;
    Curve curve;
    Point from, to;
    double duration;
    dispatch::TimePoint start;
    Point applied;  // the offset the motion set last; a difference is someone else's move
    std::shared_ptr<dispatch::Timer> timer;
  };

  void applyOffset(Point offset);
  void handlePan(PanGestureRecognizer& pan);
  bool panShouldBegin(PanGestureRecognizer& pan);
  void touchDown();
  void liftedWithoutDrag();
  void beginDrag();
  void dragBy(Point translationDelta);
  void endDrag(Point velocity);
  void followOutsideMove();
  bool canScrollHorizontally() const;
  bool canScrollVertically() const;
  Point clamped(Point offset) const;
  Point pageTarget(Point velocity) const;
  Point decelerationTarget(Point velocity, double& duration) const;
  void startMotion(MotionKind kind, Curve curve, Point to, double duration);
  void stepMotion();
  void finishMotion(bool notify);
  void holdTrackingMode(bool hold);

  std::weak_ptr<ScrollViewDelegate> delegate_;
  Size contentSize_;
  EdgeInsets contentInset_;
  double animationDuration_ = 0.3;
  bool pagingEnabled_ = false;
  bool bounces_ = true;
  bool alwaysBounceVertical_ = false;
  bool alwaysBounceHorizontal_ = false;
  bool scrollEnabled_ = true;
  bool directionalLock_ = false;
  bool showsHorizontalIndicator_ = true;
  bool showsVerticalIndicator_ = true;
  bool delaysContentTouches_ = true;
  bool canCancelContentTouches_ = true;

  std::shared_ptr<PanGestureRecognizer> pan_;
  bool panAttached_ = false;
  bool dragging_ = false;
  bool holdsTracking_ = false;
  bool layoutPassPending_ = false;
  int lockedAxis_ = -1;  // 0 horizontal, 1 vertical, -1 none
  Point lastTranslation_;
  Point dragStartOffset_;
  Point dragApplied_;
  std::unique_ptr<Motion> motion_;
};

}  // namespace ui
