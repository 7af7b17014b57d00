#include "velkor/model/ad_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "tests/velkor/model/wire.h"

namespace velkor {
namespace {

using namespace testing;

std::string fixture(const std::string& name) {
  std::ifstream file(std::string(VELKOR_SOURCE_DIR) + "/tools/mock-server/fixtures/" + name);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The local ad server's ads are meant to exercise every case the SDK handles; check that they still
// do and that every one of them decodes.
TEST(AdListFixturesTest, EveryFixtureAdDecodesAndTheCasesAreCovered) {
  const std::string body = fixture("ad_list.json");
  const auto list = fromWire<AdList>(body);
  ASSERT_TRUE(list) << list.error().description();
  const auto details = fromWire<std::vector<Ad>>(fixture("ad_details.json"));
  ASSERT_TRUE(details) << details.error().description();

  EXPECT_EQ(list->ads.size(), Json::parse(body)["ads"].size());
  ASSERT_TRUE(list->rewardTypes);
  EXPECT_FALSE(list->rewardTypes->empty());
  EXPECT_FALSE(list->tabs.empty());
  EXPECT_FALSE(list->tags.empty());

  std::set<LandingType> landingTypes;
  std::set<std::optional<AdActionType>> actionTypes;
  std::set<AdStatus> adStatuses;
  std::set<std::int64_t> showStatuses;
  std::vector<Ad> ads = list->ads;
  ads.insert(ads.end(), details->begin(), details->end());
  for (const Ad& ad : ads) {
    landingTypes.insert(ad.landingType);
    actionTypes.insert(ad.adActionType());
    adStatuses.insert(ad.adStatus());
    showStatuses.insert(ad.showStatus);
  }
  EXPECT_EQ(landingTypes, (std::set{LandingType::external, LandingType::inAppBrowser}));
  for (auto type : {AdActionType::none, AdActionType::web, AdActionType::app}) EXPECT_TRUE(actionTypes.contains(type));
  EXPECT_TRUE(actionTypes.contains(std::nullopt)) << "an action type that names no case";
  EXPECT_EQ(adStatuses, (std::set{AdStatus::none, AdStatus::normal, AdStatus::exceedTimeCap, AdStatus::end}));
  for (std::int64_t status : {-1, 0, 1}) EXPECT_TRUE(showStatuses.contains(status)) << status;
}

// Absent or null reward types leave the known ones alone; an empty list is a list.
TEST(AdListDecodingTest, RewardTypesAbsentEmptyOrPresent) {
  for (const char* types : {"", R"("reward_types": null,)"}) {
    const auto list = fromWire<AdList>(std::string("{") + types + R"("ads": [], "tabs": [], "tags": []})");
    ASSERT_TRUE(list) << types;
    EXPECT_FALSE(list->rewardTypes) << types;
    EXPECT_FALSE(toJson(*list).contains("rewardTypes"));
  }
  const auto empty = fromWire<AdList>(R"({"reward_types": [], "ads": [], "tabs": [], "tags": []})");
  ASSERT_TRUE(empty && empty->rewardTypes);
  EXPECT_EQ(toJson(*empty)["rewardTypes"], Json::array());
}

// One bad element fails the whole list, reported at its place in the document.
TEST(AdListDecodingTest, OneBadElementFailsTheWholeList) {
  Json ads = Json::parse(fixture("ad_list.json"))["ads"];
  ASSERT_GT(ads.size(), 20u);
  auto listWith = [](const Json& someAds) {
    return Json{{"reward_types", Json::array()}, {"ads", someAds}, {"tabs", Json::array()}, {"tags", Json::array()}};
  };
  const std::tuple<std::function<void(Json&)>, Kind, const char*> cases[] = {
      {[](Json& list) { list["ads"][3]["landing_type"] = 2; }, Kind::dataCorrupted, "ads[3].landing_type"},
      {[](Json& list) { list["ads"][20].erase("view_url"); }, Kind::keyNotFound, "ads[20].view_url"},
      {[](Json& list) { list["tags"] = nullptr; }, Kind::valueNotFound, "tags"},
      {[](Json& list) { list["reward_types"] = {{{"id", "1"}}}; }, Kind::typeMismatch, "reward_types[0].id"},
  };
  for (const auto& [spoil, kind, path] : cases) {
    Json list = listWith(ads);
    spoil(list);
    EXPECT_TRUE(failsAs<AdList>(list.dump(), kind, path));
  }
}

TEST(AdListDecodingTest, EncodesWhatItDecoded) {
  const std::string body = fixture("ad_list.json");
  const auto list = fromWire<AdList>(body);
  ASSERT_TRUE(list);
  Json encoded = toJson(*list);
  // An ad sent without a status keeps -1: it reads as none and is written back as -1.
  const Json sent = Json::parse(body)["ads"];
  const auto unsent = std::find_if(sent.begin(), sent.end(), [](const Json& ad) { return !ad.contains("ad_status"); });
  ASSERT_NE(unsent, sent.end());
  const auto index = static_cast<std::size_t>(unsent - sent.begin());
  EXPECT_EQ(list->ads[index].adStatus(), AdStatus::none);
  EXPECT_EQ(encoded["ads"][index].value("adStatus", 0), -1);
  // An ad without "completed" is written with "completed": null, which its decoder refuses: the
  // servers never send that null, and readers of the encoded form expect it. Drop it to read back.
  for (Json& ad : encoded["ads"]) {
    if (ad["completed"].is_null()) ad.erase("completed");
  }
  auto again = fromPlain<AdList>(encoded.dump());
  ASSERT_TRUE(again) << again.error().description();
  ASSERT_EQ(again->ads.size(), list->ads.size());
  for (std::size_t i = 0; i < list->ads.size(); ++i) again->ads[i].priority = list->ads[i].priority;
  EXPECT_EQ(*again, *list);
}

}  // namespace
}  // namespace velkor
