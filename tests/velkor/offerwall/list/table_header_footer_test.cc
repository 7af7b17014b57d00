#include <gtest/gtest.h>

#include "tests/velkor/offerwall/list/list_screen_test_support.h"
#include "velkor/offerwall/list/ofw_table_footer_view.h"
#include "velkor/offerwall/list/ofw_table_header_view.h"

namespace velkor::testing {
namespace {

using TableHeaderFooterTest = ListScreenTest;

// The general gap sets both chip gaps; each specific key wins for its own.
TEST_F(TableHeaderFooterTest, ChipGapsFallBackToTheGeneralGap) {
  struct Case {
    const char* name;
    std::optional<double> gap, rowGap, columnGap;
    double marginX, marginY;
  };
  const std::vector<Case> cases = {
      {"defaults", {}, {}, {}, 4, 4},
      {"gap alone", 9, {}, {}, 9, 9},
      {"row gap for marginX", 9, 2, {}, 2, 9},
      {"column gap for marginY", 9, {}, 3, 9, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto dimension = std::make_shared<VelkorDimension>();
    if (c.gap) dimension->setTagItemGap(*c.gap);
    if (c.rowGap) dimension->setTagItemRowGap(*c.rowGap);
    if (c.columnGap) dimension->setTagItemColumnGap(*c.columnGap);
    VelkorInternal::shared().setDimension(dimension);
    auto header = OfwTableHeaderView::make();
    EXPECT_EQ(header->tagListView()->marginX(), c.marginX);
    EXPECT_EQ(header->tagListView()->marginY(), c.marginY);
  }
}

// A page without banners and with one tag hides the spacer and the chips: its header shrinks at once
// to the 28-point bar with 6 above and below; with banners back it grows by the spacer.
TEST_F(TableHeaderFooterTest, TheHeaderFitsWhatItShows) {
  EXPECT_EQ(OfwTableHeaderView::make()->orderButtonTextLabel()->text(), "추천순");
  presenter_->banners = {listBanner(1, 1)};
  makePage();
  deliver(listAds(3), std::vector<Tag>{listTag(1, "all", "전체")});
  EXPECT_EQ(page_->tableHeaderView()->frame().height(), 88 + 40);
  presenter_->banners.clear();
  deliver(listAds(3), std::vector<Tag>{listTag(1, "all", "전체")});
  EXPECT_EQ(page_->tableHeaderView()->frame().height(), 40);
}

// The button's size falls back to moveToTopButtonSize, then 46; the square is always half of it,
// centred on it.
TEST_F(TableHeaderFooterTest, TheMoveToTopButtonSizesByAxis) {
  struct Case {
    const char* name;
    std::optional<double> size, width, height;
    ui::Size expected;
  };
  const std::vector<Case> cases = {
      {"default", {}, {}, {}, {46, 46}},
      {"size alone", 60, {}, {}, {60, 60}},
      {"width wins for its axis", 60, 30, {}, {30, 60}},
      {"height wins for its axis", {}, {}, 50, {46, 50}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto dimension = std::make_shared<VelkorDimension>();
    if (c.size) dimension->setMoveToTopButtonSize(*c.size);
    if (c.width) dimension->setMoveToTopButtonWidth(*c.width);
    if (c.height) dimension->setMoveToTopButtonHeight(*c.height);
    VelkorInternal::shared().setDimension(dimension);
    auto footer = OfwTableFooterView::make();
    footer->setFrame({0, 0, 375, 100});
    footer->layoutIfNeeded();
    const ui::Rect button = footer->moveToTopButton()->frame();
    const ui::Rect square = footer->bottomView()->frame();
    EXPECT_EQ(button.size, c.expected);
    EXPECT_EQ(square.size, (ui::Size{c.expected.width / 2, c.expected.height / 2}));
    EXPECT_EQ(square.midX(), button.midX());
    EXPECT_EQ(square.midY(), button.midY());
  }
}

}  // namespace
}  // namespace velkor::testing
