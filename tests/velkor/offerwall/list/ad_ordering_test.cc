#include "velkor/offerwall/list/ad_ordering.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace velkor {
namespace {

Ad makeAd(std::int64_t id, float priority = 0, std::int64_t reward = 0, std::optional<double> start = {},
          std::optional<std::int64_t> completed = {}, std::optional<bool> cta = true) {
  Ad ad;
  ad.id = id;
  ad.priority = priority;
  ad.reward = reward;
  if (start) ad.setStartAt(*start);  // seconds since 1970
  ad.completed = completed;
  ad.callToActionEnabled = cta;
  return ad;
}

std::vector<std::int64_t> idsOf(const std::vector<Ad>& ads) {
  std::vector<std::int64_t> ids;
  for (const Ad& ad : ads) ids.push_back(ad.id);
  return ids;
}

// The incoming order is the cache's (higher priority first), so it is what equal keys must keep.
TEST(AdOrderingTest, EachOrderArrangesThreeStableGroups) {
  struct Case {
    const char* name;
    std::int64_t order;
    std::vector<Ad> ads;
    std::vector<std::int64_t> expected;
  };
  const std::vector<Ad> mixed = {
      makeAd(1, 5, 100, 1000),
      makeAd(2, 4, 300, 3000),
      makeAd(3, 3, 300, std::nullopt),
      makeAd(4, 2, 200, 2000, 1),               // completed, call to action on
      makeAd(5, 1, 50, 5000, 0, false),         // completed 0 counts as open
      makeAd(6, 0.5f, 400, 4000, std::nullopt, std::nullopt),  // no flag counts as disabled
  };
  const std::vector<Case> cases = {
      {"recommend", 0, mixed, {1, 2, 3, 5, 6, 4}},
      {"recent: no start date last", 1, mixed, {2, 1, 3, 5, 6, 4}},
      {"big: equal rewards by priority", 2, mixed, {2, 3, 1, 6, 5, 4}},
      {"small: equal rewards by priority", 3, mixed, {1, 2, 3, 5, 6, 4}},
      {"byte 7 sorts as recommend", 7, mixed, {1, 2, 3, 5, 6, 4}},
      {"byte 200 sorts as recommend", 200, mixed, {1, 2, 3, 5, 6, 4}},
      {"equal priorities keep cache order", 0, {makeAd(7, 1), makeAd(8, 1), makeAd(9, 2)}, {9, 7, 8}},
      {"two undated ads by priority", 1, {makeAd(10, 3), makeAd(11, 9, 0, 50), makeAd(12, 1)}, {11, 10, 12}},
      {"empty", 2, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(idsOf(arrangeAds(c.ads, comparatorFor(static_cast<Ad::SortType>(c.order)))), c.expected);
  }
}

// Banners link to the first ad of their campaign in the order given, show only while it is open
// for action, and stand by priority.
TEST(AdOrderingTest, BannersLinkToTheFirstAdOfTheirCampaign) {
  std::vector<Ad> ads = {makeAd(1), makeAd(2), makeAd(3, 0, 0, {}, {}, false), makeAd(4, 0, 0, {}, {}, std::nullopt)};
  ads[0].campaignId = 10;
  ads[1].campaignId = 10;
  ads[2].campaignId = 30;
  ads[3].campaignId = 40;
  auto banner = [](std::int64_t id, std::optional<std::int64_t> campaign, float priority) {
    Banner b;
    b.id = id;
    b.campaignId = campaign;
    b.priority = priority;
    return b;
  };
  const std::vector<Banner> banners = {banner(1, 10, 1), banner(2, std::nullopt, 3), banner(3, 30, 9),
                                       banner(4, 40, 9), banner(5, 50, 9), banner(6, std::nullopt, 1)};
  const auto shown = visibleBanners(banners, ads);
  std::vector<std::int64_t> ids;
  for (const Banner& b : shown) ids.push_back(b.id);
  EXPECT_EQ(ids, (std::vector<std::int64_t>{2, 1, 6}));
  ASSERT_TRUE(shown[1].relatedAd);
  EXPECT_EQ(shown[1].relatedAd->id, 1);
  EXPECT_FALSE(shown[0].relatedAd);

  // No ads at all: only the banners without a campaign remain.
  EXPECT_EQ(visibleBanners(banners, {}).size(), 2u);
}

}  // namespace
}  // namespace velkor
