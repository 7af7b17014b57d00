#include <gtest/gtest.h>

#include "tests/velkor/offerwall/list/list_screen_test_support.h"
#include "velkor/offerwall/list/ofw_table_footer_view.h"
#include "velkor/offerwall/list/ofw_table_header_view.h"

namespace velkor::testing {
namespace {

using TableHeaderFooterTest = ListScreenTest;

// The row gap is the chips' marginX; without its own key the column gap takes the general one.
TEST_F(TableHeaderFooterTest, ChipGapsFallBackToTheGeneralGap) {
  auto dimension = std::make_shared<VelkorDimension>();
  dimension->setTagItemGap(9);
  dimension->setTagItemRowGap(2);
  VelkorInternal::shared().setDimension(dimension);
  auto header = OfwTableHeaderView::make();
  EXPECT_EQ(header->tagListView()->marginX(), 2);
  EXPECT_EQ(header->tagListView()->marginY(), 9);
}

// The width wins for its axis over the button's size, which gives the height; the square is always
// half of the button, centred on it.
TEST_F(TableHeaderFooterTest, TheMoveToTopButtonSizesByAxis) {
  auto dimension = std::make_shared<VelkorDimension>();
  dimension->setMoveToTopButtonSize(60);
  dimension->setMoveToTopButtonWidth(30);
  VelkorInternal::shared().setDimension(dimension);
  auto footer = OfwTableFooterView::make();
  footer->setFrame({0, 0, 375, 100});
  footer->layoutIfNeeded();
  const ui::Rect button = footer->moveToTopButton()->frame();
  const ui::Rect square = footer->bottomView()->frame();
  EXPECT_EQ(button.size, (ui::Size{30, 60}));
  EXPECT_EQ(square.size, (ui::Size{15, 30}));
  EXPECT_EQ(square.midX(), button.midX());
  EXPECT_EQ(square.midY(), button.midY());
}

}  // namespace
}  // namespace velkor::testing
