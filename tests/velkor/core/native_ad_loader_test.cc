#include "velkor/core/native_ad_loader.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

#include "tests/velkor/core/host_ads_test_support.h"
#include "tests/velkor/model/fixtures.h"
#include "velkor/model/tag_list.h"

namespace velkor::testing {
namespace {

using Json = nlohmann::json;

constexpr const char* kBadPage = "error: page must be a positive number";
constexpr const char* kBadLimit = "error: limit must be a positive number less than 20";
constexpr const char* kOutOfRange = "error: page is out of range";

// "first,...,last".
std::string ids(int first, int last) {
  std::string text;
  for (int id = first; id <= last; ++id) text += (id == first ? "" : ",") + std::to_string(id);
  return text;
}

// An ad list of `count` ads with ids 1, 2, ... in falling priority, each eligible unless told otherwise.
Json adList(int count, bool eligible = true) {
  Json ads = Json::array();
  for (int id = 1; id <= count; ++id) {
    Json ad = *fixtures().ad(1000);
    ad["id"] = id;
    ad["priority"] = 100 - id;
    ad["call_to_action_enabled"] = eligible;
    ads.push_back(ad);
  }
  return {{"reward_types", fixtures().adList()["reward_types"]}, {"ads", ads}, {"tabs", Json::array()}, {"tags", Json::array()}};
}

struct PagingCase {
  const char* name;
  std::int64_t page;
  std::int64_t size;
  std::string expected;
};
std::ostream& operator<<(std::ostream& out, const PagingCase& c) { return out << c.name; }

class LoadAllAdsPaging : public HostAdsTest, public ::testing::WithParamInterface<PagingCase> {};

TEST_P(LoadAllAdsPaging, ChecksItsArgumentsAndCutsTwentyFiveAdsIntoPages) {
  listServer().setFault(mock::Route::adList, mock::Fault{}.withBody(adList(25).dump()).sticky());
  const auto& c = GetParam();
  EXPECT_EQ(answerOf([&](auto recorder) {
              nativeLoader().loadAllAds(c.page, c.size, std::nullopt, pageTo(recorder), errorTo(recorder));
            }),
            c.expected);
  // The arguments are checked before any request.
  const bool badArguments = c.expected == kBadPage || c.expected == kBadLimit;
  EXPECT_EQ(log().count(mock::Route::adList), badArguments ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    TwentyFiveAds, LoadAllAdsPaging,
    ::testing::Values(PagingCase{"FirstPage", 1, 10, ids(1, 10) + " (1/3)"},
                      PagingCase{"LastPartialPage", 3, 10, ids(21, 25) + " (3/3)"},
                      PagingCase{"PastTheLastPage", 4, 10, kOutOfRange},
                      PagingCase{"HugePage", std::numeric_limits<std::int64_t>::max(), 10, kOutOfRange},
                      PagingCase{"SizeTwenty", 2, 20, ids(21, 25) + " (2/2)"},
                      PagingCase{"SizeAboveTwenty", 1, 21, kBadLimit},
                      PagingCase{"SizeZero", 1, 0, kBadLimit}, PagingCase{"PageZero", 0, 10, kBadPage},
                      // The page is checked first.
                      PagingCase{"PageZeroAndSizeAboveTwenty", 0, 21, kBadPage}),
    [](const auto& info) { return std::string(info.param.name); });

class NativeAdLoading : public HostAdsTest {};

TEST_F(NativeAdLoading, AnswersWithoutEligibleAdsByKind) {
  listServer().setFault(mock::Route::adList, mock::Fault{}.withBody(adList(5, false).dump()).sticky());
  EXPECT_EQ(answerOf([&](auto r) { nativeLoader().loadAllAds(1, 10, std::nullopt, pageTo(r), errorTo(r)); }),
            kOutOfRange);
  EXPECT_EQ(answerOf([&](auto r) { nativeLoader().loadAds(5, std::nullopt, adsTo(r), errorTo(r)); }), "");
}

TEST_F(NativeAdLoading, CutsToTheSizeAndStillAsksTheServerForNone) {
  listServer().setFault(mock::Route::adList, mock::Fault{}.withBody(adList(8).dump()).sticky());
  EXPECT_EQ(answerOf([&](auto r) { nativeLoader().loadAds(0, std::nullopt, adsTo(r), errorTo(r)); }), "");
  EXPECT_EQ(log().count(mock::Route::adList), 1u);
  EXPECT_EQ(answerOf([&](auto r) { nativeLoader().loadAds(3, std::nullopt, adsTo(r), errorTo(r)); }), "1,2,3");
  EXPECT_EQ(answerOf([&](auto r) { nativeLoader().loadAds(12, std::nullopt, adsTo(r), errorTo(r)); }), ids(1, 8));
}

TEST_F(NativeAdLoading, StampsTheInventoryAndRecordsEveryAdHandedOut) {
  auto recorder = std::make_shared<Recorder>();
  NativeAds handed;
  const RequestOptions options(std::nullopt, "home_feed", false);
  nativeLoader().loadAds(
      2, options, [&](NativeAds ads) { handed = ads; recorder->success(); }, errorTo(recorder));
  nativeLoader().loadAds(1, std::nullopt, adsTo(recorder), errorTo(recorder));
  ASSERT_TRUE(recorder->waitFor(2));
  ASSERT_EQ(handed.size(), 2u);
  for (const auto& ad : handed) EXPECT_EQ(ad->inventory(), "home_feed");
  const auto records = impressions_->takeVisibleItems();
  EXPECT_EQ(std::multiset<Json>(records.begin(), records.end()),
            (std::multiset<Json>{{{"id", std::to_string(handed[0]->id())}, {"inventory", "home_feed"}},
                                 {{"id", std::to_string(handed[1]->id())}, {"inventory", "home_feed"}},
                                 {{"id", std::to_string(handed[0]->id())}}}));
}

struct TagCase {
  const char* name;
  std::optional<std::vector<std::string>> tags;
  std::string expected;  // "all": not narrowed
  std::optional<std::vector<Tag>> storedCatalogue = std::nullopt;
};
std::ostream& operator<<(std::ostream& out, const TagCase& c) { return out << c.name; }

class TagNarrowing : public HostAdsTest, public ::testing::WithParamInterface<TagCase> {
 protected:
  std::string load(std::optional<std::vector<std::string>> tags) {
    std::optional<RequestOptions> options;
    if (tags) options.emplace(std::move(tags), std::nullopt, false);
    return answerOf([&](auto r) { nativeLoader().loadAds(1000, options, adsTo(r), errorTo(r)); });
  }
};

TEST_P(TagNarrowing, KeepsTheAdsOfTheKnownTags) {
  const auto& c = GetParam();
  if (c.storedCatalogue) {
    // Stored under the stamp the ad list tells, so that no fetch of the catalogue replaces it.
    TagList{*c.storedCatalogue, "2024-03-01T09:00:00+0900"}.store(*base::Defaults::standard());
  }
  const std::string unnarrowed = load(std::nullopt);
  EXPECT_EQ(load(c.tags), c.expected == "all" ? unnarrowed : c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Slugs, TagNarrowing,
    ::testing::Values(
        TagCase{"OneTagAndAnUnknownSlug", std::vector<std::string>{"new", "zz"}, "1001,1002,1404,1405"},
        TagCase{"TwoTags", std::vector<std::string>{"subscribe", "purchase"}, "1402,1405"},
        TagCase{"OnlyUnknownSlugs", std::vector<std::string>{"zz"}, "all"},
        // The stored catalogue comes before the tabs' tags.
        TagCase{"StoredTagWins", std::vector<std::string>{"new"}, "1402", std::vector<Tag>{{5, "신규", "new"}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velkor::testing
