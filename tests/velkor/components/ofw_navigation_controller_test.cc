#include "velkor/components/ofw_navigation_controller.h"

#include <gtest/gtest.h>

#include "platform/ui/tap_gesture_recognizer.h"
#include "tests/velkor/components/components_testing.h"
#include "velkor/components/default_indicator_view.h"
#include "velkor/components/ofw_base_view_controller.h"
#include "velkor/core/pub_app_module.h"

namespace velkor {
namespace {

constexpr double kPastDismissal = ui::Presentation::kDuration + 0.01;
constexpr double kPastPop = ui::NavigationController::kTransitionDuration + 0.01;

class OfwNavigationControllerTest : public testing::ComponentsTest {
 protected:
  // The offerwall over the host, with `screens` screens on its stack.
  std::shared_ptr<OfwNavigationController> presentOfferwall(int screens) {
    auto navigation = std::make_shared<OfwNavigationController>(std::make_shared<OfwBaseViewController>());
    for (int i = 1; i < screens; ++i) navigation->pushViewController(std::make_shared<OfwBaseViewController>(), false);
    host_->present(navigation, false);
    return navigation;
  }
};

TEST_F(OfwNavigationControllerTest, LifeCycleCallbacksAndLoginDelegateAfterEachWayOut) {
  struct Case {
    const char* name;
    int screens;
    bool forced;
    int closed;
    bool dismissed;
  };
  for (const Case& c : {Case{"back over one screen closes", 1, false, 1, true},
                        Case{"back over two screens pops", 2, false, 0, false},
                        Case{"a forced dismissal tells nothing", 1, true, 0, true}}) {
    SCOPED_TRACE(c.name);
    *lifeCycle_ = {};
    VelkorInternal::shared().setLoginDelegate(login_);
    auto navigation = presentOfferwall(c.screens);
    EXPECT_EQ(lifeCycle_->opened, 1);
    int completions = 0;
    if (c.forced) {
      navigation->forceDismiss(true, [&] { ++completions; });
      EXPECT_TRUE(navigation->dismissForce());
    } else {
      navigation->backButtonClicked();
      // Sent as the dismissal starts, not when it ends.
      EXPECT_EQ(lifeCycle_->closed, c.closed);
    }
    advance(std::max(kPastDismissal, kPastPop));
    EXPECT_EQ(lifeCycle_->opened, 1);
    EXPECT_EQ(lifeCycle_->closed, c.closed);
    EXPECT_EQ(completions, c.forced ? 1 : 0);
    EXPECT_EQ(host_->presentedViewController() == nullptr, c.dismissed);
    EXPECT_EQ(Velkor::shared().loginDelegate() == nullptr, c.dismissed);
    if (!c.dismissed) {
      EXPECT_EQ(navigation->viewControllers().size(), 1u);
      navigation->forceDismiss(false);
    }
  }
}

TEST_F(OfwNavigationControllerTest, TakingAwayAnAlertItPresentsKeepsTheLoginDelegate) {
  auto navigation = presentOfferwall(1);
  auto screen = std::static_pointer_cast<OfwBaseViewController>(navigation->viewControllers().front());
  screen->showAlert("message");
  ASSERT_TRUE(navigation->presentedViewController());
  navigation->dismiss(false);
  EXPECT_FALSE(navigation->presentedViewController());
  EXPECT_EQ(host_->presentedViewController(), navigation);
  EXPECT_EQ(Velkor::shared().loginDelegate(), login_);
  EXPECT_EQ(lifeCycle_->closed, 0);
}

TEST_F(OfwNavigationControllerTest, OneIndicatorOverTheWholeViewWhileItShows) {
  auto navigation = presentOfferwall(1);
  auto& application = ui::Application::shared();
  navigation->showIndicator();
  auto first = navigation->indicator();
  navigation->showIndicator();
  const auto& view = navigation->view();
  int indicators = 0;
  for (const auto& subview : view->subviews()) indicators += asIndicator(subview.get()) != nullptr;
  EXPECT_EQ(indicators, 1);
  EXPECT_FALSE(first->superview());
  ASSERT_TRUE(dynamic_cast<DefaultIndicatorView*>(navigation->indicator().get()));
  view->layoutIfNeeded();
  EXPECT_EQ(navigation->indicator()->frame(), view->bounds());
  EXPECT_FALSE(navigation->indicator()->isUserInteractionEnabled());
  EXPECT_TRUE(application.isNetworkActivityIndicatorVisible());

  // Leaving the screen takes it away.
  navigation->pushViewController(std::make_shared<OfwBaseViewController>(), false);
  EXPECT_FALSE(navigation->indicator());
  EXPECT_FALSE(application.isNetworkActivityIndicatorVisible());
  int left = 0;
  for (const auto& subview : view->subviews()) left += asIndicator(subview.get()) != nullptr;
  EXPECT_EQ(left, 0);
}

TEST_F(OfwNavigationControllerTest, AnIndicatorClassThatMakesNoneLeavesTheNetworkFlagOn) {
  struct NoIndicator : PubAppModule {
    IndicatorViewClass indicatorViewClass() const override {
      return [] { return std::make_shared<ui::View>(); };  // a view that is no indicator
    }
  };
  VelkorInternal::shared().setPubAppModule(std::make_shared<NoIndicator>());
  auto navigation = presentOfferwall(1);
  navigation->showIndicator();
  EXPECT_FALSE(navigation->indicator());
  EXPECT_TRUE(ui::Application::shared().isNetworkActivityIndicatorVisible());
  navigation->hideIndicator();
  EXPECT_FALSE(ui::Application::shared().isNetworkActivityIndicatorVisible());
}

TEST_F(OfwNavigationControllerTest, PopGestureBeginsOnlyAboveOneScreen) {
  auto navigation = presentOfferwall(1);
  auto recognizer = navigation->popRecognizer();
  ASSERT_TRUE(recognizer);
  EXPECT_EQ(navigation->interactivePopGestureRecognizer()->delegate(), recognizer);
  auto& gesture = *navigation->interactivePopGestureRecognizer();
  EXPECT_FALSE(recognizer->gestureRecognizerShouldBegin(gesture));
  navigation->pushViewController(std::make_shared<OfwBaseViewController>(), false);
  EXPECT_TRUE(recognizer->gestureRecognizerShouldBegin(gesture));
  navigation->forceDismiss(false);
  navigation.reset();
  EXPECT_FALSE(recognizer->gestureRecognizerShouldBegin(gesture));
}

}  // namespace
}  // namespace velkor
