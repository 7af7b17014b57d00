#include <gtest/gtest.h>

#include "platform/ui/navigation_controller.h"
#include "platform/ui/transitioning.h"
#include "tests/platform/ui/controller_testing.h"

namespace ui {
namespace {

class PresentationTest : public testing::ScreenTest {
 protected:
  void SetUp() override {
    a_ = probe("A", log_);
    navigation_ = probe<NavigationController>("N", log_, a_);
    show(navigation_);
    log_->clear();
  }
  bool inWindow(ViewController& controller) {
    return controller.isViewLoaded() && controller.viewIfLoaded()->window() == window_.get();
  }

  std::shared_ptr<Probe<>> a_;
  std::shared_ptr<Probe<NavigationController>> navigation_;
};

TEST_F(PresentationTest, FullScreenTakesThePresenterAwayAndGivesItBack) {
  auto presented = probe("P", log_);
  int completions = 0;
  a_->present(presented, true, [&] { ++completions; });
  EXPECT_EQ(only(*log_, {"didLoad", "willAppear", "willDisappear", "willLayout", "didLayout"}),
            (Log{"N.willDisappear", "A.willDisappear", "P.didLoad", "P.willAppear", "P.willLayout", "P.didLayout"}));
  EXPECT_TRUE(presented->isBeingPresented());
  EXPECT_EQ(completions, 0);
  log_->clear();
  advance(kPastModal);
  EXPECT_EQ(appearance(*log_), (Log{"N.didDisappear", "A.didDisappear", "P.didAppear"}));
  EXPECT_EQ(completions, 1);
  EXPECT_FALSE(inWindow(*navigation_));
  EXPECT_TRUE(inWindow(*presented));
  // The stack's screens and the context itself see the same presentation.
  EXPECT_EQ(a_->presentedViewController(), presented);
  EXPECT_EQ(navigation_->presentedViewController(), presented);
  EXPECT_EQ(presented->presentingViewController(), navigation_);
  EXPECT_EQ(navigation_->visibleViewController(), presented);

  log_->clear();
  presented->dismiss(true, [&] { ++completions; });
  EXPECT_TRUE(inWindow(*navigation_));
  EXPECT_EQ(appearance(*log_), (Log{"P.willDisappear", "N.willAppear", "A.willAppear"}));
  advance(kPastModal);
  EXPECT_EQ(appearance(*log_), (Log{"P.willDisappear", "N.willAppear", "A.willAppear", "P.didDisappear",
                                    "N.didAppear", "A.didAppear"}));
  EXPECT_EQ(completions, 2);
  EXPECT_FALSE(a_->presentedViewController());
  EXPECT_FALSE(inWindow(*presented));
  EXPECT_EQ(navigation_->view()->superview(), window_.get());
  EXPECT_EQ(window_->subviews().size(), 1u);
}

// The push-style presentation: the presented side slides in from the right over the host, which
// drifts a fifth of the width to the left and dims; the host's view leaves once it is covered.
class PushAnimator : public AnimatedTransitioning {
 public:
  explicit PushAnimator(bool presenting) : presenting_(presenting) {}
  double transitionDuration(const TransitionContext*) const override { return 0.25; }
  void animateTransition(const std::shared_ptr<TransitionContext>& context) override {
    auto covering = context->viewController(presenting_ ? TransitionContextKey::to : TransitionContextKey::from);
    auto host = context->viewController(presenting_ ? TransitionContextKey::from : TransitionContextKey::to);
    if (cancel) {
      context->completeTransition(false);
      return;
    }
    View& container = context->containerView();
    const double width = container.bounds().width();
    container.addSubview(host->view());
    container.addSubview(covering->view());
    host->view()->setAlpha(1);
    auto moved = AffineTransform::translation(width, 0);
    auto drifted = AffineTransform::translation(-0.2 * width, 0);
    View::performWithoutAnimation([&] {
      covering->view()->setTransform(presenting_ ? moved : AffineTransform());
      host->view()->setTransform(presenting_ ? AffineTransform() : drifted);
      if (!presenting_) host->view()->setAlpha(0.8);
    });
    View::animate(0.25, [&] {
      covering->view()->setTransform(presenting_ ? AffineTransform() : moved);
      host->view()->setTransform(presenting_ ? drifted : AffineTransform());
      if (presenting_) host->view()->setAlpha(0.8);
    }, [context, host](bool finished) {
      host->view()->setTransform(AffineTransform());
      host->view()->setAlpha(1);
      context->completeTransition(finished);
    });
  }
  bool cancel = false;

 private:
  bool presenting_;
};

class CoveringPresentation : public PresentationController {
 public:
  using PresentationController::PresentationController;
  bool shouldRemovePresentersView() const override { return true; }
  void containerViewWillLayoutSubviews() override {
    if (auto view = presentedView()) view->setFrame(frameOfPresentedViewInContainerView());
  }
};

class PushTransitions : public TransitioningDelegate {
 public:
  std::shared_ptr<AnimatedTransitioning> animationControllerForPresented(
      const std::shared_ptr<ViewController>&, const std::shared_ptr<ViewController>&,
      const std::shared_ptr<ViewController>&) override {
    auto animator = std::make_shared<PushAnimator>(true);
    animator->cancel = cancelPresenting;
    return animator;
  }
  std::shared_ptr<AnimatedTransitioning> animationControllerForDismissed(const std::shared_ptr<ViewController>&) override {
    return std::make_shared<PushAnimator>(false);
  }
  std::shared_ptr<PresentationController> presentationControllerForPresented(
      const std::shared_ptr<ViewController>& presented, const std::shared_ptr<ViewController>& presenting,
      const std::shared_ptr<ViewController>&) override {
    ++presentationControllers;
    return std::make_shared<CoveringPresentation>(presented, presenting);
  }
  bool cancelPresenting = false;
  int presentationControllers = 0;
};

TEST_F(PresentationTest, ACustomTransitionMovesBothSidesAndEndsWhenItsContextIsCompleted) {
  auto transitions = std::make_shared<PushTransitions>();
  auto offerwall = probe<NavigationController>("O", log_, probe("W", log_));
  offerwall->setModalPresentationStyle(ModalPresentationStyle::custom);
  offerwall->setTransitioningDelegate(transitions);
  bool presented = false;
  a_->present(offerwall, false, [&] { presented = true; });

  // Under way: the offerwall starts a width to the right, the host ends a fifth to the left.
  auto* slide = dynamic_cast<const BasicAnimation*>(offerwall->view()->layer().animation("transform"));
  ASSERT_TRUE(slide);
  EXPECT_EQ(std::get<AffineTransform>(*slide->fromValue).tx, 390);
  auto* drift = dynamic_cast<const BasicAnimation*>(navigation_->view()->layer().animation("transform"));
  ASSERT_TRUE(drift);
  EXPECT_EQ(std::get<AffineTransform>(*drift->toValue).tx, -78);
  EXPECT_DOUBLE_EQ(drift->duration, 0.25);
  EXPECT_EQ(navigation_->view()->alpha(), 0.8);
  EXPECT_EQ(offerwall->view()->frame(), window_->bounds());
  EXPECT_FALSE(presented);
  EXPECT_EQ(appearance(*log_), (Log{"N.willDisappear", "A.willDisappear", "O.willAppear", "W.willAppear"}));

  advance(0.26);
  EXPECT_TRUE(presented);
  EXPECT_FALSE(inWindow(*navigation_));  // the presentation controller removes the host's view
  EXPECT_EQ(navigation_->view()->alpha(), 1);
  EXPECT_EQ(appearance(*log_), (Log{"N.willDisappear", "A.willDisappear", "O.willAppear", "W.willAppear",
                                    "N.didDisappear", "A.didDisappear", "O.didAppear", "W.didAppear"}));
  EXPECT_EQ(transitions->presentationControllers, 1);

  log_->clear();
  offerwall->dismiss(true);
  EXPECT_TRUE(inWindow(*navigation_));
  EXPECT_EQ(navigation_->view()->alpha(), 0.8);
  advance(0.26);
  EXPECT_EQ(appearance(*log_), (Log{"O.willDisappear", "W.willDisappear", "N.willAppear", "A.willAppear",
                                    "O.didDisappear", "W.didDisappear", "N.didAppear", "A.didAppear"}));
  EXPECT_EQ(navigation_->view()->alpha(), 1);
  EXPECT_FALSE(navigation_->presentedViewController());
}

TEST_F(PresentationTest, ACancelledCustomTransitionUndoesThePresentation) {
  auto transitions = std::make_shared<PushTransitions>();
  transitions->cancelPresenting = true;
  auto presented = probe("P", log_);
  presented->setModalPresentationStyle(ModalPresentationStyle::custom);
  presented->setTransitioningDelegate(transitions);
  bool completed = false;
  a_->present(presented, true, [&] { completed = true; });
  EXPECT_TRUE(completed);
  EXPECT_FALSE(a_->presentedViewController());
  EXPECT_FALSE(presented->presentingViewController());
  EXPECT_TRUE(inWindow(*navigation_));
  EXPECT_EQ(window_->subviews().size(), 1u);
  EXPECT_EQ(appearance(*log_), (Log{"N.willDisappear", "A.willDisappear", "P.willAppear", "P.willDisappear",
                                    "N.willAppear", "A.willAppear", "P.didDisappear", "N.didAppear", "A.didAppear"}));
  // It can be presented again.
  transitions->cancelPresenting = false;
  a_->present(presented, false);
  advance(0.26);
  EXPECT_EQ(a_->presentedViewController(), presented);
}

TEST_F(PresentationTest, RefusedPresentationsChangeNothingAndCallNothing) {
  auto first = probe("P", log_);
  a_->present(first, false);
  bool called = false;
  auto second = probe("Q", log_);
  a_->present(second, false, [&] { called = true; });  // the context already presents one
  first->present(first, false, [&] { called = true; });  // itself
  first->present(a_, false, [&] { called = true; });  // a screen of a stack
  auto offWindow = std::make_shared<ViewController>();
  offWindow->present(second, false, [&] { called = true; });  // not in a window
  first->present(nullptr, false, [&] { called = true; });
  EXPECT_FALSE(called);
  EXPECT_EQ(a_->presentedViewController(), first);
  EXPECT_FALSE(second->presentingViewController());
  EXPECT_FALSE(first->presentedViewController());
}

TEST_F(PresentationTest, ADismissalAskedForDuringAPresentationWaitsForIt) {
  auto presented = probe("P", log_);
  Log order;
  a_->present(presented, true, [&] { order.push_back("presented"); });
  a_->dismiss(true, [&] { order.push_back("dismissed"); });
  advance(kPastModal);
  EXPECT_EQ(order, Log{"presented"});
  advance(kPastModal);
  EXPECT_EQ(order, (Log{"presented", "dismissed"}));
  EXPECT_FALSE(a_->presentedViewController());
  // Nothing left to dismiss: the completion still runs, at once.
  a_->dismiss(true, [&] { order.push_back("nothing"); });
  EXPECT_EQ(order.back(), "nothing");
}

}  // namespace
}  // namespace ui
