#include "platform/ui/presentation.h"

#include <algorithm>
#include <optional>

#include "platform/base/log.h"
#include "platform/ui/transitioning.h"
#include "platform/ui/view_controller.h"
#include "platform/ui/window.h"

namespace ui {
namespace {

// The view laid over the window for one presentation; its presentation controller hears its layout.
class TransitionView : public View {
 public:
  explicit TransitionView(std::weak_ptr<PresentationController> controller) : controller_(std::move(controller)) {}

  void layoutSubviews() override {
    auto controller = controller_.lock();
    if (controller) controller->containerViewWillLayoutSubviews();
    View::layoutSubviews();
    if (controller) controller->containerViewDidLayoutSubviews();
  }

 private:
  std::weak_ptr<PresentationController> controller_;
};

class FullScreenPresentationController : public PresentationController {
 public:
  using PresentationController::PresentationController;
  bool shouldRemovePresentersView() const override { return true; }
};

// The system's animation: the presented view rises from the bottom edge, and sinks back.
class SystemAnimator : public AnimatedTransitioning {
 public:
  explicit SystemAnimator(bool presenting) : presenting_(presenting) {}

  double transitionDuration(const TransitionContext*) const override { return Presentation::kDuration; }

  void animateTransition(const std::shared_ptr<TransitionContext>& context) override {
    View& container = context->containerView();
    const double height = container.bounds().height();
    const double duration = transitionDuration(context.get());
    if (presenting_) {
      auto controller = context->viewController(TransitionContextKey::to);
      auto view = context->view(TransitionContextKey::to);
      if (!controller || !view) return context->completeTransition(true);
      view->setFrame(context->finalFrame(*controller));
      view->setAutoresizingMask(kFlexibleSize);
      container.addSubview(view);
      View::performWithoutAnimation([&] { view->setTransform(AffineTransform::translation(0, height)); });
      View::animate(duration, [view] { view->setTransform(AffineTransform::identity()); },
                    [context](bool) { context->completeTransition(true); });
      return;
    }
    auto view = context->view(TransitionContextKey::from);
    if (!view) return context->completeTransition(true);
    View::animate(duration, [view, height] { view->setTransform(AffineTransform::translation(0, height)); },
                  [context, view](bool) {
                    context->completeTransition(true);
                    View::performWithoutAnimation([&] { view->setTransform(AffineTransform::identity()); });
                  });
  }

 private:
  bool presenting_;
};

void refuse(const std::string& why) { base::logError("ViewController: cannot present: " + why); }

}  // namespace

// --- the context an animator sees ----------------------------------------------------------------

class Presentation::Transition : public TransitionContext {
 public:
  bool presenting = true;
  bool animated = false;
  bool removes = false;
  std::shared_ptr<ViewController> context;
  std::shared_ptr<ViewController> presented;
  std::shared_ptr<PresentationController> controller;
  std::shared_ptr<View> container;
  std::function<void()> completion;
  bool starting = false;
  std::optional<bool> result;
  bool done = false;

  View& containerView() const override { return *container; }

  std::shared_ptr<ViewController> viewController(TransitionContextKey key) const override {
    const bool presentedSide = (key == TransitionContextKey::to) == presenting;
    return presentedSide ? presented : context;
  }

  std::shared_ptr<View> view(TransitionContextKey key) const override {
    const bool presentedSide = (key == TransitionContextKey::to) == presenting;
    if (presentedSide) return presented->view();
    return removes ? context->viewIfLoaded() : nullptr;
  }

  Rect initialFrame(const ViewController& vc) const override {
    if (&vc != presented.get() || presenting) return {};
    return presented->isViewLoaded() ? presented->viewIfLoaded()->frame() : Rect{};
  }

  Rect finalFrame(const ViewController& vc) const override {
    if (&vc != presented.get() || !presenting) return {};
    return controller->frameOfPresentedViewInContainerView();
  }

  bool isAnimated() const override { return animated; }
  bool transitionWasCancelled() const override { return done && result == false; }

  void completeTransition(bool didComplete) override {
    if (done || result) {
      base::logError("ViewController: a transition was completed twice; the second call is ignored");
      return;
    }
    result = didComplete;
    if (starting) return;  // finished once the start is over
    Presentation::finish(*this, didComplete);
  }
};

// --- presenting ---------------------------------------------------------------------------------------

void Presentation::present(ViewController& source, std::shared_ptr<ViewController> presented, bool animated,
                           std::function<void()> completion) {
  auto sourcePointer = source.weak_from_this().lock();
  auto context = source.presentationContext()->weak_from_this().lock();
  if (!sourcePointer || !context) return refuse("controllers must be made with std::make_shared");
  if (!presented) return refuse("no controller given");
  if (presented == context || presented->parent_ || presented->presenting_.lock() ||
      (presented->isViewLoaded() && presented->viewIfLoaded()->window())) {
    return refuse("the controller is already on screen, presented or in a container");
  }
  context->whenIdle([sourcePointer, context, presented, animated, completion = std::move(completion)]() mutable {
    beginPresent(sourcePointer, context, presented, animated, std::move(completion));
  });
}

void Presentation::beginPresent(const std::shared_ptr<ViewController>& source,
                                const std::shared_ptr<ViewController>& context,
                                const std::shared_ptr<ViewController>& presented, bool animated,
                                std::function<void()> completion) {
  if (context->presented_) return refuse("the presenting controller already presents one");
  if (presented->parent_ || presented->presenting_.lock()) return refuse("the controller was presented meanwhile");
  Window* window = context->isViewLoaded() ? context->viewIfLoaded()->window() : nullptr;
  if (!window) return refuse("the presenting controller's view is not in a window");

  const ModalPresentationStyle style = presented->modalPresentationStyle_;
  auto delegate = style == ModalPresentationStyle::custom ? presented->transitioningDelegate() : nullptr;
  std::shared_ptr<PresentationController> controller;
  if (delegate) controller = delegate->presentationControllerForPresented(presented, context, source);
  if (!controller && style == ModalPresentationStyle::popover) {
    presented->popoverPresentationController();
    controller = presented->presentationController_;
  }
  if (!controller && style == ModalPresentationStyle::fullScreen) {
    controller = std::make_shared<FullScreenPresentationController>(presented, context);
  }
  if (!controller) controller = std::make_shared<PresentationController>(presented, context);
  controller->presented_ = presented;
  controller->presenting_ = context;
  std::shared_ptr<AnimatedTransitioning> animator;
  if (delegate) animator = delegate->animationControllerForPresented(presented, context, source);
  if (!animator && animated) animator = std::make_shared<SystemAnimator>(true);

  auto container = std::make_shared<TransitionView>(controller);
  container->setFrame(window->bounds());
  container->setAutoresizingMask(kFlexibleSize);
  window->addSubview(container);
  controller->containerView_ = container;

  context->presented_ = presented;
  presented->presenting_ = context;
  presented->presentationController_ = controller;
  presented->beingPresented_ = true;
  context->setTransitioning(true);

  auto transition = std::make_shared<Transition>();
  transition->presenting = true;
  transition->animated = animated;
  transition->removes = controller->shouldRemovePresentersView();
  transition->context = context;
  transition->presented = presented;
  transition->controller = controller;
  transition->container = container;
  transition->completion = std::move(completion);

  controller->presentationTransitionWillBegin();
  if (transition->removes) context->beginAppearanceTransition(false, animated);
  presented->beginAppearanceTransition(true, animated);
  run(transition, animator);
}

// --- dismissing -----------------------------------------------------------------------------------------

void Presentation::dismiss(ViewController& context, bool animated, std::function<void()> completion) {
  auto pointer = context.weak_from_this().lock();
  if (!pointer) {
    base::logError("ViewController: cannot dismiss: controllers must be made with std::make_shared");
    if (completion) completion();
    return;
  }
  pointer->whenIdle([pointer, animated, completion = std::move(completion)]() mutable {
    beginDismiss(pointer, animated, std::move(completion));
  });
}

void Presentation::beginDismiss(const std::shared_ptr<ViewController>& context, bool animated,
                                std::function<void()> completion) {
  auto presented = context->presented_;
  if (!presented) {
    if (completion) completion();
    return;
  }
  if (presented->presented_) {
    // What the presented controller presents goes first, at once.
    dismiss(*presented, false, [context, animated, completion = std::move(completion)]() mutable {
      dismiss(*context, animated, std::move(completion));
    });
    return;
  }
  auto controller = presented->presentationController_;
  auto delegate = presented->modalPresentationStyle_ == ModalPresentationStyle::custom
                      ? presented->transitioningDelegate()
                      : nullptr;
  std::shared_ptr<AnimatedTransitioning> animator;
  if (delegate) animator = delegate->animationControllerForDismissed(presented);
  if (!animator && animated) animator = std::make_shared<SystemAnimator>(false);

  auto transition = std::make_shared<Transition>();
  transition->presenting = false;
  transition->animated = animated;
  transition->removes = controller->shouldRemovePresentersView();
  transition->context = context;
  transition->presented = presented;
  transition->controller = controller;
  transition->container = controller->containerView_;
  transition->completion = std::move(completion);

  context->setTransitioning(true);
  presented->beingDismissed_ = true;
  controller->dismissalTransitionWillBegin();
  presented->beginAppearanceTransition(false, animated);
  if (transition->removes) {
    restorePresenterView(*transition);
    context->beginAppearanceTransition(true, animated);
  }
  run(transition, animator);
}

// --- both ways ----------------------------------------------------------------------------------------------

void Presentation::run(const std::shared_ptr<Transition>& transition,
                       const std::shared_ptr<AnimatedTransitioning>& animator) {
  transition->starting = true;
  if (animator) {
    animator->animateTransition(transition);
  } else {
    if (transition->presenting) {
      auto view = transition->presented->view();
      view->setFrame(transition->controller->frameOfPresentedViewInContainerView());
      view->setAutoresizingMask(kFlexibleSize);
      transition->container->addSubview(view);
    }
    transition->completeTransition(true);
  }
  if (transition->presenting) {
    transition->presented->layoutViewNow();
  } else if (transition->removes) {
    transition->context->layoutViewNow();
  }
  transition->starting = false;
  if (transition->result && !transition->done) finish(*transition, *transition->result);
}

void Presentation::finish(Transition& transition, bool completed) {
  transition.done = true;
  // The context may hold the last reference to what the transition touches.
  auto context = transition.context;
  auto presented = transition.presented;
  if (transition.presenting) {
    finishPresent(transition, completed);
  } else {
    finishDismiss(transition, completed);
  }
  auto completion = std::move(transition.completion);
  if (completion) completion();
  context->setTransitioning(false);
}

void Presentation::finishPresent(Transition& transition, bool completed) {
  auto& context = transition.context;
  auto& presented = transition.presented;
  presented->beingPresented_ = false;
  transition.controller->presentationTransitionDidEnd(completed);
  if (completed) {
    if (transition.removes) {
      removePresenterView(transition);
      context->endAppearanceTransition();
    }
    presented->endAppearanceTransition();
    return;
  }
  presented->beginAppearanceTransition(false, transition.animated);
  if (transition.removes) context->beginAppearanceTransition(true, transition.animated);
  unlink(transition);
  presented->endAppearanceTransition();
  if (transition.removes) context->endAppearanceTransition();
}

void Presentation::finishDismiss(Transition& transition, bool completed) {
  auto& context = transition.context;
  auto& presented = transition.presented;
  presented->beingDismissed_ = false;
  transition.controller->dismissalTransitionDidEnd(completed);
  if (completed) {
    unlink(transition);
    presented->endAppearanceTransition();
    if (transition.removes) context->endAppearanceTransition();
    return;
  }
  presented->beginAppearanceTransition(true, transition.animated);
  if (transition.removes) {
    context->beginAppearanceTransition(false, transition.animated);
    removePresenterView(transition);
  }
  presented->endAppearanceTransition();
  if (transition.removes) context->endAppearanceTransition();
}

void Presentation::unlink(Transition& transition) {
  if (transition.container) transition.container->removeFromSuperview();
  if (transition.presented->isViewLoaded()) transition.presented->viewIfLoaded()->removeFromSuperview();
  transition.context->presented_ = nullptr;
  transition.presented->presenting_.reset();
  transition.presented->presentationController_ = nullptr;
  transition.controller->containerView_ = nullptr;
}

void Presentation::removePresenterView(Transition& transition) {
  const auto& view = transition.context->viewIfLoaded();
  View* superview = view ? view->superview() : nullptr;
  if (!superview) return;
  const auto& siblings = superview->subviews();
  auto it = std::find(siblings.begin(), siblings.end(), view);
  transition.controller->presenterSuperview_ = superview->shared();
  transition.controller->presenterIndex_ = static_cast<std::size_t>(it - siblings.begin());
  view->removeFromSuperview();
}

void Presentation::restorePresenterView(Transition& transition) {
  const auto& view = transition.context->viewIfLoaded();
  if (!view || view->superview()) return;
  auto superview = transition.controller->presenterSuperview_.lock();
  if (!superview && transition.container && transition.container->superview()) {
    superview = transition.container->superview()->shared();
  }
  if (!superview) return;
  // The superview may have changed size meanwhile: a view that follows it takes its bounds.
  if (hasFlag(view->autoresizingMask(), AutoresizingMask::flexibleWidth) &&
      hasFlag(view->autoresizingMask(), AutoresizingMask::flexibleHeight)) {
    view->setFrame(superview->bounds());
  }
  superview->insertSubview(view, transition.controller->presenterIndex_);
}

// --- presentation controllers --------------------------------------------------------------------------------

PresentationController::PresentationController(const std::shared_ptr<ViewController>& presented,
                                               const std::shared_ptr<ViewController>& presenting)
    : presented_(presented), presenting_(presenting) {}

PresentationController::~PresentationController() = default;

std::shared_ptr<View> PresentationController::presentedView() const {
  auto presented = presented_.lock();
  return presented ? presented->view() : nullptr;
}

Rect PresentationController::frameOfPresentedViewInContainerView() const {
  return containerView_ ? containerView_->bounds() : Rect{};
}

Rect PopoverPresentationController::sourceRect() const {
  if (sourceRect_) return *sourceRect_;
  auto view = sourceView_.lock();
  return view ? view->bounds() : Rect{};
}

bool TransitionCoordinator::animate(Block alongside, Block completion) {
  if (alongside) alongside_.push_back(std::move(alongside));
  if (completion) completions_.push_back(std::move(completion));
  return true;
}

void TransitionCoordinator::runAlongside() {
  auto blocks = std::move(alongside_);
  alongside_.clear();
  for (const auto& block : blocks) block(*this);
}

void TransitionCoordinator::runCompletions() {
  auto blocks = std::move(completions_);
  completions_.clear();
  for (const auto& block : blocks) block(*this);
}

}  // namespace ui
