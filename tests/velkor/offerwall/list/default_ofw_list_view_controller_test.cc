#include "velkor/offerwall/list/default_ofw_list_view_controller.h"

#include <gtest/gtest.h>

#include "platform/ui/alert_controller.h"
#include "platform/ui/device.h"
#include "platform/ui/presentation.h"
#include "platform/ui/transitioning.h"
#include "tests/velkor/offerwall/list/list_screen_test_support.h"
#include "velkor/components/velkor_error_view.h"
#include "velkor/offerwall/list/ofw_table_header_view.h"
#include "velkor/offerwall/rows/ofw_list_item_cell.h"

namespace velkor::testing {
namespace {

// Counts the carousel's item-count questions: one per reload of its collection view.
class CountingPage : public DefaultOfwListViewController {
 public:
  int numberOfItems(ui::CollectionView& view, int section) override {
    ++itemCounts;
    return DefaultOfwListViewController::numberOfItems(view, section);
  }
  int itemCounts = 0;
};

std::vector<std::string> chipTitles(const ANTagListView& list) {
  std::vector<std::string> titles;
  for (const auto& chip : list.tagViews()) titles.push_back(chip->title(ui::ControlState::normal).value_or(""));
  return titles;
}

std::vector<bool> chipSelection(const ANTagListView& list) {
  std::vector<bool> selected;
  for (const auto& chip : list.tagViews()) selected.push_back(chip->isSelected());
  return selected;
}

using DefaultOfwListViewControllerTest = ListScreenTest;

TEST_F(DefaultOfwListViewControllerTest, TheCarouselReloadsOnlyForANewBannerList) {
  VelkorInternal::shared().config()->setListType(ListType::compactList);
  auto page = std::make_shared<CountingPage>();
  page->setPresenter(presenter_);
  window_->setSize({375, 812});
  window_->setRootViewController(page);
  window_->makeKeyAndVisible();
  presenter_->banners = {listBanner(1, 3), listBanner(2, 2)};
  auto reloadsAfter = [&] {
    page->itemCounts = 0;
    page->loadData(listAds(3), std::nullopt);
    window_->layoutIfNeeded();
    return page->itemCounts;
  };
  EXPECT_GT(reloadsAfter(), 0);
  EXPECT_EQ(reloadsAfter(), 0);
  EXPECT_EQ(page->bannerView()->bannerCount(), 2);
  presenter_->banners.pop_back();
  EXPECT_GT(reloadsAfter(), 0);
  EXPECT_EQ(page->bannerView()->bannerCount(), 1);
  presenter_->banners.clear();
  reloadsAfter();
  EXPECT_EQ(page->bannerView()->bannerCount(), 0);
}

// The carousel and its spacer show only on "all" with banners.
TEST_F(DefaultOfwListViewControllerTest, BannersShowOnlyOnTheAllTab) {
  struct Case {
    const char* tab;
    int banners;
    bool shown;
  };
  for (const Case& c : {Case{"all", 2, true}, Case{"all", 0, false}, Case{"action", 2, false}}) {
    SCOPED_TRACE(std::string(c.tab) + " " + std::to_string(c.banners));
    presenter_->setTabSlug(c.tab);
    presenter_->banners.assign(c.banners, listBanner(1, 1));
    makePage();
    deliver(listAds(2));
    EXPECT_EQ(!page_->bannerView()->isHidden(), c.shown);
    EXPECT_EQ(!page_->tableHeaderView()->additionalSpacer()->isHidden(), c.shown);
  }
}

TEST_F(DefaultOfwListViewControllerTest, ChipsForTwoTagsOrMoreRebuiltOnlyWhenAsked) {
  makePage();
  deliver(listAds(2), std::vector<Tag>{listTag(1, "all", "전체")});
  const auto& list = *page_->tableHeaderView()->tagListView();
  EXPECT_TRUE(list.isHidden());
  EXPECT_TRUE(page_->tagListActive());

  const std::vector<Tag> tags = {listTag(1, "all", "전체"), listTag(3, "easy", "쉬운"), listTag(4, "new", "신규")};
  deliver(listAds(2), tags);
  EXPECT_TRUE(list.tagViews().empty());  // the flag is still up: nothing rebuilt

  page_->setTagListActive(false);
  presenter_->setSelectedTagSlug("easy");
  deliver(listAds(2), tags);
  EXPECT_FALSE(list.isHidden());
  EXPECT_EQ(chipTitles(list), (std::vector<std::string>{"#전체", "#쉬운", "#신규"}));
  EXPECT_EQ(chipSelection(list), (std::vector<bool>{false, true, false}));
  const auto firstChip = list.tagViews()[0];

  presenter_->setSelectedTagSlug("new");
  deliver(listAds(2), tags);
  EXPECT_EQ(list.tagViews()[0], firstChip);  // re-selected, not rebuilt
  EXPECT_EQ(chipSelection(list), (std::vector<bool>{false, false, true}));

  // A chip tap selects its tag and reloads through the presenter.
  page_->tagPressed(1, *list.tagViews()[1], *page_->tableHeaderView()->tagListView());
  EXPECT_EQ(presenter_->selectedTagSlug(), "easy");
  EXPECT_EQ(presenter_->loads, 1);
  page_->tagPressed(7, *list.tagViews()[1], *page_->tableHeaderView()->tagListView());
  EXPECT_EQ(presenter_->loads, 1);
}

// Half a second after a load of the pager's current tab, each visible row goes to the pager.
TEST_F(DefaultOfwListViewControllerTest, VisibleRowsAreReportedHalfASecondAfterALoadOfTheCurrentTab) {
  auto& pager = pager_->pagerPresenter();
  presenter_->setTabSlug("action");
  presenter_->setSelectedTagSlug("easy");
  makePage();
  pager.setCurrentTabSlug("all");
  deliver(listAds(3));
  advance(1.0);
  EXPECT_TRUE(pager.impressions.empty());

  pager.setCurrentTabSlug("action");
  deliver(listAds(3));
  advance(0.4);
  EXPECT_TRUE(pager.impressions.empty());
  advance(0.2);
  EXPECT_EQ(pager.impressions, (std::vector<std::string>{"100@action/easy", "101@action/easy", "102@action/easy"}));

  // A stopped scroll of the table or of the tag strip reports again.
  pager.impressions.clear();
  page_->scrollViewDidEndDecelerating(*page_->tableHeaderView()->tagListView());
  EXPECT_EQ(pager.impressions.size(), 3u);
}

TEST_F(DefaultOfwListViewControllerTest, NoRowsShowTheEmptyViewBehindTheTable) {
  makePage();
  deliver({});
  auto error = page_->errorView();
  ASSERT_TRUE(error);
  EXPECT_TRUE(std::dynamic_pointer_cast<VelkorErrorView>(error));
  const auto& subviews = page_->view()->subviews();
  auto at = [&](const ui::View& view) {
    return std::find_if(subviews.begin(), subviews.end(), [&](const auto& v) { return v.get() == &view; }) -
           subviews.begin();
  };
  EXPECT_LT(at(*error), at(*page_->tableView()));
  EXPECT_TRUE(page_->tableFooterView()->isHidden());

  deliver(listAds(1));
  EXPECT_FALSE(page_->errorView());
  EXPECT_FALSE(page_->tableFooterView()->isHidden());
}

// The sheet offers the four orders and a cancel; a choice reloads and names itself at once. On a
// pad it is a popover at the centre of the page, without an arrow.
TEST_F(DefaultOfwListViewControllerTest, TheSortSheet) {
  for (auto idiom : {ui::UserInterfaceIdiom::phone, ui::UserInterfaceIdiom::pad}) {
    ui::Device::update([idiom](ui::Device& device) { device.userInterfaceIdiom = idiom; });
    presenter_->loads = 0;
    makePage();
    deliver(listAds(2));
    page_->reorder();
    auto sheet = std::dynamic_pointer_cast<ui::AlertController>(page_->presentedViewController());
    ASSERT_TRUE(sheet);
    std::vector<std::string> titles;
    for (const auto& action : sheet->actions()) titles.push_back(action->title().value_or(""));
    EXPECT_EQ(titles, (std::vector<std::string>{"추천순", "최신순", "포인트많은순", "포인트적은순", "취소"}));
    const bool pad = idiom == ui::UserInterfaceIdiom::pad;
    EXPECT_EQ(sheet->modalPresentationStyle() == ui::ModalPresentationStyle::popover, pad);
    if (pad) {
      auto* popover = sheet->popoverPresentationController();
      EXPECT_EQ(popover->permittedArrowDirections(), ui::PopoverArrowDirection{});
      EXPECT_EQ(popover->sourceView(), page_->view());
      EXPECT_EQ(popover->sourceRect(), (ui::Rect{187.5, 406, 0, 0}));
    }
    advance(kPastModal);
    EXPECT_TRUE(sheet->tapAction("최신순"));
    advance(kPastModal);
    EXPECT_EQ(presenter_->selectedSortOrder(), Ad::SortType::recent);
    EXPECT_EQ(presenter_->loads, 1);
    EXPECT_EQ(page_->tableHeaderView()->orderButtonTextLabel()->text(), "최신순");
  }
  ui::Device::update([](ui::Device& device) { device.userInterfaceIdiom = ui::UserInterfaceIdiom::phone; });

  // The header's hook takes 0 to 3 only.
  presenter_->loads = 0;
  page_->orderChanged(4, nullptr);
  page_->orderChanged(-1, nullptr);
  EXPECT_EQ(presenter_->loads, 0);
  page_->orderChanged(2, nullptr);
  EXPECT_EQ(presenter_->selectedSortOrder(), Ad::SortType::big);
  EXPECT_EQ(presenter_->loads, 1);
}

TEST_F(DefaultOfwListViewControllerTest, RowHeightsByListType) {
  auto& dimension = *VelkorInternal::shared().dimension();
  dimension.setListItemLeftMargin(20);
  dimension.setListItemRightMargin(20);
  dimension.setListItemBottomViewHeight(52);
  dimension.setListItemBottomMargin(20);
  struct Case {
    ListType type;
    std::optional<double> cellHeight;
    double height, estimate;
  };
  const std::vector<Case> cases = {
      {ListType::compactList, 100, 100, 100},
      {ListType::feed, std::nullopt, ui::TableView::kAutomaticDimension, 239.5},
      {static_cast<ListType>(9), std::nullopt, ui::TableView::kAutomaticDimension, 239.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.type));
    if (c.cellHeight) dimension.setListTypeCellHeight(*c.cellHeight);
    makePage(c.type);
    auto& table = *page_->tableView();
    EXPECT_EQ(page_->heightForRow(table, {0, 0}), c.height);
    EXPECT_EQ(page_->estimatedHeightForRow(table, {0, 0}), c.estimate);
  }
}

// -30 moves the banner area 30 down, 50 moves it 50 up, 300 moves it up by the header's height.
TEST_F(DefaultOfwListViewControllerTest, TheBannerAreaRidesTheTable) {
  VelkorInternal::shared().dimension()->setAdditionalSpacerHeight(80);
  presenter_->banners = {listBanner(1, 1)};
  makePage();
  deliver(listAds(30));
  const double header =
      page_->tableHeaderView()->systemLayoutSizeFitting(ui::View::kLayoutFittingCompressedSize).height;
  EXPECT_EQ(header, 120);  // 80 of spacer, 6, the 28 of the order bar, 6
  auto& table = *page_->tableView();
  for (auto [offset, moved] : {std::pair{-30.0, 30.0}, {50.0, -50.0}, {300.0, -header}}) {
    SCOPED_TRACE(offset);
    table.setContentOffset({0, offset});
    page_->scrollViewDidScroll(table);
    EXPECT_EQ(page_->tableHeaderContentStackView()->transform(), ui::AffineTransform::translation(0, moved));
  }
  // Another scroll view's scrolling leaves it where it is.
  page_->scrollViewDidScroll(*page_->tableHeaderView()->tagListView());
  EXPECT_EQ(page_->tableHeaderContentStackView()->transform(), ui::AffineTransform::translation(0, -header));
}

// Row taps route at once, every one; banner taps are debounced and map the copy to the first.
TEST_F(DefaultOfwListViewControllerTest, RowAndBannerTaps) {
  presenter_->banners = {listBanner(7, 3), listBanner(8, 2), listBanner(9, 1)};
  presenter_->banners[0].relatedAd = listAd(555);
  makePage();
  deliver(listAds(4));
  auto& table = *page_->tableView();
  page_->didSelectRow(table, {0, 3});
  page_->didSelectRow(table, {0, 3});
  page_->didSelectRow(table, {0, 9});
  EXPECT_EQ(presenter_->routes, (std::vector<std::string>{"velkor://offerwall/ads/103|제목 103|ad_list",
                                                          "velkor://offerwall/ads/103|제목 103|ad_list"}));
  presenter_->routes.clear();

  auto& carousel = *page_->bannerView()->collectionView();
  ASSERT_EQ(carousel.numberOfItems(0), 4);
  carousel.scrollToItem({0, 3}, ui::CollectionViewScrollPosition::centeredHorizontally, false);
  window_->layoutIfNeeded();
  page_->bannerTapped();
  page_->bannerTapped();  // within the second: dropped
  advance(1.0);
  carousel.scrollToItem({0, 1}, ui::CollectionViewScrollPosition::centeredHorizontally, false);
  window_->layoutIfNeeded();
  page_->bannerTapped();
  EXPECT_EQ(presenter_->routes, (std::vector<std::string>{"velkor://offerwall/ads/555|-|banner",
                                                          "velkor://offerwall/ads/{ad_id}|-|banner"}));

  // A stale item of an emptied carousel opens nothing.
  presenter_->banners.clear();
  advance(1.0);
  deliver(listAds(4));
  presenter_->routes.clear();
  page_->bannerTapped();
  EXPECT_TRUE(presenter_->routes.empty());
}

// The tick rewrites the visible rows' state without reloading the table.
TEST_F(DefaultOfwListViewControllerTest, TheTickRefreshesVisibleRowsOnly) {
  makePage(ListType::compactList);
  deliver(listAds(40));
  page_->beginAppearanceTransition(true, false);
  page_->endAppearanceTransition();
  auto& table = *page_->tableView();
  const auto visible = table.indexPathsForVisibleRows();
  ASSERT_FALSE(visible.empty());
  ASSERT_LT(visible.size(), 40u);
  auto first = std::dynamic_pointer_cast<OfwListItemCell>(table.cellForRow(visible.front()));
  ASSERT_TRUE(first);
  first->rewardButtonTitleLabel()->setText("stale");
  advance(1.0);
  EXPECT_NE(first->rewardButtonTitleLabel()->text(), "stale");
  EXPECT_EQ(table.cellForRow(visible.front()), first);  // the same cell: no reload
  page_->beginAppearanceTransition(false, false);
  page_->endAppearanceTransition();
  first->rewardButtonTitleLabel()->setText("stale");
  advance(2.0);
  EXPECT_EQ(first->rewardButtonTitleLabel()->text(), "stale");
}

// A page without banners and with one tag hides the spacer and the chips: its header shrinks at once
// to the 28-point bar with 6 above and below; with banners back it grows by the spacer.
TEST_F(DefaultOfwListViewControllerTest, TheHeaderFitsWhatItShows) {
  EXPECT_EQ(OfwTableHeaderView::make()->orderButtonTextLabel()->text(), "추천순");
  presenter_->banners = {listBanner(1, 1)};
  makePage();
  deliver(listAds(3), std::vector<Tag>{listTag(1, "all", "전체")});
  EXPECT_EQ(page_->tableHeaderView()->frame().height(), 88 + 40);
  presenter_->banners.clear();
  deliver(listAds(3), std::vector<Tag>{listTag(1, "all", "전체")});
  EXPECT_EQ(page_->tableHeaderView()->frame().height(), 40);
}

}  // namespace
}  // namespace velkor::testing
