#include <gtest/gtest.h>

#include "platform/base/defaults.h"
#include "platform/base/notification_center.h"
#include "platform/render/snapshot.h"
#include "tests/platform/render/snapshot_testing.h"
#include "platform/ui/application.h"
#include "tests/velkor/offerwall/pager/pager_screen_test_support.h"
#include "velkor/core/local_day_number.h"
#include "velkor/core/preference_manager.h"
#include "velkor/core/user_profile.h"
#include "velkor/offerwall/pager/ofw_ad_resource_popup_item.h"

namespace velkor::testing {
namespace {

std::shared_ptr<OfwPopupViewController> shownCarousel(DefaultOfwListPagerViewController& pager) {
  return std::dynamic_pointer_cast<OfwPopupViewController>(pager.presentedViewController());
}

class PagerPopupTest : public PagerScreenTest {
 protected:
  // Reloads every page, as a load's end does, and gives the carousel that shows, if any.
  std::shared_ptr<OfwPopupViewController> reloadAll() {
    pager_->reloadAll();
    drain();
    return shownCarousel(*pager_);
  }
};

// Once per pager over full screen; never in another navigation controller, never on a day closed.
TEST_F(PagerPopupTest, ShowingRule) {
  presenter_->popups = {pagerPopup(1), pagerPopup(2)};
  show(false);
  EXPECT_FALSE(reloadAll()) << "not in the offerwall's navigation controller";

  show();
  presenter_->calls.clear();
  base::Defaults::standard()->setInteger(PreferenceManager::keyText(PreferenceManager::Key::popupCloseAt),
                                         localDayNumber(base::Date::now()));
  EXPECT_FALSE(reloadAll()) << "closed for today";
  advance(86400);
  auto carousel = reloadAll();
  ASSERT_TRUE(carousel);
  EXPECT_EQ(carousel->modalPresentationStyle(), ui::ModalPresentationStyle::overFullScreen);
  EXPECT_TRUE(pager_->isPopupPresented());
  EXPECT_TRUE(presenter_->calls.empty()) << "the pager did not disappear";

  carousel->closeButtonTapped();
  drain();
  EXPECT_FALSE(reloadAll()) << "once per pager";
}

// A tap records and routes the page's popup with "{ad_id}" filled, once a second at most; the copy
// page opens the first popup. The carousel keeps its popups through a reload that empties the list.
TEST_F(PagerPopupTest, TapRoutesThePopupOnScreen) {
  presenter_->popups = {pagerPopup(1), pagerPopup(2)};
  presenter_->popups[1].campaignId = 9;
  presenter_->popups[1].landingUrl = "velkor://offerwall/ads/{ad_id}?x={ad_id}";
  Ad ad;
  ad.id = 77;
  ad.campaignId = 9;
  ad.callToActionEnabled = true;
  presenter_->setAds(std::vector<Ad>{ad});
  show();
  auto carousel = reloadAll();
  ASSERT_TRUE(carousel);
  carousel->view()->layoutIfNeeded();
  EXPECT_EQ(carousel->collectionView()->numberOfItems(0), 3);

  presenter_->popups.clear();  // a reload under the carousel
  pager_->reloadAll();
  carousel->collectionView()->scrollToItem({0, 1}, ui::CollectionViewScrollPosition::centeredHorizontally, false);
  carousel->view()->layoutIfNeeded();
  pager_->popupTapped();
  pager_->popupTapped();  // within the second: dropped
  drain();
  EXPECT_EQ(presenter_->calls.back(), "velkor://offerwall/ads/77?x=77 from popup");
  EXPECT_EQ(std::count_if(presenter_->calls.begin(), presenter_->calls.end(),
                          [](const std::string& call) { return call.ends_with("from popup"); }),
            1);
  EXPECT_FALSE(shownCarousel(*pager_));
}

// The pages: the extra last one repeats the first; an ad popup without its ad shows its own button
// text or "참여하러 가기"; an emptied list gives a plain cell instead of dividing by zero.
TEST_F(PagerPopupTest, PagesOfTheCarousel) {
  auto withoutAd = pagerPopup(5, PopupDisplayType::AD_RESOURCE);
  withoutAd.buttonText = "";
  struct Case {
    std::vector<Popup> popups;
    int items;
  };
  show();
  pager_->popupViewController()->loadViewIfNeeded();
  for (const Case& c : std::vector<Case>{{{}, 0}, {{pagerPopup(1)}, 1}, {{pagerPopup(1), withoutAd}, 3}}) {
    pager_->popupViewController()->setPopups(c.popups);
    EXPECT_EQ(pager_->numberOfItems(*pager_->popupViewController()->collectionView(), 0), c.items);
  }
  auto& collection = *pager_->popupViewController()->collectionView();
  auto card = std::dynamic_pointer_cast<OfwAdResourcePopupItem>(pager_->cellForItem(collection, {0, 1}));
  ASSERT_TRUE(card);
  EXPECT_EQ(card->ctaButton()->title(ui::ControlState::normal), "참여하러 가기");
  EXPECT_EQ(card->titleLabel()->text(), "");
  pager_->popupViewController()->setPopups({});
  EXPECT_FALSE(std::dynamic_pointer_cast<OfwAdResourcePopupItem>(pager_->cellForItem(collection, {0, 1})));
}

// Ticks, both wraps and the badge for three popups; one popup has no badge and never moves.
TEST_F(PagerPopupTest, CarouselTicksWrapsAndBadge) {
  presenter_->popups = {pagerPopup(1), pagerPopup(2), pagerPopup(3)};
  show();
  auto carousel = reloadAll();
  ASSERT_TRUE(carousel);
  auto label = [&] { return carousel->pageIndicator()->indicatorLabel()->text(); };
  EXPECT_EQ(label(), "1 / 3");
  advance(0.9);  // the entrance slide, and a tick's page move after it
  EXPECT_EQ(carousel->collectionViewBottomConstraint()->constant(), 0);
  ASSERT_TRUE(carousel->isAutoScrolling());
  std::vector<std::string> seen;
  for (int tick = 0; tick < 4; ++tick) {
    advance(3.0);
    seen.push_back(label());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"2 / 3", "3 / 3", "1 / 3", "1 / 3"}));
  EXPECT_EQ(carousel->collectionView()->indexPathsForVisibleItems().front().item, 0) << "silently back from the copy";

  auto& scroll = *carousel->collectionView();
  scroll.setContentOffset({-10, 0});
  EXPECT_EQ(label(), "3 / 3");
  EXPECT_GT(scroll.contentOffset().x, 0);
  scroll.setContentOffset({scroll.contentSize().width, 0});
  EXPECT_EQ(label(), "1 / 3");

  carousel->closeTodayButtonTapped();
  drain();
  EXPECT_EQ(base::Defaults::standard()->integer(PreferenceManager::keyText(PreferenceManager::Key::popupCloseAt)),
            localDayNumber(base::Date::now()));
}

using PagerLifeCycleTest = PagerScreenTest;

// Observers only while on screen; the background flushes, sends and marks both caches dirty after
// the send; the error view is never doubled; the login's success continues only a contact request.
TEST_F(PagerLifeCycleTest, ObserversBackgroundErrorViewAndContact) {
  show();
  EXPECT_TRUE(pager_->observesApp());
  presenter_->calls.clear();
  VelkorInternal::shared().repository()->setCacheIsDirty(false);
  VelkorInternal::shared().repository()->setPlacementCacheIsDirty(false);
  base::NotificationCenter::defaultCenter().post(ui::Application::kDidEnterBackgroundNotification);
  base::NotificationCenter::defaultCenter().post(ui::Application::kWillEnterForegroundNotification);
  EXPECT_EQ(presenter_->calls, (std::vector<std::string>{"send", "reload ad_list"}));
  EXPECT_TRUE(VelkorInternal::shared().repository()->cacheIsDirty());
  EXPECT_TRUE(VelkorInternal::shared().repository()->placementCacheIsDirty());

  pager_->showNetworkError(true);
  pager_->showNetworkError(true);
  auto errorViews = std::count_if(pager_->view()->subviews().begin(), pager_->view()->subviews().end(),
                                  [](const auto& view) { return dynamic_cast<OfwNetworkErrorView*>(view.get()); });
  EXPECT_EQ(errorViews, 1);
  pager_->networkErrorView()->retryButton()->sendActions(ui::ControlEvent::touchUpInside);
  EXPECT_EQ(presenter_->calls.back(), "reload ad_list");
  pager_->hideNetworkError();
  pager_->hideNetworkError();
  EXPECT_FALSE(pager_->networkErrorView());

  presenter_->calls.clear();
  pager_->success();
  EXPECT_TRUE(presenter_->calls.empty()) << "no contact request was waiting";
  pager_->moveToContact();
  pager_->success();
  pager_->success();
  EXPECT_EQ(presenter_->calls, (std::vector<std::string>{"contact", "contact"}));

  pager_->beginAppearanceTransition(false, false);
  pager_->endAppearanceTransition();
  EXPECT_FALSE(pager_->observesApp());
  EXPECT_EQ(presenter_->calls.back(), "send");
}

}  // namespace
}  // namespace velkor::testing

namespace velkor::testing {
namespace {

using PagerSnapshotTest = PagerScreenTest;

// Three tabs with the popup carousel over them, at rest after its entrance.
TEST_F(PagerSnapshotTest, ThreeTabsUnderThePopupCarousel) {
  presenter_->popups = {pagerPopup(1, PopupDisplayType::AD_RESOURCE), pagerPopup(2)};
  presenter_->popups[0].buttonText = "지금 참여하기";
  show();
  showTabs({pagerTab("all", "전체"), pagerTab("action", "참여"), pagerTab("shop", "쇼핑")});
  pager_->reloadAll();
  drain();
  advance(0.5);
  window_->layoutIfNeeded();
  render::testing::expectMatchesReference(render::snapshot(*window_, 1), "pager_three_tabs_popup");
}

}  // namespace
}  // namespace velkor::testing
