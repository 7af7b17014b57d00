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

// A custom transition that cancels at once, or shows the presented view and completes.
class InstantAnimator : public AnimatedTransitioning {
 public:
  explicit InstantAnimator(bool cancel) : cancel_(cancel) {}
  double transitionDuration(const TransitionContext*) const override { return 0; }
  void animateTransition(const std::shared_ptr<TransitionContext>& context) override {
    if (!cancel_) context->containerView().addSubview(context->viewController(TransitionContextKey::to)->view());
    context->completeTransition(!cancel_);
  }

 private:
  bool cancel_;
};

// Covers the presenter, whose view leaves once the transition completes.
class CoveringPresentation : public PresentationController {
 public:
  using PresentationController::PresentationController;
  bool shouldRemovePresentersView() const override { return true; }
};

class PushTransitions : public TransitioningDelegate {
 public:
  std::shared_ptr<AnimatedTransitioning> animationControllerForPresented(
      const std::shared_ptr<ViewController>&, const std::shared_ptr<ViewController>&,
      const std::shared_ptr<ViewController>&) override {
    return std::make_shared<InstantAnimator>(cancelPresenting);
  }
  std::shared_ptr<PresentationController> presentationControllerForPresented(
      const std::shared_ptr<ViewController>& presented, const std::shared_ptr<ViewController>& presenting,
      const std::shared_ptr<ViewController>&) override {
    return std::make_shared<CoveringPresentation>(presented, presenting);
  }
  bool cancelPresenting = false;
};

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
