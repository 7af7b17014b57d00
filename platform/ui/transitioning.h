// The parts of a modal presentation that a custom style supplies, and the coordinator of a size
// change.
//
// A presentation puts the presented controller's view into a container view laid over the whole
// window. Its presentation controller decides the presented view's frame and whether the
// presenter's view leaves the window while the presented one is up. Its animator moves the views;
// it must call completeTransition() on the context when it is done (the presentation, and every
// presentation or dismissal asked for after it in the same context, waits for that call).
// A custom style gets both from the presented controller's transitioning delegate; a delegate that
// answers none gets the plain presentation controller and the system's animation (the presented
// view slides up from the bottom edge, and back down on dismissal).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/geometry.h"

namespace ui {

class View;
class ViewController;

class PresentationController {
 public:
  PresentationController(const std::shared_ptr<ViewController>& presented,
                         const std::shared_ptr<ViewController>& presenting);
  virtual ~PresentationController();
  PresentationController(const PresentationController&) = delete;
  PresentationController& operator=(const PresentationController&) = delete;

  std::shared_ptr<ViewController> presentedViewController() const { return presented_.lock(); }
  // The controller presenting (the presentation context); may be null for one made before it is
  // known (a popover's, made on first use).
  std::shared_ptr<ViewController> presentingViewController() const { return presenting_.lock(); }
  // The view laid over the window that holds the presented view; null before the presentation.
  const std::shared_ptr<View>& containerView() const { return containerView_; }
  // The presented controller's view.
  virtual std::shared_ptr<View> presentedView() const;

  // False: the presenter's view stays under the presented one (and the presenter hears nothing).
  virtual bool shouldRemovePresentersView() const { return false; }
  // The container's bounds.
  virtual Rect frameOfPresentedViewInContainerView() const;

  // Around each layout pass of the container view.
  virtual void containerViewWillLayoutSubviews() {}
  virtual void containerViewDidLayoutSubviews() {}

  virtual void presentationTransitionWillBegin() {}
  virtual void presentationTransitionDidEnd(bool completed) { (void)completed; }
  virtual void dismissalTransitionWillBegin() {}
  virtual void dismissalTransitionDidEnd(bool completed) { (void)completed; }

 private:
  friend class Presentation;
  std::weak_ptr<ViewController> presented_;
  std::weak_ptr<ViewController> presenting_;
  std::shared_ptr<View> containerView_;
  // Where the presenter's view stood while it is out of the window.
  std::weak_ptr<View> presenterSuperview_;
  std::size_t presenterIndex_ = 0;
};

// The sides of its card from which a popover's arrow may point at the source: a set of bits, the
// empty set meaning no arrow at all.
enum class PopoverArrowDirection : unsigned { up = 1, down = 2, left = 4, right = 8, any = 15 };

constexpr PopoverArrowDirection operator|(PopoverArrowDirection a, PopoverArrowDirection b) {
  return static_cast<PopoverArrowDirection>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

// A popover's presentation: on a pad, a card next to a source rectangle of a source view (on a
// phone, an action sheet's card at the bottom). The source is recorded as the host set it.
class PopoverPresentationController : public PresentationController {
 public:
  using PresentationController::PresentationController;

  // Kept as the host set it; the headless card draws no arrow, so it places nothing.
  PopoverArrowDirection permittedArrowDirections() const { return permittedArrowDirections_; }
  void setPermittedArrowDirections(PopoverArrowDirection directions) { permittedArrowDirections_ = directions; }

  std::shared_ptr<View> sourceView() const { return sourceView_.lock(); }
  void setSourceView(const std::shared_ptr<View>& view) { sourceView_ = view; }
  // In the source view's coordinates; its bounds when not set.
  Rect sourceRect() const;
  void setSourceRect(const Rect& rect) { sourceRect_ = rect; }

 private:
  friend class ViewController;
  std::weak_ptr<View> sourceView_;
  std::optional<Rect> sourceRect_;
  PopoverArrowDirection permittedArrowDirections_ = PopoverArrowDirection::any;
};

enum class TransitionContextKey { from, to };

// What an animator gets: the container, the two controllers and their views, the frames, and the
// call that ends the transition.
class TransitionContext {
 public:
  virtual ~TransitionContext() = default;

  virtual View& containerView() const = 0;
  virtual std::shared_ptr<ViewController> viewController(TransitionContextKey key) const = 0;
  // The views the animator moves: when presenting, the presented view ("to") and, only when the
  // presenter's view leaves, the presenter's ("from"); when dismissing, the reverse. Null otherwise.
  virtual std::shared_ptr<View> view(TransitionContextKey key) const = 0;
  // The presented view's frame: its final frame when presenting, its initial one when dismissing;
  // an empty rectangle for the other controller.
  virtual Rect initialFrame(const ViewController& controller) const = 0;
  virtual Rect finalFrame(const ViewController& controller) const = 0;
  virtual bool isAnimated() const = 0;
  virtual bool transitionWasCancelled() const = 0;
  // Ends the transition: true when it completed, false when it was cancelled (the presentation or
  // dismissal is undone). Later calls are ignored.
  virtual void completeTransition(bool didComplete) = 0;
};

class AnimatedTransitioning {
 public:
  virtual ~AnimatedTransitioning() = default;
  virtual double transitionDuration(const TransitionContext* context) const = 0;
  // Sets the views moving; keeps the context until it calls completeTransition().
  virtual void animateTransition(const std::shared_ptr<TransitionContext>& context) = 0;
};

class TransitioningDelegate {
 public:
  virtual ~TransitioningDelegate() = default;
  virtual std::shared_ptr<AnimatedTransitioning> animationControllerForPresented(
      const std::shared_ptr<ViewController>& presented, const std::shared_ptr<ViewController>& presenting,
      const std::shared_ptr<ViewController>& source) {
    (void)presented, (void)presenting, (void)source;
    return nullptr;
  }
  virtual std::shared_ptr<AnimatedTransitioning> animationControllerForDismissed(
      const std::shared_ptr<ViewController>& dismissed) {
    (void)dismissed;
    return nullptr;
  }
  virtual std::shared_ptr<PresentationController> presentationControllerForPresented(
      const std::shared_ptr<ViewController>& presented, const std::shared_ptr<ViewController>& presenting,
      const std::shared_ptr<ViewController>& source) {
    (void)presented, (void)presenting, (void)source;
    return nullptr;
  }
};

// A change of the window's size as the controllers see it in viewWillTransition(to:with:).
class TransitionCoordinator {
 public:
  using Block = std::function<void(const TransitionCoordinator& context)>;

  TransitionCoordinator(double duration, bool animated) : duration_(duration), animated_(animated) {}
  TransitionCoordinator(const TransitionCoordinator&) = delete;
  TransitionCoordinator& operator=(const TransitionCoordinator&) = delete;

  double transitionDuration() const { return duration_; }
  bool isAnimated() const { return animated_; }
  bool isCancelled() const { return false; }

  // The alongside block runs inside the change's animation (its changes animate with it); the
  // completion runs once the change is over. True: the blocks were taken (always, before the
  // change starts).
  bool animate(Block alongside, Block completion = {});

  // For the window that drives the change.
  void runAlongside();
  void runCompletions();

 private:
  double duration_;
  bool animated_;
  std::vector<Block> alongside_;
  std::vector<Block> completions_;
};

}  // namespace ui
