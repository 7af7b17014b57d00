#include "velkor/model/placement.h"

#include <gtest/gtest.h>

#include "tests/velkor/model/fixtures.h"
#include "tests/velkor/model/wire.h"

namespace velkor {
namespace {

using namespace testing;

TEST(PlacementTest, DecodesTheFixturePlacementsWithTheirAdsInServerOrder) {
  const Json& body = fixtures().placements();
  const auto list = fromWire<PlacementList>(served(body));
  ASSERT_TRUE(list) << list.error().description();
  ASSERT_EQ(list->placements.size(), body["placements"].size());
  bool emptyPlacement = false;
  for (std::size_t i = 0; i < list->placements.size(); ++i) {
    const Placement& placement = list->placements[i];
    const Json& ads = body["placements"][i]["ads"];
    EXPECT_EQ(placement.slug, body["placements"][i]["slug"]);
    ASSERT_EQ(placement.ads.size(), ads.size());
    for (std::size_t j = 0; j < ads.size(); ++j) EXPECT_EQ(placement.ads[j].id, ads[j]["id"]);
    emptyPlacement |= placement.ads.empty();
  }
  EXPECT_TRUE(emptyPlacement);
  ASSERT_TRUE(list->rewardTypes);
  EXPECT_FALSE(list->rewardTypes->empty());
}

TEST(PlacementTest, RewardTypesAreAbsentWhenMissingOrNullAndPresentWhenEmpty) {
  for (const char* body : {R"({"placements":[]})", R"({"placements":[],"reward_types":null})"}) {
    const auto list = fromWire<PlacementList>(body);
    ASSERT_TRUE(list) << body;
    EXPECT_TRUE(list->placements.empty());
    EXPECT_FALSE(list->rewardTypes) << body;
  }
  const auto empty = fromWire<PlacementList>(R"({"placements":[],"reward_types":[]})");
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->rewardTypes, std::vector<RewardType>{});
}

TEST(PlacementTest, ABadPlacementOrAdFailsTheWholeList) {
  Json ad = fixtures().placements()["placements"][0]["ads"][0];
  ad.erase("view_url");
  const Json missingKey = {{"placements", {{{"name", "n"}, {"slug", "s"}, {"ads", {ad}}}}}};
  for (const BadWire& bad : {
           BadWire{R"({"placements":[{"name":"n","slug":"s"}]})", Kind::keyNotFound, "placements[0].ads"},
           BadWire{R"({"placements":[{"name":"n","slug":"s","ads":null}]})", Kind::valueNotFound,
                   "placements[0].ads"},
           BadWire{R"({"placements":[{"name":"n","ads":[]}]})", Kind::keyNotFound, "placements[0].slug"},
           BadWire{R"({"placements":[],"reward_types":[{"id":1,"name":"P","priority":1}]})",
                   Kind::keyNotFound, "reward_types[0].unit"},
           BadWire{R"({"reward_types":[]})", Kind::keyNotFound, "placements"},
       }) {
    EXPECT_TRUE(failsAsExpected<PlacementList>(bad));
  }
  EXPECT_TRUE(failsAsExpected<PlacementList>(
      {served(missingKey).c_str(), Kind::keyNotFound, "placements[0].ads[0].view_url"}));
}

TEST(PlacementTest, EncodesRewardTypesOnlyWhenPresent) {
  PlacementList list{{Placement{"n", "s", {}}}, std::nullopt};
  EXPECT_EQ(toJson(list), Json::parse(R"({"placements":[{"name":"n","slug":"s","ads":[]}]})"));
  list.rewardTypes = std::vector<RewardType>{};
  EXPECT_EQ(toJson(list)["rewardTypes"], Json::array());
}

}  // namespace
}  // namespace velkor
