#include "velkor/core/placement_ad_loader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/velkor/core/host_ads_test_support.h"

namespace velkor::testing {
namespace {

struct PlacementCase {
  const char* name;
  const char* slug;
  std::int64_t size;
  bool autofill;
  // The expected ids; "+N" stands for the first N eligible ads of the general list not already picked.
  std::string expected;
  std::optional<std::vector<std::string>> tags = std::nullopt;
};
std::ostream& operator<<(std::ostream& out, const PlacementCase& c) { return out << c.name; }

std::vector<std::string> split(const std::string& text) {
  std::vector<std::string> pieces;
  std::istringstream in(text);
  for (std::string piece; std::getline(in, piece, ',');) pieces.push_back(piece);
  return pieces;
}

class PlacementLoading : public HostAdsTest {
 protected:
  std::string loadPlacement(const std::string& slug, std::int64_t size, std::optional<RequestOptions> options) {
    return answerOf([&](auto r) { placementLoader().loadPlacementAds(slug, size, options, adsTo(r), errorTo(r)); });
  }
  // The ids the general list would fill with, in its order.
  std::vector<std::string> generalIds() {
    return split(answerOf([&](auto r) { nativeLoader().loadAds(1000, std::nullopt, adsTo(r), errorTo(r)); }));
  }
  // "+N" resolved against the general list, skipping the ids already expected.
  std::string resolve(const std::string& expected) {
    auto pieces = split(expected);
    if (pieces.empty() || pieces.back()[0] != '+') return expected;
    int fills = std::stoi(pieces.back().substr(1));
    pieces.pop_back();
    for (const auto& id : generalIds()) {
      if (fills == 0) break;
      if (std::find(pieces.begin(), pieces.end(), id) != pieces.end()) continue;
      pieces.push_back(id);
      --fills;
    }
    std::string text;
    for (const auto& id : pieces) text += (text.empty() ? "" : ",") + id;
    return text;
  }
};

class PlacementPicks : public PlacementLoading, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(PlacementPicks, SortsByPriorityAndFillsUpWhenAsked) {
  const auto& c = GetParam();
  const std::string expected = resolve(c.expected);
  EXPECT_EQ(loadPlacement(c.slug, c.size, RequestOptions(c.tags, "slot", c.autofill)), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Placements, PlacementPicks,
    ::testing::Values(
        // 1105 completed, 1510 without a call to action, 1108 for testers only.
        PlacementCase{"EligibleOnly", "home_top", 5, false, "1001,1002,1003"},
        PlacementCase{"TagsHaveNoEffect", "home_top", 5, false, "1001,1002,1003", std::vector<std::string>{"new"}},
        PlacementCase{"HighestPriorityFirst", "two_ads", 5, false, "1511,1515"},
        PlacementCase{"AutofillTopsUp", "two_ads", 3, true, "1511,1515,+1"},
        PlacementCase{"AutofillOnlyWhenShort", "home_top", 3, true, "1001,1002,1003"},
        PlacementCase{"EmptyPlacementFilled", "empty", 2, true, "+2"},
        // A slug no placement carries answers once, like an empty placement.
        PlacementCase{"UnknownSlug", "nowhere", 3, false, ""},
        PlacementCase{"UnknownSlugFilled", "nowhere", 3, true, "+3"},
        PlacementCase{"NegativeSize", "home_top", -1, true, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlacementLoading, NeverHandsAnAdOutTwiceInAGroupUntilTheGroupsAreCleared) {
  auto inGroup = [](bool autofill) {
    return RequestOptions(RequestOptions::WithGroup{}, std::nullopt, "slot", "home", autofill);
  };
  EXPECT_EQ(loadPlacement("home_top", 2, inGroup(false)), "1001,1002");
  EXPECT_EQ(loadPlacement("home_top", 2, inGroup(false)), "1003");
  const auto filled = split(loadPlacement("home_top", 2, inGroup(true)));
  ASSERT_EQ(filled.size(), 2u);
  for (const auto& id : filled) EXPECT_TRUE(id != "1001" && id != "1002" && id != "1003") << id;
  // Another group, and loads without one, are not held back.
  EXPECT_EQ(loadPlacement("home_top", 2, RequestOptions(RequestOptions::WithGroup{}, std::nullopt, "slot", "other",
                                                        false)),
            "1001,1002");
  EXPECT_EQ(loadPlacement("home_top", 2, std::nullopt), "1001,1002");
  groups_->clear();
  EXPECT_EQ(loadPlacement("home_top", 2, inGroup(false)), "1001,1002");
}

TEST_F(PlacementLoading, ReportsEveryFailureAsAPlainError) {
  listServer().setFault(mock::Route::placements, mock::Fault{}.withStatus(500).malformedJson());
  EXPECT_EQ(loadPlacement("home_top", 3, std::nullopt), "error: VelKOR error 0");
  listServer().setFault(mock::Route::adList, mock::Fault{}.malformedJson());
  EXPECT_EQ(loadPlacement("two_ads", 3, RequestOptions(std::nullopt, std::nullopt, true)), "error: VelKOR error 0");
  // Nothing was handed out, so nothing is recorded.
  EXPECT_TRUE(impressions_->takeVisibleItems().empty());
}

}  // namespace
}  // namespace velkor::testing
