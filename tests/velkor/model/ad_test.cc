#include "velkor/model/ad.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/dispatch/clock.h"
#include "tests/velkor/model/wire.h"

namespace velkor {
namespace {

using namespace testing;

// The fourteen keys every ad must carry, as the servers write them.
Json minimalAd() {
  return {{"id", 7},           {"campaign_id", 70},     {"title", "t"},
          {"subtitle", "s"},   {"reward", 100},         {"thumb_image", "thumb"},
          {"thumb_origin_image", "origin"},             {"show_status", 0},
          {"ad_type_code", "CPA"},                      {"deeplink", ""},
          {"new_badge", 0},    {"reward_type_id", 1},   {"tag_ids", Json::array()},
          {"view_url", "velkor://offerwall/ads/7"}};
}

Json withNull(Json ad, const std::string& key) {
  ad[key] = nullptr;
  return ad;
}

base::Result<Ad, base::DecodingError> decodeAd(const Json& json) { return fromWire<Ad>(json.dump()); }

// The defaults callers read for an ad that sent none of its optional keys.
TEST(AdDecodingTest, MinimalAdTakesTheNeutralCases) {
  const auto ad = decodeAd(minimalAd());
  ASSERT_TRUE(ad) << ad.error().description();
  EXPECT_EQ(ad->priority, 0.0f);
  EXPECT_EQ(ad->landingType, LandingType::external);
  EXPECT_EQ(ad->adStatusValue, -1);
  EXPECT_EQ(ad->adStatus(), AdStatus::none);
  EXPECT_EQ(ad->adActionType(), AdActionType::none);
  EXPECT_FALSE(decodeAd(patched(minimalAd(), {{"completed", 0}}))->isCompleted());
  EXPECT_TRUE(decodeAd(patched(minimalAd(), {{"something_new", {{"nested", true}}}, {"extra", nullptr}})));
}

TEST(AdDecodingTest, EveryRequiredKeyFailsWhenMissingOrNull) {
  const Json required = minimalAd();
  for (const auto& [key, value] : required.items()) {
    Json missing = required;
    missing.erase(key);
    EXPECT_TRUE(failsAs<Ad>(missing.dump(), Kind::keyNotFound, key));
    EXPECT_TRUE(failsAs<Ad>(withNull(minimalAd(), key).dump(), Kind::valueNotFound, key));
  }
}

TEST(AdDecodingTest, OptionalKeysReadNullAsAbsentButRefuseWrongTypes) {
  const char* optionalKeys[] = {"icon_image", "priority",         "title_bar",     "advertiser_app_name",
                                "view_items", "filters",          "reward_types",  "next_participate_time",
                                "start_at",   "delay_complete_time", "ad_status",  "ad_settle_type_id",
                                "ad_action_type_id", "tab_id",    "call_to_action", "call_to_action_enabled",
                                "disable_all_list",  "reward_text", "landing_type", "opt_out_option"};
  const auto plain = decodeAd(minimalAd());
  ASSERT_TRUE(plain);
  for (const char* key : optionalKeys) {
    auto nullKey = decodeAd(withNull(minimalAd(), key));
    ASSERT_TRUE(nullKey) << key << ": " << nullKey.error().description();
    nullKey->priority = plain->priority;
    EXPECT_EQ(*nullKey, *plain) << key;
    // An array is the wrong JSON type for every one of these keys except reward_types.
    const Json wrong = patched(minimalAd(), {{key, std::string(key) == "reward_types" ? Json("x") : Json::array()}});
    EXPECT_TRUE(failsAs<Ad>(wrong.dump(), Kind::typeMismatch, key));
  }
}

TEST(AdDecodingTest, UnknownCodesStayRawAndReadAsNoCase) {
  const auto ad = decodeAd(patched(minimalAd(), {{"ad_status", 7}, {"ad_action_type_id", 5}, {"show_status", 2}}));
  ASSERT_TRUE(ad);
  EXPECT_EQ(ad->adStatusValue, 7);
  EXPECT_EQ(ad->adStatus(), AdStatus::none);
  EXPECT_EQ(ad->adActionTypeId, 5);
  EXPECT_FALSE(ad->adActionType());
  EXPECT_EQ(ad->showStatus, 2);

  const auto ended = decodeAd(patched(minimalAd(), {{"ad_status", 2}, {"ad_action_type_id", 2}}));
  ASSERT_TRUE(ended);
  EXPECT_EQ(ended->adStatus(), AdStatus::end);
  EXPECT_EQ(ended->adActionType(), AdActionType::app);
}

TEST(AdDecodingTest, PresentPriorityGetsAJitterBelowOneThousandth) {
  const auto ad = decodeAd(patched(minimalAd(), {{"priority", 3}}));
  ASSERT_TRUE(ad);
  EXPECT_GE(ad->priority, 3.0f);
  EXPECT_LT(ad->priority, 3.001);
}

// "completed" is read only when present, and then must be an integer.
TEST(AdDecodingTest, BadValuesFailTheAdAtTheirOwnPath) {
  struct Bad {
    Json changes;
    Kind kind;
    const char* path;
  } cases[] = {
      {{{"view_items", {{"call_to_action_enabled", "yes"}}}}, Kind::typeMismatch, "view_items.call_to_action_enabled"},
      {{{"filters", {{"target_ages", {{{"from", 20}}}}}}}, Kind::keyNotFound, "filters.target_ages[0].to"},
      {{{"filters", {{"detarget_genders", {"man", 1}}}}}, Kind::typeMismatch, "filters.detarget_genders[1]"},
      {{{"reward_types", {{{"id", 1}, {"name", "P"}, {"priority", 1}}}}}, Kind::keyNotFound, "reward_types[0].unit"},
      {{{"opt_out_option", {{"title", 3}}}}, Kind::typeMismatch, "opt_out_option.title"},
      {{{"tag_ids", {1, "2"}}}, Kind::typeMismatch, "tag_ids[1]"},
      {{{"landing_type", 2}}, Kind::dataCorrupted, "landing_type"},
      {{{"completed", "1"}}, Kind::typeMismatch, "completed"},
  };
  for (const Bad& bad : cases) EXPECT_TRUE(failsAs<Ad>(patched(minimalAd(), bad.changes).dump(), bad.kind, bad.path));
  EXPECT_TRUE(failsAs<Ad>(withNull(minimalAd(), "completed").dump(), Kind::valueNotFound, "completed"));
}

// Several bad keys at once: the one read first is reported.
TEST(AdDecodingTest, ReportsTheFirstBadKeyInReadingOrder) {
  struct Case {
    Json changes;
    const char* reported;
  } cases[] = {
      {{{"priority", "high"}, {"show_status", nullptr}}, "priority"},
      {{{"show_status", "0"}, {"completed", nullptr}}, "show_status"},
      {{{"completed", "1"}, {"ad_type_code", nullptr}}, "completed"},
      {{{"reward_type_id", nullptr}, {"title_bar", 1}}, "reward_type_id"},
      {{{"ad_status", "0"}, {"reward_types", 1}}, "ad_status"},
      {{{"ad_action_type_id", "1"}, {"tab_id", "2"}}, "ad_action_type_id"},
      {{{"tab_id", "2"}, {"tag_ids", nullptr}}, "tab_id"},
      {{{"start_at", 1}, {"view_url", nullptr}}, "start_at"},
      {{{"disable_all_list", "0"}, {"view_url", nullptr}}, "disable_all_list"},
      {{{"view_url", nullptr}, {"landing_type", 9}}, "view_url"},
      {{{"landing_type", 9}, {"opt_out_option", 1}}, "landing_type"},
  };
  for (const Case& c : cases) {
    const auto ad = decodeAd(patched(minimalAd(), c.changes));
    ASSERT_FALSE(ad) << c.changes;
    EXPECT_EQ(ad.error().codingPath, c.reported) << c.changes;
  }
}

TEST(AdEncodingTest, WritesNullForRequiredOptionalsAndLeavesOutTheOthers) {
  auto ad = decodeAd(minimalAd());
  ASSERT_TRUE(ad);
  ad->subtitle.reset();
  ad->deeplink.reset();
  const Json encoded = toJson(*ad);
  for (const char* key : {"subtitle", "completed", "deeplink"}) {
    EXPECT_TRUE(encoded.contains(key) && encoded.at(key).is_null()) << key;
  }
  EXPECT_EQ(encoded["adTypeCode"], "CPA");
  for (const char* key : {"iconImage", "titleBar", "advertiserAppName", "viewItems", "filters", "nextParticipateTime",
                          "delayCompleteTime", "rewardTypes", "tabId", "startAt", "callToAction",
                          "callToActionEnabled", "rewardText", "optOutOption"}) {
    EXPECT_FALSE(encoded.contains(key)) << key;
  }
  EXPECT_EQ(encoded["adStatus"], -1);
  EXPECT_EQ(encoded.size(), 21u);  // every key that is always written
}

TEST(AdEncodingTest, AFullAdReadsBackAsItWas) {
  const Json full = patched(minimalAd(), {
      {"icon_image", "icon"}, {"priority", 5}, {"completed", 1}, {"tab_id", 2}, {"tag_ids", {3, 4}},
      {"title_bar", "bar"}, {"advertiser_app_name", "shop"},
      {"view_items", {{"title", "{REWARD_STR}"}, {"call_to_action_enabled", false}, {"notice_detail", ""}}},
      {"filters", {{"target_min_os_ver", "15.4"}, {"detarget_genders", {"man"}},
                   {"target_ages", {{{"from", 20}, {"to", 29}}}}}},
      {"next_participate_time", "2023-05-01T12:00:00+0900"}, {"delay_complete_time", "garbage"},
      {"reward_types", {{{"id", 1}, {"name", "P"}, {"priority", 1}, {"unit", "P"}}}},
      {"start_at", "2023-05-01T12:00:00+0900"}, {"landing_type", 1}, {"disable_all_list", 1},
      {"call_to_action", "go"}, {"call_to_action_enabled", true}, {"reward_text", "{REWARD}"},
      {"opt_out_option", {{"start_button_text", "s"}}}, {"ad_status", 2}, {"ad_settle_type_id", 3},
      {"ad_action_type_id", 1}});
  const auto ad = decodeAd(full);
  ASSERT_TRUE(ad) << ad.error().description();

  // What the SDK writes it reads back with plain keys.
  auto again = fromPlain<Ad>(toJson(*ad).dump());
  ASSERT_TRUE(again) << again.error().description();
  EXPECT_GE(again->priority, ad->priority);  // jittered once more
  again->priority = ad->priority;
  EXPECT_EQ(*again, *ad);
  EXPECT_EQ(again->filter->targetAges->at(0), (AgeFilter{20, 29}));
}

TEST(AdDatesTest, ReadTheServerTextAndWriteInTheCurrentZone) {
  dispatch::ScopedManualClock clock(1'700'000'000, 9 * 3600);
  auto ad = decodeAd(patched(minimalAd(), {{"start_at", "2023-05-01T12:00:00+0900"},
                                        {"next_participate_time", "2023-05-01"}}));
  ASSERT_TRUE(ad);
  EXPECT_EQ(ad->startAt(), 1'682'910'000);  // 2023-05-01 03:00:00 UTC
  EXPECT_EQ(ad->nextParticipateAt(), 0);
  EXPECT_EQ(ad->delayCompleteAt(), 0);
  ad->setDelayCompleteAt(1'682'910'000);
  EXPECT_EQ(ad->delayCompleteAtStr, "2023-05-01T12:00:00+0900");
}

TEST(AdViewItemsTest, DecodesPresentTextsAndTheFlag) {
  const auto empty = fromWire<ViewItemsInfo>("{}");
  ASSERT_TRUE(empty);
  EXPECT_EQ(toJson(*empty), Json::object());
  EXPECT_FALSE(empty->isCallToActionEnabled());

  const auto items = fromWire<ViewItemsInfo>(
      R"({"title": null, "subtitle": "", "call_to_action_enabled": true, "event_notice_dark_image": "d"})");
  ASSERT_TRUE(items);
  EXPECT_TRUE(items->isCallToActionEnabled());
  EXPECT_EQ(toJson(*items), (Json{{"subtitle", ""}, {"callToActionEnabled", true}, {"eventNoticeDarkImage", "d"}}));
}

}  // namespace
}  // namespace velkor
