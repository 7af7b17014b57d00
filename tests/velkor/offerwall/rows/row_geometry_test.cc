#include <gtest/gtest.h>

#include "tests/velkor/offerwall/rows/rows_testing.h"
#include "velkor/offerwall/rows/ofw_feed_item_cell.h"
#include "velkor/offerwall/rows/ofw_list_item_cell.h"

namespace velkor::testing {
namespace {

class RowGeometryTest : public ScreenTest {};

ui::Rect in(const ui::View& view, const ui::View& cell) { return view.convert(view.bounds(), &cell); }

// The default theme's sizes are pinned by the snapshots; what a layout pass must redo is checked here.
TEST_F(RowGeometryTest, TheCompactRowRereadsItsBorderAndReplacesItsMark) {
  auto rows = showRows<OfwListItemCell>({makeAd([](Ad& ad) { ad.newBadge = 1; })}, 375, 80);
  auto cell = rows->cell(0);
  // The border colour is read again at every layout pass.
  theme_.colors().setListItemThumbImageBorderColor(ui::Color::black());
  cell->setNeedsLayout();
  cell->layoutIfNeeded();
  EXPECT_EQ(cell->thumbImageView()->layer().borderColor(), ui::Color::black());
  // Shown again, the "new" mark stays; gone and back, it is placed anew after the title.
  const ui::Rect mark = in(*cell->markNewImageView(), *cell);
  cell->setMarkNewImageViewLayout(false);
  cell->setMarkNewImageViewLayout(true);
  EXPECT_TRUE(cell->markNewImageView()->isHidden());
  cell->setMarkNewImageViewLayout(false);
  rows->window()->layoutIfNeeded();
  EXPECT_EQ(in(*cell->markNewImageView(), *cell), mark);
}

TEST_F(RowGeometryTest, ASpecificPaddingOrMarginWinsOverItsGeneralOneOnItsSideOnly) {
  struct Case {
    const char* name;
    std::function<void(VelkorDimension&)> set;
    double thumbX, buttonX, separatorX, separatorWidth;
  } cases[] = {
      {"left padding over padding",
       [](VelkorDimension& d) {
         d.setValue(VelkorDimension::Property::listItemPadding, 8);
         d.setListItemLeftPadding(30);
       },
       30, 287, 0, 375},
      {"left separator margin over margin",
       [](VelkorDimension& d) {
         d.setValue(VelkorDimension::Property::listItemSeparatorMargin, 12);
         d.setListItemSeparatorLeftMargin(4);
       },
       16, 279, 4, 359},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedTheme theme;
    c.set(theme.dimension());
    auto rows = showRows<OfwListItemCell>({makeAd()}, 375, 80);
    auto cell = rows->cell(0);
    EXPECT_EQ(in(*cell->thumbImageView(), *cell).minX(), c.thumbX);
    EXPECT_EQ(in(*cell->rewardButtonView(), *cell).minX(), c.buttonX);
    EXPECT_EQ(in(*cell->separatorView(), *cell).minX(), c.separatorX);
    EXPECT_EQ(in(*cell->separatorView(), *cell).width(), c.separatorWidth);
  }
}

TEST_F(RowGeometryTest, TheFeedBarKeepsTheThemesPaddingsWhenTheyConflictWithItsFixedInsets) {
  theme_.dimension().setBottomViewTopPadding(5);
  theme_.dimension().setBottomViewBottomPadding(25);
  theme_.dimension().setGapBetweenTextAndCtaButton(30);
  auto rows = showRows<OfwFeedItemCell>({makeAd()});
  auto cell = rows->cell(0);
  const ui::Rect bar = in(*cell->bottomView(), *cell), left = in(*cell->leftView(), *cell),
                 right = in(*cell->rightView(), *cell);
  EXPECT_DOUBLE_EQ(left.minY() - bar.minY(), 5);
  EXPECT_DOUBLE_EQ(bar.maxY() - left.maxY(), 25);
  EXPECT_DOUBLE_EQ(left.midY(), right.midY());
  EXPECT_GE(right.minX() - left.maxX(), 30 - 1e-9);
}

}  // namespace
}  // namespace velkor::testing
