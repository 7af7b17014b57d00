#include <gtest/gtest.h>

#include "tests/velkor/offerwall/list/list_screen_test_support.h"
#include "velkor/offerwall/list/ofw_table_header_view.h"

namespace velkor::testing {
namespace {

using TableHeaderFooterTest = ListScreenTest;

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

}  // namespace
}  // namespace velkor::testing
