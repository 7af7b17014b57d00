#include <gtest/gtest.h>

#include "platform/base/date.h"
#include "tests/velkor/core/screen_test_support.h"
#include "tests/velkor/detail/detail_testing.h"
#include "velkor/components/ofw_base_view_controller.h"
#include "velkor/core/pub_app_module.h"
#include "velkor/detail/default_ofw_detail_view_controller.h"
#include "velkor/offerwall/pager/ofw_list_pager_view.h"
#include "velkor/web/ofw_in_app_browser_view_controller.h"

namespace velkor::testing {
namespace {

using mock::Route;

class DetailPresenterTest : public DetailTest {
 protected:
  // A detail view at the top of a stack over a list screen, showing the ad, with its presenter.
  std::shared_ptr<OfwDetailPresenterImpl> present(const Ad& ad) {
    view_ = std::make_shared<RecordingDetailView>();
    view_->setCurrentAd(ad);
    presenter_ = std::make_shared<OfwDetailPresenterImpl>(view_, ad.id);
    view_->setPresenter(presenter_);
    navigation_ = std::make_shared<ui::NavigationController>(std::make_shared<ui::ViewController>());
    navigation_->pushViewController(view_, false);
    window_->setRootViewController(navigation_);
    return presenter_;
  }
  // The next participation answers with this landing.
  void answerLanding(const std::string& landing) {
    network_.servers().server(mock::kLogic).setFault(
        Route::participate, mock::Fault{.replacementBody = R"({"click_key": "k", "landing_url": ")" + landing + "\"}"});
  }
  // A tap, and the participation's answer.
  void tapAndAnswer(std::size_t requests = 1) {
    presenter_->sendParticipate();
    EXPECT_TRUE(waitForRequests(Route::participate, requests));
    settle();
  }

  std::shared_ptr<RecordingDetailView> view_;
  std::shared_ptr<OfwDetailPresenterImpl> presenter_;
  std::shared_ptr<ui::NavigationController> navigation_;
};

Ad adWith(std::int64_t id, const std::function<void(Ad&)>& change = {}) {
  return makeAd([&](Ad& ad) {
    ad.id = id;
    ad.adActionTypeId = 1;
    if (change) change(ad);
  });
}

TEST_F(DetailPresenterTest, ChecksGoDesktopThenCompletedThenSoldOutBeforeAnyRequest) {
  struct Case {
    const char* name;
    bool desktop;
    std::function<void(Ad&)> change;
    const char* shown;  // none: the participation is sent
  } cases[] = {
      {"app ad on a desktop, completed", true, [](Ad& ad) { ad.adActionTypeId = 2; ad.completed = 1; },
       "alert:지원하지 않는 디바이스입니다."},
      {"completed and sold out", false, [](Ad& ad) { ad.completed = 1; ad.adStatusValue = 1; },
       "alert:이미 참여한 이벤트입니다."},
      {"sold out", false, [](Ad& ad) { ad.adStatusValue = 1; },
       "alert:준비된 수량이 모두 소진되었습니다.\n포인트 준비가 완료되면\n다시 참여하실 수 있습니다.:8"},
      {"sold out, of a type the list lacks", false, [](Ad& ad) { ad.adStatusValue = 1; ad.rewardTypeId = 9; },
       "alert:준비된 수량이 모두 소진되었습니다.\n포인트 준비가 완료되면\n다시 참여하실 수 있습니다.:8"},
      {"web ad on a desktop, completed 0", true, [](Ad& ad) { ad.completed = 0; }, nullptr},
  };
  // An ad whose type the list lacks names the list's first type.
  RewardType::setItems({{1, "포인트", 0, "P"}, {2, "캐시", 0, "캐시"}});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ui::Device::update([&](ui::Device& device) { device.isPhoneAppOnDesktop = c.desktop; });
    network_.log().clear();
    present(adWith(1000, c.change));
    presenter_->sendParticipate();
    settle();
    if (c.shown) {
      EXPECT_EQ(view_->shown(), std::vector<std::string>{c.shown});
      EXPECT_TRUE(network_.log().entries(Route::participate).empty());
    } else {
      EXPECT_EQ(network_.log().entries(Route::participate).size(), 1u);
    }
  }
}

TEST_F(DetailPresenterTest, OneTapASecondPassesAndAnAlertStartsTheWindowToo) {
  present(adWith(1000, [](Ad& ad) { ad.completed = 1; }));
  presenter_->sendParticipate();
  advance(0.5);
  presenter_->sendParticipate();
  EXPECT_EQ(view_->shown().size(), 1u);
  advance(1.0);
  presenter_->sendParticipate();
  EXPECT_EQ(view_->shown().size(), 2u);
}

// The participation's window is closed at both ends: a tap a whole second after the last accepted
// one is still ignored, one just after it passes.
TEST_F(DetailPresenterTest, ATapExactlyASecondLaterIsIgnoredAndOneJustAfterPasses) {
  present(adWith(1000, [](Ad& ad) { ad.completed = 1; }));
  const double first = base::Date::now().timeIntervalSince1970();
  presenter_->sendParticipate();
  advance(1.0);
  ASSERT_EQ(base::Date::now().timeIntervalSince1970() - first, 1.0);
  presenter_->sendParticipate();
  EXPECT_EQ(view_->shown().size(), 1u);
  advance(0.001);
  presenter_->sendParticipate();
  EXPECT_EQ(view_->shown().size(), 2u);
}

TEST_F(DetailPresenterTest, AnAppAdAsksForTrackingAndParticipatesWhateverTheAnswer) {
  privacy::Tracking::setStatus(privacy::TrackingStatus::Denied);
  present(adWith(1000, [](Ad& ad) { ad.adActionTypeId = 2; }));
  const int asked = privacy::Tracking::requestCount();
  tapAndAnswer();
  EXPECT_EQ(privacy::Tracking::requestCount(), asked + 1);
}

TEST_F(DetailPresenterTest, ThePostbackGoesOutAfterItsDelayUnderItsOwnTaskEvenOnceTheScreenHasGone) {
  present(adWith(1001));
  tapAndAnswer();
  EXPECT_EQ(opened_, std::vector<std::string>{"https://www.example.com/event/1001?utm_source=velkor"});
  EXPECT_EQ(ui::Application::shared().backgroundTaskCount(), 1u);
  const auto task = presenter_->backgroundTask();
  // A second participation before the first postback: each keeps its own task.
  advance(1.5);
  tapAndAnswer(2);
  EXPECT_EQ(ui::Application::shared().backgroundTaskCount(), 2u);
  // The screen closes: the postbacks still go out.
  window_->setRootViewController(nullptr);
  navigation_.reset();
  presenter_.reset();
  view_.reset();
  advance(1.5);
  EXPECT_TRUE(waitForRequests(Route::postback, 1));
  EXPECT_TRUE(task->isEnded());
  EXPECT_EQ(ui::Application::shared().backgroundTaskCount(), 1u);
  advance(1.5);
  EXPECT_TRUE(waitForRequests(Route::postback, 2));
  EXPECT_EQ(ui::Application::shared().backgroundTaskCount(), 0u);
  EXPECT_EQ(network_.log().entries(Route::postback)[0].body.find("ck-1001") != std::string::npos, true);
}

TEST_F(DetailPresenterTest, AnUnusableLandingIsReportedAs312AfterItsPostbackWasScheduled) {
  network_.servers().server(mock::kLogic).setFault(
      Route::participate, mock::Fault{.replacementBody = R"({"click_key": "ck-9", "landing_url": "not an address {x}",
                                        "complete_delay_time": 0, "dialog": {"message": "보세요"}})"});
  present(adWith(1000));
  tapAndAnswer();
  ASSERT_EQ(host_->failures.size(), 1u);
  EXPECT_EQ(host_->failures[0].code, 312);
  EXPECT_EQ(host_->failures[0].message, "해당 URL로 이동에 실패하였습니다.");
  EXPECT_EQ(view_->shown(), std::vector<std::string>{});
  advance(0.01);
  EXPECT_TRUE(waitForRequests(Route::postback, 1));
  // Stopping after the task ended ends nothing twice.
  presenter_->stop();
  EXPECT_EQ(ui::Application::shared().backgroundTaskCount(), 0u);
}

class PagerModule : public PubAppModule {
 public:
  ScreenClass<OfwListPagerView> ofwListViewControllerClazz() const override {
    return ScreenClass<OfwListPagerView>::of<TestPager>("TestPager");
  }
};

TEST_F(DetailPresenterTest, LandingsGoByTheirTable) {
  VelkorInternal::shared().setPubAppModule(std::make_shared<PagerModule>());
  struct Case {
    const char* name;
    std::int64_t id;
    const char* landing;  // none: the fixture's
    LandingType type;
    std::function<void()> check;
  } cases[] = {
      {"a dialog instead of the landing", 1002, nullptr, LandingType::external,
       [&] {
         EXPECT_TRUE(opened_.empty());
         ASSERT_EQ(view_->shown().size(), 1u);
         EXPECT_TRUE(view_->shown()[0].starts_with("landingDialog:"));
       }},
      {"a dialog without a message is none", 1008, nullptr, LandingType::external,
       [&] { EXPECT_EQ(opened_, std::vector<std::string>{"https://www.example.com/direct/1008"}); }},
      {"braces repaired for the system", 1006, nullptr, LandingType::external,
       [&] { EXPECT_EQ(opened_, std::vector<std::string>{"https://www.example.com/land/%7B1006%7D?ref=%7Bvelkor%7D"}); }},
      {"the in-app browser gets the repaired address", 1006, nullptr, LandingType::inAppBrowser,
       [&] {
         auto browser = std::dynamic_pointer_cast<OfwInAppBrowserViewController>(navigation_->viewControllers().back());
         ASSERT_TRUE(browser);
         EXPECT_EQ(browser->webViewURL(), "https://www.example.com/land/%7B1006%7D?ref=%7Bvelkor%7D");
         EXPECT_EQ(browser->navigationTitle(), "앱 설치하기");
       }},
      {"a list link replaces the stack by the pager on its tab", 1005, nullptr, LandingType::external,
       [&] {
         ASSERT_EQ(navigation_->viewControllers().size(), 1u);
         auto pager = std::dynamic_pointer_cast<TestPager>(navigation_->viewControllers()[0]);
         ASSERT_TRUE(pager);
         EXPECT_EQ(pager->tabSlug_, "shop");
         EXPECT_EQ(pager->tagSlug_, "purchase");
       }},
      {"the child-ad prefix in capitals goes to the system", 1000, "VELKOR://offerwall/ads/5", LandingType::external,
       [&] { EXPECT_EQ(opened_, std::vector<std::string>{"VELKOR://offerwall/ads/5"}); }},
      // The prefixes hold only at the start: inside an outside address they are part of it.
      {"a child-ad link inside an outside address goes to the system", 1000,
       "https://www.example.com/go?to=velkor://offerwall/ads/5", LandingType::external,
       [&] { EXPECT_EQ(opened_, std::vector<std::string>{"https://www.example.com/go?to=velkor://offerwall/ads/5"}); }},
      {"a list link inside an outside address goes to the system", 1000,
       "https://www.example.com/velkor://offerwall/ads?tab_slug=shop", LandingType::external,
       [&] {
         EXPECT_EQ(opened_, std::vector<std::string>{"https://www.example.com/velkor://offerwall/ads?tab_slug=shop"});
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    opened_.clear();
    if (c.landing) answerLanding(c.landing);
    present(adWith(c.id, [&](Ad& ad) { ad.landingType = c.type; }));
    network_.log().clear();
    tapAndAnswer();
    advance(1);  // past a push's animation
    c.check();
  }
}

TEST_F(DetailPresenterTest, AChildAdReplacesTheDetailOrMakesAStackOfOne) {
  struct Case {
    const char* landing;
    std::int64_t searched, opened;
    bool emptyStack;
  } cases[] = {{"velkor://offerwall/ads/3001", 3001, 3101, false},
               {"velkor://offerwall/ads/3002", 3002, 3002, false},
               {"velkor://offerwall/ads/abc", -1, -1, false},
               {"velkor://offerwall/ads/3005", 3005, 3102, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.landing);
    answerLanding(c.landing);
    present(adWith(1000));
    if (c.emptyStack) view_->navigationOverride = std::make_shared<ui::NavigationController>();
    network_.log().clear();
    tapAndAnswer();
    ASSERT_TRUE(waitForRequests(Route::findChildAd, 1));
    EXPECT_EQ(network_.log().entries(Route::findChildAd)[0].path, "/api/ads/" + std::to_string(c.searched) + "/find_child_ad");
    auto& stack = c.emptyStack ? *view_->navigationOverride : *navigation_;
    ASSERT_TRUE(runUntil([&] { return !stack.viewControllers().empty() && stack.viewControllers().back() != view_; }));
    EXPECT_EQ(stack.viewControllers().size(), c.emptyStack ? 1u : 2u);
    auto detail = std::dynamic_pointer_cast<DefaultOfwDetailViewController>(stack.viewControllers().back());
    ASSERT_TRUE(detail);
    EXPECT_EQ(detail->presenter()->adId(), c.opened);
    EXPECT_EQ(detail->from(), "ad_detail");
  }
}

TEST_F(DetailPresenterTest, RefusalsReloadTellTheHostThenShowAndOtherFailuresShowTheErrorView) {
  struct Case {
    std::int64_t id;
    const char* shown;  // after "reload:refresh"
  } cases[] = {{1101, "dialog:"}, {1102, "alert:오늘 참여할 수 있는 횟수를 넘겼어요.:34"},
               {1104, "alert:일시적인 오류가 발생했어요. 잠시 후 다시 시도해 주세요."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    host_->failures.clear();
    present(adWith(c.id));
    tapAndAnswer();
    const auto shown = view_->shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "reload:refresh");
    EXPECT_TRUE(shown[1].starts_with(c.shown)) << shown[1];
    ASSERT_EQ(host_->failures.size(), 1u);
  }
  network_.servers().server(mock::kLogic).setFault(Route::participate,
                                                   mock::Fault{.connectionFault = mock::ConnectionFault::dropBeforeResponse, .isSticky = true});
  present(adWith(1000));
  presenter_->sendParticipate();
  ASSERT_TRUE(runUntil([&] { return !host_->errors.empty(); })) << ::testing::PrintToString(view_->calls);
  EXPECT_EQ(view_->shown(), std::vector<std::string>{"networkError"});
}

TEST_F(DetailPresenterTest, TheShareLinkArrivesOnTheMainQueueAfterTheIndicator) {
  present(adWith(1000));
  std::optional<Result<std::string>> link;
  bool onMain = false;
  presenter_->generateShortLink([&](Result<std::string> answer) {
    onMain = dispatch::main_loop::isMainThread();
    link = std::move(answer);
  });
  ASSERT_TRUE(runUntil([&] { return link.has_value(); }));
  EXPECT_TRUE(onMain);
  ASSERT_TRUE(*link);
  EXPECT_FALSE(link->value().empty());
  EXPECT_EQ(view_->calls, (std::vector<std::string>{"loading", "loaded"}));
  EXPECT_EQ(network_.log().entries(Route::shareLinkAdDetail).size(), 1u);
}

}  // namespace
}  // namespace velkor::testing
