#include "velkor/components/velkor_transition_manager.h"

#include <gtest/gtest.h>

#include "tests/velkor/components/components_testing.h"

namespace velkor {
namespace {

using ui::AffineTransform;

// The animation a view's layer runs for a key path, as from → to.
std::pair<ui::AnimationValue, ui::AnimationValue> animated(ui::View& view, const char* keyPath) {
  auto* animation = dynamic_cast<const ui::BasicAnimation*>(view.layer().animation(keyPath));
  if (!animation) return {};
  return {*animation->fromValue, *animation->toValue};
}

class VelkorTransitionManagerTest : public testing::ComponentsTest {
 protected:
  VelkorTransitionManagerTest() {
    config_->setEnablePushAnimation(true);
    offerwall_->setModalPresentationStyle(ui::ModalPresentationStyle::custom);
    offerwall_->setTransitioningDelegate(VelkorInternal::shared().transitionManager());
  }
  std::shared_ptr<ui::ViewController> offerwall_ = std::make_shared<ui::ViewController>();
};

TEST_F(VelkorTransitionManagerTest, PushesTheOfferwallInAndTheHostAsideOn390Points) {
  ASSERT_EQ(window_->bounds().width(), 390);
  auto& host = *host_->view();
  host_->present(offerwall_, true);
  auto& offerwall = *offerwall_->view();
  EXPECT_EQ(animated(offerwall, "transform"),
            std::make_pair(ui::AnimationValue(AffineTransform::translation(390, 0)), ui::AnimationValue(AffineTransform())));
  EXPECT_EQ(animated(host, "transform"),
            std::make_pair(ui::AnimationValue(AffineTransform()), ui::AnimationValue(AffineTransform::translation(-78, 0))));
  EXPECT_EQ(animated(host, "opacity"), std::make_pair(ui::AnimationValue(1.0), ui::AnimationValue(0.8)));
  EXPECT_EQ(offerwall.layer().animation("transform")->duration, VelkorOperationAnimator::kDuration);
  advance(0.24);
  EXPECT_TRUE(offerwall_->isBeingPresented());
  advance(0.02);
  EXPECT_FALSE(offerwall_->isBeingPresented());
  // The host's screen is back in place, at full opacity, and out of the window.
  EXPECT_EQ(host.transform(), AffineTransform());
  EXPECT_EQ(host.alpha(), 1.0);
  EXPECT_FALSE(host.window());

  offerwall_->dismiss(true);
  EXPECT_TRUE(host.window());
  EXPECT_EQ(animated(host, "transform"),
            std::make_pair(ui::AnimationValue(AffineTransform::translation(-78, 0)), ui::AnimationValue(AffineTransform())));
  EXPECT_EQ(host.alpha(), 0.8);
  EXPECT_EQ(animated(offerwall, "transform"),
            std::make_pair(ui::AnimationValue(AffineTransform()), ui::AnimationValue(AffineTransform::translation(390, 0))));
  advance(0.26);
  EXPECT_FALSE(host_->presentedViewController());
  EXPECT_EQ(host.alpha(), 1.0);
  EXPECT_EQ(host.transform(), AffineTransform());
}

// A context an animator might be handed without one of its controllers.
class BareContext : public ui::TransitionContext {
 public:
  ui::View& containerView() const override { return *container_; }
  std::shared_ptr<ui::ViewController> viewController(ui::TransitionContextKey key) const override {
    return key == ui::TransitionContextKey::to ? to : nullptr;
  }
  std::shared_ptr<ui::View> view(ui::TransitionContextKey) const override { return nullptr; }
  ui::Rect initialFrame(const ui::ViewController&) const override { return {}; }
  ui::Rect finalFrame(const ui::ViewController&) const override { return container_->bounds(); }
  bool isAnimated() const override { return true; }
  bool transitionWasCancelled() const override { return false; }
  void completeTransition(bool didComplete) override { completions.push_back(didComplete); }

  std::shared_ptr<ui::ViewController> to;
  std::vector<bool> completions;

 private:
  std::shared_ptr<ui::View> container_ = std::make_shared<ui::View>(ui::Rect{0, 0, 390, 844});
};

TEST_F(VelkorTransitionManagerTest, NoAnimatorWhilePushAnimationIsOff) {
  auto manager = VelkorInternal::shared().transitionManager();
  config_->setEnablePushAnimation(false);
  EXPECT_FALSE(manager->animationControllerForPresented(offerwall_, host_, host_));
  EXPECT_FALSE(manager->animationControllerForDismissed(offerwall_));
  config_->setEnablePushAnimation(true);
  EXPECT_TRUE(manager->animationControllerForPresented(offerwall_, host_, host_));
  EXPECT_TRUE(manager->animationControllerForDismissed(offerwall_));
}

TEST_F(VelkorTransitionManagerTest, OddContextsCompleteAtOnceWithoutMovement) {
  auto context = std::make_shared<BareContext>();
  context->to = offerwall_;
  VelkorOperationAnimator(VelkorTransitionStartDirection::right, true).animateTransition(context);
  EXPECT_EQ(context->completions, std::vector<bool>{true});
  EXPECT_FALSE(offerwall_->view()->layer().animation("transform"));

  // The whole presentation, from another side: over at once, nothing moved.
  auto sideways = std::make_shared<VelkorOperationAnimator>(VelkorTransitionStartDirection::left, true);
  struct Delegate : VelkorTransitionManager {
    std::shared_ptr<ui::AnimatedTransitioning> animator;
    std::shared_ptr<ui::AnimatedTransitioning> animationControllerForPresented(
        const std::shared_ptr<ui::ViewController>&, const std::shared_ptr<ui::ViewController>&,
        const std::shared_ptr<ui::ViewController>&) override {
      return animator;
    }
  };
  auto delegate = std::make_shared<Delegate>();
  delegate->animator = sideways;
  offerwall_->setTransitioningDelegate(delegate);
  bool presented = false;
  host_->present(offerwall_, true, [&] { presented = true; });
  EXPECT_TRUE(presented);
  EXPECT_FALSE(offerwall_->view()->layer().animation("transform"));
  EXPECT_EQ(offerwall_->view()->frame(), window_->bounds());
}

}  // namespace
}  // namespace velkor
