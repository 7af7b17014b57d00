#include "velkor/model/ad.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/dispatch/clock.h"
#include "tests/velkor/model/wire.h"

namespace velkor {
namespace {

using testing::fromWire;
using testing::toJson;
using Json = nlohmann::json;
using Kind = base::DecodingError::Kind;

// The fourteen keys every ad must carry, as the servers write them.
Json minimalAd() {
  return {{"id", 7},           {"campaign_id", 70},     {"title", "t"},
          {"subtitle", "s"},   {"reward", 100},         {"thumb_image", "thumb"},
          {"thumb_origin_image", "origin"},             {"show_status", 0},
          {"ad_type_code", "CPA"},                      {"deeplink", ""},
          {"new_badge", 0},    {"reward_type_id", 1},   {"tag_ids", Json::array()},
          {"view_url", "velkor://offerwall/ads/7"}};
}

Json with(Json ad, const Json& changes) {
  ad.merge_patch(changes);  // a null in `changes` removes the key
  return ad;
}

Json withNull(Json ad, const std::string& key) {
  ad[key] = nullptr;
  return ad;
}

base::Result<Ad, base::DecodingError> decodeAd(const Json& json) { return fromWire<Ad>(json.dump()); }

TEST(AdDecodingTest, MinimalAdTakesEveryDefault) {
  const auto ad = decodeAd(minimalAd());
  ASSERT_TRUE(ad) << ad.error().description();
  EXPECT_EQ(ad->priority, 0.0f);
  EXPECT_FALSE(ad->completed);
  EXPECT_FALSE(ad->tabId);
  EXPECT_EQ(ad->landingType, LandingType::external);
  EXPECT_EQ(ad->disableAllList, 0);
  EXPECT_EQ(ad->adStatusValue, -1);
  EXPECT_EQ(ad->adStatus(), AdStatus::none);
  EXPECT_EQ(ad->adSettleTypeId, 0);
  EXPECT_EQ(ad->adActionTypeId, 0);
  EXPECT_EQ(ad->adActionType(), AdActionType::none);
  EXPECT_EQ(ad->subtitle, "s");
  EXPECT_EQ(ad->deeplink, "");
  for (const auto* absent : {&ad->iconImage, &ad->titleBar, &ad->advertiserAppName, &ad->nextParticipateStr,
                             &ad->delayCompleteAtStr, &ad->startAtStr, &ad->callToAction, &ad->rewardText}) {
    EXPECT_FALSE(*absent);
  }
  EXPECT_FALSE(ad->viewItemsInfo);
  EXPECT_FALSE(ad->filter);
  EXPECT_FALSE(ad->rewardTypes);
  EXPECT_FALSE(ad->callToActionEnabled);
  EXPECT_FALSE(ad->optOutOption);
}

TEST(AdDecodingTest, EveryRequiredKeyFailsWhenMissingOrNull) {
  const Json required = minimalAd();
  for (const auto& [key, value] : required.items()) {
    Json missing = required;
    missing.erase(key);
    const auto withoutKey = decodeAd(missing);
    ASSERT_FALSE(withoutKey) << key;
    EXPECT_EQ(withoutKey.error().kind, Kind::keyNotFound) << key;
    EXPECT_EQ(withoutKey.error().codingPath, key);

    const auto nullKey = decodeAd(withNull(minimalAd(), key));
    ASSERT_FALSE(nullKey) << key;
    EXPECT_EQ(nullKey.error().kind, Kind::valueNotFound) << key;
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

    Json wrong = minimalAd();
    // An array is the wrong JSON type for every one of these keys except reward_types.
    wrong[key] = std::string(key) == "reward_types" ? Json("x") : Json::array();
    const auto wrongType = decodeAd(wrong);
    ASSERT_FALSE(wrongType) << key;
    EXPECT_EQ(wrongType.error().kind, Kind::typeMismatch) << key;
    EXPECT_EQ(wrongType.error().codingPath, key);
  }
}

TEST(AdDecodingTest, CompletedIsReadOnlyWhenPresentAndThenMustBeAnInteger) {
  const auto zero = decodeAd(with(minimalAd(), {{"completed", 0}}));
  ASSERT_TRUE(zero);
  EXPECT_EQ(zero->completed, 0);
  EXPECT_FALSE(zero->isCompleted());

  const auto nullCompleted = decodeAd(withNull(minimalAd(), "completed"));
  ASSERT_FALSE(nullCompleted);
  EXPECT_EQ(nullCompleted.error().kind, Kind::valueNotFound);
  EXPECT_EQ(nullCompleted.error().codingPath, "completed");
}

TEST(AdDecodingTest, LandingTypeNamesACaseOrFailsTheAd) {
  const auto browser = decodeAd(with(minimalAd(), {{"landing_type", 1}}));
  ASSERT_TRUE(browser);
  EXPECT_EQ(browser->landingType, LandingType::inAppBrowser);

  const auto unknown = decodeAd(with(minimalAd(), {{"landing_type", 2}}));
  ASSERT_FALSE(unknown);
  EXPECT_EQ(unknown.error().kind, Kind::dataCorrupted);
  EXPECT_EQ(unknown.error().codingPath, "landing_type");
}

TEST(AdDecodingTest, UnknownCodesStayRawAndReadAsNoCase) {
  const auto ad = decodeAd(with(minimalAd(), {{"ad_status", 7}, {"ad_action_type_id", 5}, {"show_status", 2}}));
  ASSERT_TRUE(ad);
  EXPECT_EQ(ad->adStatusValue, 7);
  EXPECT_EQ(ad->adStatus(), AdStatus::none);
  EXPECT_EQ(ad->adActionTypeId, 5);
  EXPECT_FALSE(ad->adActionType());
  EXPECT_EQ(ad->showStatus, 2);

  const auto ended = decodeAd(with(minimalAd(), {{"ad_status", 2}, {"ad_action_type_id", 2}}));
  ASSERT_TRUE(ended);
  EXPECT_EQ(ended->adStatus(), AdStatus::end);
  EXPECT_EQ(ended->adActionType(), AdActionType::app);

  Ad changed = *ended;
  changed.setAdStatus(AdStatus::exceedTimeCap);
  EXPECT_EQ(changed.adStatusValue, 1);
}

TEST(AdDecodingTest, PresentPriorityGetsAJitterBelowOneThousandth) {
  const Json json = with(minimalAd(), {{"priority", 3}});
  const auto first = decodeAd(json);
  ASSERT_TRUE(first);
  EXPECT_GE(first->priority, 3.0f);
  EXPECT_LT(first->priority, 3.001);
  bool differed = false;
  for (int i = 0; i < 5 && !differed; ++i) differed = decodeAd(json)->priority != first->priority;
  EXPECT_TRUE(differed);
}

TEST(AdDecodingTest, NestedRecordsFailTheAdAtTheirOwnPath) {
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
  };
  for (const Bad& bad : cases) {
    const auto ad = decodeAd(with(minimalAd(), bad.changes));
    ASSERT_FALSE(ad) << bad.changes;
    EXPECT_EQ(ad.error().kind, bad.kind) << bad.changes;
    EXPECT_EQ(ad.error().codingPath, bad.path);
  }
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
    const auto ad = decodeAd(with(minimalAd(), c.changes));
    ASSERT_FALSE(ad) << c.changes;
    EXPECT_EQ(ad.error().codingPath, c.reported) << c.changes;
  }
}

TEST(AdDecodingTest, IgnoresKeysItDoesNotKnow) {
  const auto ad = decodeAd(with(minimalAd(), {{"something_new", {{"nested", true}}}, {"extra", nullptr}}));
  ASSERT_TRUE(ad);
}

TEST(AdEncodingTest, WritesNullForRequiredOptionalsAndLeavesOutTheOthers) {
  auto ad = decodeAd(minimalAd());
  ASSERT_TRUE(ad);
  ad->subtitle.reset();
  ad->deeplink.reset();
  const Json encoded = toJson(*ad);
  ASSERT_TRUE(encoded.is_object());
  for (const char* key : {"subtitle", "completed", "adTypeCode", "deeplink"}) {
    ASSERT_TRUE(encoded.contains(key)) << key;
  }
  EXPECT_TRUE(encoded["subtitle"].is_null());
  EXPECT_TRUE(encoded["completed"].is_null());
  EXPECT_TRUE(encoded["deeplink"].is_null());
  EXPECT_EQ(encoded["adTypeCode"], "CPA");
  for (const char* key : {"iconImage", "titleBar", "advertiserAppName", "viewItems", "filters", "nextParticipateTime",
                          "delayCompleteTime", "rewardTypes", "tabId", "startAt", "callToAction",
                          "callToActionEnabled", "rewardText", "optOutOption"}) {
    EXPECT_FALSE(encoded.contains(key)) << key;
  }
  EXPECT_EQ(encoded["adStatus"], -1);
  EXPECT_EQ(encoded["landingType"], 0);
  EXPECT_EQ(encoded["priority"], 0.0);
  EXPECT_EQ(encoded.size(), 21u);  // every key that is always written
}

TEST(AdEncodingTest, AFullAdReadsBackAsItWas) {
  const Json full = with(minimalAd(), {
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
  auto again = testing::fromPlain<Ad>(toJson(*ad).dump());
  ASSERT_TRUE(again) << again.error().description();
  EXPECT_GE(again->priority, ad->priority);  // jittered once more
  again->priority = ad->priority;
  EXPECT_EQ(*again, *ad);
  EXPECT_EQ(again->filter->targetAges->at(0), (AgeFilter{20, 29}));
}

TEST(AdDatesTest, ReadTheServerTextAndWriteInTheCurrentZone) {
  dispatch::ScopedManualClock clock(1'700'000'000, 9 * 3600);
  auto ad = decodeAd(with(minimalAd(), {{"start_at", "2023-05-01T12:00:00+0900"},
                                        {"next_participate_time", "2023-05-01"}}));
  ASSERT_TRUE(ad);
  EXPECT_EQ(ad->startAt(), 1'682'910'000);  // 2023-05-01 03:00:00 UTC
  EXPECT_EQ(ad->nextParticipateAt(), 0);
  EXPECT_EQ(ad->delayCompleteAt(), 0);

  ad->setNextParticipateAt(0);
  EXPECT_EQ(ad->nextParticipateStr, "1970-01-01T09:00:00+0900");
  EXPECT_EQ(ad->nextParticipateAt(), 0);
  ad->setDelayCompleteAt(1'682'910'000);
  EXPECT_EQ(ad->delayCompleteAtStr, "2023-05-01T12:00:00+0900");
  ad->setStartAt(60);
  EXPECT_EQ(ad->startAt(), 60);
}

TEST(AdViewItemsTest, DecodesPresentTextsAndTheFlag) {
  const auto empty = fromWire<ViewItemsInfo>("{}");
  ASSERT_TRUE(empty);
  EXPECT_EQ(*empty, ViewItemsInfo{});
  EXPECT_EQ(toJson(*empty), Json::object());
  EXPECT_FALSE(empty->isCallToActionEnabled());

  const auto items = fromWire<ViewItemsInfo>(
      R"({"title": null, "subtitle": "", "call_to_action_enabled": true, "event_notice_dark_image": "d"})");
  ASSERT_TRUE(items);
  EXPECT_FALSE(items->title);
  EXPECT_EQ(items->subtitle, "");
  EXPECT_TRUE(items->isCallToActionEnabled());
  EXPECT_EQ(items->eventNoticeDarkImage, "d");
  EXPECT_EQ(toJson(*items), (Json{{"subtitle", ""}, {"callToActionEnabled", true}, {"eventNoticeDarkImage", "d"}}));

  const auto disabled = fromWire<ViewItemsInfo>(R"({"call_to_action_enabled": false})");
  ASSERT_TRUE(disabled);
  EXPECT_FALSE(disabled->isCallToActionEnabled());
}

}  // namespace
}  // namespace velkor
