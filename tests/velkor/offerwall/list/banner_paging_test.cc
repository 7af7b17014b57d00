#include "velkor/offerwall/list/banner_paging.h"

#include <gtest/gtest.h>

#include <vector>

namespace velkor {
namespace {

// For 0 to 3 banners: the items, the banner of each item, and the auto-scroll's walk through them.
TEST(BannerPagingTest, ItemsStepsAndWrapByBannerCount) {
  struct Case {
    std::int64_t banners;
    std::int64_t items;
    std::vector<std::optional<std::int64_t>> bannerOfItem;  // items 0 to 3
    std::vector<std::optional<BannerStep>> stepFromItem;    // items 0 to 3
  };
  const std::optional<std::int64_t> none;
  const std::optional<BannerStep> still;
  const std::vector<Case> cases = {
      {0, 0, {none, none, none, none}, {still, still, still, still}},
      {1, 1, {0, 0, 0, 0}, {still, still, still, still}},
      {2, 3, {0, 1, 0, 1}, {BannerStep{1, true}, BannerStep{2, true}, BannerStep{0, false}, still}},
      {3, 4, {0, 1, 2, 0}, {BannerStep{1, true}, BannerStep{2, true}, BannerStep{3, true}, BannerStep{0, false}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.banners);
    EXPECT_EQ(bannerItemCount(c.banners), c.items);
    for (std::int64_t item = 0; item < 4; ++item) {
      EXPECT_EQ(bannerIndex(item, c.banners), c.bannerOfItem[item]) << "item " << item;
      EXPECT_EQ(nextBannerStep(item, c.banners), c.stepFromItem[item]) << "item " << item;
    }
  }
  EXPECT_EQ(nextBannerStep(0, std::nullopt), still);
}

// Three banners of 300 points: four pages, the copy at 900.
TEST(BannerPagingTest, SwipesPastEitherEndContinueFromTheOther) {
  struct Case {
    double offset;
    std::optional<double> wrapped;
  };
  const std::vector<Case> cases = {{950, 50}, {900, std::nullopt}, {0, std::nullopt}, {450, std::nullopt}, {-40, 860}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    EXPECT_EQ(wrappedBannerOffset(c.offset, 1200, 3), c.wrapped);
  }
  EXPECT_EQ(wrappedBannerOffset(-40, 1200, std::nullopt), std::nullopt);
}

}  // namespace
}  // namespace velkor
