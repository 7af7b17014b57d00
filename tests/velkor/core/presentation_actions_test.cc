#include <gtest/gtest.h>

#include <thread>

#include "platform/ui/touch.h"
#include "tests/velkor/components/components_testing.h"
#include "tests/velkor/core/presentation_test_support.h"
#include "velkor/core/native_ad.h"
#include "velkor/core/native_ad_tap_gesture.h"

namespace velkor::testing {
namespace {

constexpr std::int64_t kOfferwallLinkAd = 1001;

using ActionTest = PresentationTest;

TEST_F(ActionTest, DismissalAnswersFirstAndTellsTheLifeCycleNothing) {
  auto lifeCycle = std::make_shared<LifeCycleCounter>();
  VelkorInternal::shared().setLifeCycleDelegate(lifeCycle);
  std::vector<bool> answers;
  Velkor::shared().dismissOfferwall(false, [&](bool closing) { answers.push_back(closing); });
  EXPECT_EQ(answers, std::vector<bool>{false});

  Velkor::shared().presentOfferwall(host_, std::nullopt, false, std::nullopt, std::nullopt, false, {});
  ASSERT_NE(host_->presentedViewController(), nullptr);
  Velkor::shared().dismissOfferwall(false, [&](bool closing) {
    answers.push_back(closing);
    EXPECT_NE(host_->presentedViewController(), nullptr) << "told before the dismissal";
  });
  EXPECT_EQ(answers, (std::vector<bool>{false, true}));
  EXPECT_EQ(host_->presentedViewController(), nullptr);
  EXPECT_EQ(lifeCycle->closed, 0);
}

TEST_F(ActionTest, AFailedLookupLeavesTheOfferwallOnScreenClosable) {
  Velkor::shared().presentOfferwall(host_, std::nullopt, false, std::nullopt, std::nullopt, false, {});
  auto first = offerwall();
  auto top = first->viewControllers().front();
  Velkor::shared().presentOfferwall(top, 99999, false, std::nullopt, std::nullopt, false, {});
  ASSERT_TRUE(eventually([&] { return first->presentedViewController() != nullptr; }));  // the alert
  EXPECT_EQ(offerwall(), first);
  first->dismiss(false);  // the alert
  bool closing = false;
  Velkor::shared().dismissOfferwall(false, [&](bool answer) { closing = answer; });
  EXPECT_TRUE(closing);
  EXPECT_EQ(host_->presentedViewController(), nullptr);
}

TEST_F(ActionTest, OptOutDismissesOneScreenAndPopsADeeperStack) {
  Velkor::shared().presentOfferwall(host_, kOfferwallLinkAd, true, std::nullopt, std::nullopt, false, {});
  ASSERT_TRUE(eventuallyPresented());
  auto navigation = offerwall();
  ASSERT_EQ(navigation->viewControllers().size(), 2u);
  Velkor::shared().optout(kOfferwallLinkAd);
  ASSERT_TRUE(eventually([&] { return navigation->viewControllers().size() == 1; }));
  advance(1);
  EXPECT_EQ(host_->presentedViewController(), navigation);

  Velkor::shared().optout(kOfferwallLinkAd);
  ASSERT_TRUE(eventually([&] { return navigation->isBeingDismissed() || !host_->presentedViewController(); }));
  advance(1);
  EXPECT_EQ(host_->presentedViewController(), nullptr);
}

TEST_F(ActionTest, HelpWithPushAnimationSlidesInOnTheWindowAndWithoutOneIsNotSlid) {
  VelkorInternal::shared().config()->setEnablePushAnimation(true);
  auto offscreen = std::make_shared<ui::ViewController>();
  Velkor::shared().showHelp(offscreen);  // no window: no slide, and the platform refuses quietly
  EXPECT_EQ(window_->layer().animation(ui::kTransitionAnimationKey), nullptr);
  Velkor::shared().showHelp(host_);
  auto* push = dynamic_cast<const ui::Transition*>(window_->layer().animation(ui::kTransitionAnimationKey));
  ASSERT_NE(push, nullptr);
  EXPECT_DOUBLE_EQ(push->duration, 0.5);
  EXPECT_NE(host_->presentedViewController(), nullptr) << "presented without animation";
  VelkorInternal::shared().config()->setEnablePushAnimation(false);
}

Ad adWithId(std::int64_t id) {
  Ad ad;
  ad.id = id;
  return ad;
}

TEST_F(ActionTest, RegisteredFromAnyThreadATapOpensTheAdUnlessTheViewTakesNoTouches) {
  auto view = std::make_shared<ui::View>(ui::Rect{20, 100, 200, 80});
  host_->view()->addSubview(view);
  auto ad = makeNativeAd(adWithId(kOfferwallLinkAd));
  std::thread([&] { Velkor::shared().registerNativeAd(ad, view); }).join();
  EXPECT_TRUE(ui::gestureRecognizers(*view).empty()) << "attached on the main queue";
  dispatch::main_loop::drain();
  Velkor::shared().registerNativeAd(ad, view);
  dispatch::main_loop::drain();
  const auto recognisers = ui::gestureRecognizers(*view);
  ASSERT_EQ(recognisers.size(), 2u);
  EXPECT_EQ(dynamic_cast<NativeAdTapGesture&>(*recognisers[1]).nativeAd(), ad);

  view->setUserInteractionEnabled(false);
  ASSERT_TRUE(ui::touch::tap(*view));
  dispatch::main_loop::runUntil([] { return false; }, std::chrono::milliseconds(200));
  EXPECT_EQ(host_->presentedViewController(), nullptr);

  view->setUserInteractionEnabled(true);
  ASSERT_TRUE(ui::touch::tap(*view));
  ASSERT_TRUE(eventuallyPresented());
  auto* detail = dynamic_cast<TestDetail*>(offerwall()->viewControllers().front().get());
  ASSERT_NE(detail, nullptr);
  EXPECT_EQ(detail->presenter()->adId(), kOfferwallLinkAd);
}

TEST_F(ActionTest, ATapWithoutARootScreenOnlySaysSo) {
  auto bare = std::make_shared<ui::Window>();
  bare->makeKeyAndVisible();
  auto view = std::make_shared<ui::View>(ui::Rect{0, 0, 100, 100});
  bare->addSubview(view);
  Velkor::shared().registerNativeAd(makeNativeAd(adWithId(kOfferwallLinkAd)), view);
  dispatch::main_loop::drain();
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(ui::touch::tap(*view));
  dispatch::main_loop::drain();
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("최상위 뷰 컨트롤러를 찾을 수 없습니다."), std::string::npos);
  EXPECT_EQ(offerwall(), nullptr);
}

}  // namespace
}  // namespace velkor::testing
