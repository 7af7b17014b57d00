#include <gtest/gtest.h>

#include "platform/render/snapshot.h"
#include "platform/ui/gradient_layer.h"
#include "tests/platform/render/snapshot_testing.h"
#include "tests/velkor/detail/detail_testing.h"
#include "tests/velkor/model/fixtures.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/components/ofw_network_error_view.h"
#include "velkor/core/dependency_container.h"
#include "velkor/detail/default_ofw_detail_view_controller.h"
#include "velkor/detail/notice_list.h"
#include "velkor/web/shared_webview_view_controller.h"

namespace velkor::testing {
namespace {

using mock::Route;

constexpr std::int64_t kDetailAd = 1504;

class DetailScreenTest : public DetailTest {
 protected:
  // The factory's detail screen alone in the offerwall's stack, on screen, its first load answered.
  std::shared_ptr<DefaultOfwDetailViewController> show(std::int64_t adId = kDetailAd, double width = 375) {
    window_->setSize({width, 812});
    auto made = DependencyContainer().makeOfferwallDetailViewController(adId, "ad_list");
    screen_ = std::dynamic_pointer_cast<DefaultOfwDetailViewController>(made.controller);
    navigation_ = std::make_shared<OfwNavigationController>(screen_);
    window_->setRootViewController(navigation_);
    EXPECT_TRUE(runUntil([&] { return screen_->currentAd().has_value(); }));
    settle();
    return screen_;
  }
  std::vector<std::string> origins() {
    std::vector<std::string> from;
    for (const auto& request : network_.log().entries(Route::adDetail)) from.push_back(request.queryValue("from").value_or("-"));
    return from;
  }
  void pushAndPopAnother() {
    navigation_->pushViewController(std::make_shared<ui::ViewController>(), false);
    navigation_->popViewController(false);
  }

  std::shared_ptr<DefaultOfwDetailViewController> screen_;
  std::shared_ptr<OfwNavigationController> navigation_;
};

TEST_F(DetailScreenTest, EachAppearanceLoadsWithItsReasonAndAFailedReloadKeepsThePage) {
  show();
  EXPECT_EQ(origins(), std::vector<std::string>{"ad_list"});
  EXPECT_EQ(network_.log().entries(Route::adDetail)[0].queryValue("is_click"), "1");
  // The contact button in the page is hidden unless the configuration shows it.
  EXPECT_TRUE(screen_->nestedContactButton()->isHidden());
  EXPECT_EQ(screen_->nestedContactButton()->title(ui::ControlState::normal), "참여했는데 포인트를 못 받았어요");
  EXPECT_TRUE(screen_->isTimerRunning());
  pushAndPopAnother();
  ui::Application::shared().enterForeground();
  ASSERT_TRUE(waitForRequests(Route::adDetail, 3));
  EXPECT_EQ(origins(), (std::vector<std::string>{"ad_list", "refresh", "refresh::background"}));
  // Hidden: no timer, no foreground reload.
  navigation_->pushViewController(std::make_shared<ui::ViewController>(), false);
  EXPECT_FALSE(screen_->isTimerRunning());
  ui::Application::shared().enterForeground();
  settle();
  EXPECT_EQ(origins().size(), 3u);
  navigation_->popViewController(false);
  ASSERT_TRUE(waitForRequests(Route::adDetail, 4));
  settle();
  // A failed reload keeps the page.
  const auto page = screen_->currentAd();
  network_.servers().server(mock::kLogic).setFault(Route::adDetail, mock::Fault{.statusCode = 500, .replacementBody = "{}"});
  screen_->reloadData("refresh", true);
  ASSERT_TRUE(waitForRequests(Route::adDetail, 5));
  settle();
  EXPECT_EQ(screen_->currentAd(), page);
}

TEST_F(DetailScreenTest, ATransportFailureShowsTheErrorViewWhoseRetryReloads) {
  show();
  network_.servers().server(mock::kLogic).setFault(
      Route::adDetail, mock::Fault{.connectionFault = mock::ConnectionFault::dropBeforeResponse, .isSticky = true});
  screen_->reloadData("refresh", true);
  ASSERT_TRUE(runUntil([&] { return screen_->networkErrorView() != nullptr; }));
  screen_->showNetworkError(true);  // a second one replaces the first
  EXPECT_EQ(std::count_if(screen_->view()->subviews().begin(), screen_->view()->subviews().end(),
                          [](const auto& view) { return dynamic_cast<OfwNetworkErrorView*>(view.get()); }),
            1);
  network_.servers().clearFaults();
  std::static_pointer_cast<OfwNetworkErrorView>(screen_->networkErrorView())
      ->retryButton()
      ->sendActions(ui::ControlEvent::touchUpInside);
  ASSERT_TRUE(runUntil([&] { return screen_->networkErrorView() == nullptr; }));
  EXPECT_EQ(origins().back(), "reload");
}

TEST_F(DetailScreenTest, ALoginAskedForResumesItsActionWhenTheHostReportsSuccess) {
  UserProfile::setUid("");
  show();
  // An empty uid counts as none: the screen waits for the login.
  EXPECT_EQ(Velkor::shared().loginDelegate(), screen_);
  screen_->paricipate();
  EXPECT_EQ(screen_->lastActionName(), "participate");
  ASSERT_EQ(host_->logins.size(), 1u);
  EXPECT_EQ(host_->logins[0], screen_);
  UserProfile::setUid("user-1");
  screen_->success();
  ASSERT_TRUE(waitForRequests(Route::participate, 1));
  EXPECT_FALSE(screen_->lastActionName());
  EXPECT_EQ(origins().size(), 1u);
  // The help page: asked without a uid, opened after the login.
  UserProfile::setUid(std::nullopt);
  screen_->moveToContact();
  EXPECT_EQ(host_->logins.size(), 2u);
  UserProfile::setUid("user-1");
  screen_->success();
  advance(1);
  EXPECT_TRUE(std::dynamic_pointer_cast<SharedWebviewViewController>(navigation_->viewControllers().back()));
  // Nothing pending: a plain reload.
  navigation_->popViewController(false);
  settle();
  const std::size_t loads = origins().size();
  screen_->success();
  ASSERT_TRUE(waitForRequests(Route::adDetail, loads + 1));
  EXPECT_EQ(origins().back(), "refresh");
}

TEST_F(DetailScreenTest, NoticeTextsSplitIntoBulletsAtTheMiddleDot) {
  struct Case {
    const char* text;
    std::vector<std::string> items;
  } cases[] = {
      {"・ 신규 고객만\n・ 최대 10분", {"신규 고객만", "최대 10분"}},
      {"・ 한 줄이\n이어져요・ 다음", {"한 줄이이어져요", "다음"}},
      {"머리말・ 하나・ ", {"머리말", "하나"}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(noticeItems(c.text), c.items) << c.text;
  const auto list = bulletedList({"하나", "둘"}, "•", {ui::Font::systemFont(13), ui::Color::gray(), ui::Color::black(), 18, 3, 7});
  EXPECT_EQ(list.string(), "•\t하나\n•\t둘\n");
  EXPECT_EQ(list.attributes(0).foregroundColor, ui::Color::black().toColorDescription());
  EXPECT_EQ(list.attributes(2).foregroundColor, ui::Color::gray().toColorDescription());
  EXPECT_EQ(list.attributes(2).paragraphStyle->headIndent, 18);
  EXPECT_EQ(list.attributes(2).paragraphStyle->tabStops, (std::vector<base::TabStop>{{base::TextAlignment::left, 18}}));
}

TEST_F(DetailScreenTest, TheNoticeSectionTakesItsImagesHeightAndFollowsTheAppearance) {
  nlohmann::json ad = *fixtures().ad(kDetailAd);
  ad["view_items"]["event_notice_image"] = "{BASE_URL}/images/notice_300x150.png";
  ad["view_items"]["event_notice_dark_image"] = "{BASE_URL}/images/notice_dark_300x150.png";
  network_.servers().server(mock::kLogic).setFault(Route::adDetail,
                                                   mock::Fault{.replacementBody = ad.dump(), .isSticky = true});
  show(kDetailAd, 240);
  ASSERT_TRUE(runUntil([&] { return screen_->noticeHeightConstraint()->constant() > 0; }));
  EXPECT_DOUBLE_EQ(screen_->noticeImageHeightConstraint()->constant(), 100);
  EXPECT_DOUBLE_EQ(screen_->noticeHeightConstraint()->constant(), 147);
  EXPECT_DOUBLE_EQ(screen_->noticeHeaderLabelTopConstraint()->constant(), 10);
  EXPECT_TRUE(network_.log().entries("/images/notice_dark_300x150.png").empty());
  screen_->view()->setOverrideUserInterfaceStyle(ui::UserInterfaceStyle::dark);
  EXPECT_TRUE(waitForRequests(Route::image, 1) &&
              runUntil([&] { return !network_.log().entries("/images/notice_dark_300x150.png").empty(); }));
}

TEST_F(DetailScreenTest, TheButtonCountsDownInTheDisabledTitleColourAndTheGradientFadesIn) {
  show();
  struct Case {
    const char* callToAction;
    bool enabled;
    double next, delay;
    const char* title;
    bool disabledColour;
  } cases[] = {
      {"참여하기", true, 60, 60, "참여하기", false},
      {"{NEXT_PARTICIPATE_TIME} 후", true, 3661, 0, "01:01:01 후", true},
      {"{NEXT_PARTICIPATE_TIME}|{DELAY_COMPLETE_TIME}", false, 0, 86400, "|1일 00시간 남음", true},
      {"마감", false, 0, 0, "마감", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.callToAction);
    Ad ad = makeAd([&](Ad& ad) {
      ViewItemsInfo items;
      items.callToAction = c.callToAction;
      items.callToActionEnabled = c.enabled;
      ad.viewItemsInfo = items;
      if (c.next) ad.setNextParticipateAt(kNow + c.next);
      if (c.delay) ad.setDelayCompleteAt(kNow + c.delay);
    });
    screen_->updateDetailCtaButton(ad);
    const auto title = screen_->submitButton()->attributedTitle(ui::ControlState::normal);
    ASSERT_TRUE(title);
    EXPECT_EQ(title->string(), c.title);
    const auto& colors = *screen_->colorScheme();
    EXPECT_EQ(title->attributes(0).foregroundColor,
              (c.disabledColour ? colors.detailCtaButtonTextDisableColor() : colors.detailCtaButtonTextEnableColor())
                  .toColorDescription());
    EXPECT_EQ(screen_->submitButton()->backgroundColor(),
              c.enabled ? colors.detailCtaButtonEnableColor() : colors.detailCtaButtonDisableColor());
  }
  auto& gradient = dynamic_cast<ui::GradientLayer&>(screen_->fixedBottomGradientView()->layer());
  ASSERT_EQ(gradient.colors().size(), 2u);
  EXPECT_EQ(gradient.colors()[0].resolved({}).toColorDescription().light.alpha, 0.0);
  EXPECT_EQ(gradient.colors()[1].resolved({}).toColorDescription().light.alpha, 1.0);
}

// With title colours of its own for each flag: a countdown paints the whole title, timer and all, in
// the disabled colour even on an enabled button; a title without a countdown takes the flag's colour.
TEST_F(DetailScreenTest, ACountdownTitleTakesTheDisabledTextColourWhateverTheFlag) {
  const ui::Color enabledText = ui::Color::black(), disabledText = ui::Color::gray();
  theme_.colors().setDetailCtaButtonTextEnableColor(enabledText);
  theme_.colors().setDetailCtaButtonTextDisableColor(disabledText);
  show();
  struct Case {
    const char* callToAction;
    bool enabled;
    double next, delay;
    ui::Color text;
  } cases[] = {
      {"{NEXT_PARTICIPATE_TIME} 후 참여", true, 3661, 0, disabledText},
      {"{DELAY_COMPLETE_TIME} 후 적립", true, 0, 60, disabledText},
      {"참여하기", true, 60, 60, enabledText},
      {"마감", false, 0, 0, disabledText},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.callToAction);
    screen_->updateDetailCtaButton(makeAd([&](Ad& ad) {
      ad.viewItemsInfo = ViewItemsInfo();
      ad.viewItemsInfo->callToAction = c.callToAction;
      ad.viewItemsInfo->callToActionEnabled = c.enabled;
      if (c.next) ad.setNextParticipateAt(kNow + c.next);
      if (c.delay) ad.setDelayCompleteAt(kNow + c.delay);
    }));
    const auto title = screen_->submitButton()->attributedTitle(ui::ControlState::normal);
    ASSERT_TRUE(title);
    for (const auto& run : title->runs()) EXPECT_EQ(run.attributes.foregroundColor, c.text.toColorDescription());
  }
}

TEST_F(DetailScreenTest, TheDetailPageMatchesTheReference) {
  show();
  ASSERT_TRUE(runUntil([&] { return screen_->thumbnail()->image().has_value(); }));
  settle();
  window_->layoutIfNeeded();
  render::testing::expectMatchesReference(render::snapshot(*window_, 1), "detail_page");
}

}  // namespace
}  // namespace velkor::testing
