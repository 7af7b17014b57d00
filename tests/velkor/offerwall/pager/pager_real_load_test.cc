#include <gtest/gtest.h>

#include "tests/velkor/offerwall/pager/pager_screen_test_support.h"
#include "tests/velkor/offerwall/pager/pager_test_support.h"
#include "velkor/offerwall/list/default_ofw_list_view_controller.h"
#include "velkor/offerwall/list/ofw_list_presenter.h"
#include "velkor/offerwall/pager/ofw_list_pager_presenter_impl.h"

namespace velkor::testing {
namespace {

// The SDK's pager and presenter against the local ad server: the first load builds the tabs and
// the first page, which shows the "all" tab's rows laid out in the window.
TEST(PagerRealLoad, FirstLoadShowsTheFirstPageWithItsRows) {
  AdServerScope network;
  VelkorInternal::shared().config()->setPrepareViewHidden(true);
  auto window = std::make_shared<ui::Window>();
  auto pager = std::make_shared<DefaultOfwListPagerViewController>();
  pager->setPresenter(std::make_shared<OfwListPagerPresenterImpl>(pager));
  auto navigation = std::make_shared<OfwNavigationController>(pager);
  window->setSize({375, 812});
  window->setRootViewController(navigation);
  window->makeKeyAndVisible();
  std::shared_ptr<DefaultOfwListViewController> page;
  ASSERT_TRUE(dispatch::main_loop::runUntil(
      [&] {
        const auto& shown = pager->pageViewController()->viewControllers();
        page = shown.empty() ? nullptr : std::dynamic_pointer_cast<DefaultOfwListViewController>(shown.front());
        return page && page->adList() && !page->adList()->empty();
      },
      20s));
  window->layoutIfNeeded();
  EXPECT_EQ(pager->presenter()->tabList().size(), 6u);
  EXPECT_EQ(page->presenter()->tabSlug(), "all");
  EXPECT_GT(page->view()->frame().height(), 600) << "the page fills the page view laid out by constraints";
  EXPECT_FALSE(page->tableView()->visibleCells().empty());
  window->setRootViewController(nullptr);
}

}  // namespace
}  // namespace velkor::testing
