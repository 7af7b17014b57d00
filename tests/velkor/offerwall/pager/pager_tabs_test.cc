#include <gtest/gtest.h>

#include "tests/velkor/offerwall/pager/pager_screen_test_support.h"
#include "velkor/offerwall/list/ofw_list_presenter.h"

namespace velkor::testing {
namespace {

using PagerTabsTest = PagerScreenTest;

std::vector<Tab> threeTabs() {
  return {pagerTab("all", "전체", {"all", "easy"}), pagerTab("action", "참여", {"all", "new"}),
          pagerTab("shop", "쇼핑")};
}

TEST_F(PagerTabsTest, SeveralTabsShowTheStripAndBuildPagesOnce) {
  show();
  showTabs(threeTabs());
  auto& pages = *pager_->pageViewController();
  EXPECT_EQ(pager_->mTabBar()->frame().height(), VelkorInternal::shared().config()->tabBarHeight());
  auto first = pager_->listPage(0), last = pager_->listPage(2);
  EXPECT_FALSE(pager_->viewControllerBefore(pages, *first)) << "no page before the first";
  EXPECT_FALSE(pager_->viewControllerAfter(*pager_->pageViewController(), *last)) << "no page after the last";
  EXPECT_EQ(pager_->viewControllerAfter(*pager_->pageViewController(), *first), pager_->listPage(1))
      << "pages are built once and kept";
}

// Moves by link: an unknown tab moves nothing and leaves the tag pending; an unknown tag on a known
// tab selects "all"; a tap during a swipe is dropped; a swipe that springs back confirms its tab.
TEST_F(PagerTabsTest, LinksTapsAndSwipes) {
  show();
  showTabs(threeTabs());
  ASSERT_EQ(pageOnScreen()->pageIndex(), 0);

  pager_->changeTab("gone", "easy");
  drain();
  EXPECT_EQ(presenter_->currentTabSlug(), "gone");
  EXPECT_EQ(presenter_->currentTagSlug(), "easy");
  EXPECT_FALSE(pager_->mTabBar()->selectedItem());
  EXPECT_EQ(pageOnScreen()->pageIndex(), 0);

  pager_->changeTab("action", "nope");
  drain();
  EXPECT_EQ(pageOnScreen()->pageIndex(), 1);
  EXPECT_EQ(pageOnScreen()->presenter()->selectedTagSlug(), "all");
  EXPECT_EQ(pager_->mTabBar()->selectedItem()->slug(), "action");

  auto& pages = *pager_->pageViewController();
  pager_->willTransitionTo(pages, {pager_->listPage(2)});
  pager_->tabBar(ANTabBarItem::create("쇼핑", "shop"));
  drain();
  EXPECT_EQ(presenter_->currentTabSlug(), "action") << "a tap during a swipe is dropped";
  presenter_->setCurrentTabSlug("shop");
  pager_->didFinishAnimating(pages, true, {}, false);  // sprang back to "action"
  EXPECT_EQ(presenter_->currentTabSlug(), "action");
  EXPECT_FALSE(pager_->transitionInProgress());

  pager_->tabBar(ANTabBarItem::create("쇼핑", "shop"));
  drain();
  EXPECT_EQ(pageOnScreen()->pageIndex(), 2);
  pager_->tabBar(ANTabBarItem::create("?", "unknown"));
  drain();
  EXPECT_EQ(pageOnScreen()->pageIndex(), 2);
}

}  // namespace
}  // namespace velkor::testing
