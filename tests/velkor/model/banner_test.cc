#include "velkor/model/banner.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/velkor/model/fixtures.h"
#include "tests/velkor/model/wire.h"

namespace velkor {
namespace {

using testing::BadWire;
using testing::failsAsExpected;
using testing::fixtures;
using testing::fromWire;
using testing::patched;
using testing::served;
using testing::toJson;
using Json = nlohmann::json;
using Kind = base::DecodingError::Kind;

Json minimalBanner() {
  return {{"id", 1},
          {"show_status", 0},
          {"landing_url", "velkor://offerwall/ads/{ad_id}"},
          {"banner_display_type_id", 1},
          {"background_color", "#FFFFFF"}};
}

Banner decoded(const Json& json) {
  return testing::decodedOrFail<Banner>(json);
}

Ad adWithCallToAction(std::optional<bool> enabled) {
  Ad ad;
  ad.callToActionEnabled = enabled;
  return ad;
}

TEST(BannerTest, DecodesEveryFixtureBannerCoveringEachKind) {
  const auto list = fromWire<BannerList>(served(fixtures().banners()));
  ASSERT_TRUE(list) << list.error().description();
  std::set<BannerDisplayType> kinds;
  std::set<ShowStatus> statuses;
  bool standalone = false, campaign = false, withoutImage = false;
  for (const Banner& banner : list->banners) {
    kinds.insert(banner.bannerDisplayTypeId);
    statuses.insert(banner.showStatus);
    (banner.campaignId ? campaign : standalone) = true;
    withoutImage |= !banner.bannerImage;
    EXPECT_FALSE(banner.relatedAd);
  }
  EXPECT_EQ(kinds.size(), 2u);
  EXPECT_EQ(statuses.size(), 3u);
  EXPECT_TRUE(standalone && campaign && withoutImage);
}

TEST(BannerTest, MinimalBannerTakesItsDefaults) {
  const Banner banner = decoded(minimalBanner());
  EXPECT_EQ(banner.priority, 0.0f);
  EXPECT_FALSE(banner.campaignId);
  EXPECT_FALSE(banner.bannerImage);
  EXPECT_FALSE(banner.bannerImageAlt);
  EXPECT_FALSE(banner.relatedAd);
  EXPECT_EQ(decoded(patched(minimalBanner(), {{"banner_image", nullptr}, {"priority", nullptr}})), banner);
  EXPECT_EQ(fromWire<BannerList>(R"({"banners":[]})")->banners.size(), 0u);
}

TEST(BannerTest, APriorityGetsAJitterBelowOneThousandth) {
  const float priority = decoded(patched(minimalBanner(), {{"priority", 5}})).priority;
  EXPECT_GE(priority, 5.0f);
  EXPECT_LE(priority, 5.001f);
}

TEST(BannerTest, FailsOnAMissingRequiredKeyAWrongTypeOrAnUnknownCase) {
  for (
      const BadWire& bad : {
          BadWire{
              R"({"show_status":0,"landing_url":"u","banner_display_type_id":1,"background_color":"#000000"})",
              Kind::keyNotFound, "id"},
          BadWire{R"({"id":"1","show_status":0,"landing_url":"u","banner_display_type_id":1,
                       "background_color":"#000000"})",
                  Kind::typeMismatch, "id"},
          BadWire{R"({"id":1,"campaign_id":"9","show_status":0,"landing_url":"u","banner_display_type_id":1,
                       "background_color":"#000000"})",
                  Kind::typeMismatch, "campaign_id"},
          BadWire{R"({"id":1,"show_status":2,"landing_url":"u","banner_display_type_id":1,
                       "background_color":"#000000"})",
                  Kind::dataCorrupted, "show_status"},
          BadWire{R"({"id":1,"show_status":0,"landing_url":null,"banner_display_type_id":1,
                       "background_color":"#000000"})",
                  Kind::valueNotFound, "landing_url"},
          BadWire{R"({"id":1,"show_status":0,"landing_url":"u","banner_display_type_id":3,
                       "background_color":"#000000"})",
                  Kind::dataCorrupted, "banner_display_type_id"},
          BadWire{R"({"id":1,"show_status":0,"landing_url":"u","banner_display_type_id":1,"banner_image":12,
                       "background_color":"#000000"})",
                  Kind::typeMismatch, "banner_image"},
          BadWire{R"({"id":1,"show_status":0,"landing_url":"u","banner_display_type_id":1})",
                  Kind::keyNotFound, "background_color"},
          // Keys are read in order: the first bad one is reported.
          BadWire{R"({"id":1,"priority":"high","show_status":7,"landing_url":"u","banner_display_type_id":1,
                       "background_color":"#000000"})",
                  Kind::typeMismatch, "priority"},
      }) {
    EXPECT_TRUE(failsAsExpected<Banner>(bad));
  }
}

TEST(BannerTest, OneBadBannerFailsTheWholeList) {
  const Json body = {{"banners", {minimalBanner(), patched(minimalBanner(), {{"show_status", 2}})}}};
  EXPECT_TRUE(
      failsAsExpected<BannerList>({body.dump().c_str(), Kind::dataCorrupted, "banners[1].show_status"}));
  EXPECT_TRUE(failsAsExpected<BannerList>({"{}", Kind::keyNotFound, "banners"}));
}

TEST(BannerTest, VisibilityFollowsTheCampaignAndItsRelatedAd) {
  struct Case {
    std::optional<std::int64_t> campaignId;
    std::optional<Ad> relatedAd;
    bool visible;
  };
  for (const Case& c : {Case{std::nullopt, std::nullopt, true},
                        Case{std::nullopt, adWithCallToAction(false), true}, Case{9, std::nullopt, false},
                        Case{9, adWithCallToAction(false), false}, Case{9, adWithCallToAction(true), true},
                        // An ad that does not say whether its call to action is open counts as closed.
                        Case{9, adWithCallToAction(std::nullopt), false}}) {
    Banner banner;
    banner.campaignId = c.campaignId;
    banner.relatedAd = c.relatedAd;
    EXPECT_EQ(banner.isVisible(), c.visible) << c.campaignId.value_or(-1);
  }
}

TEST(BannerTest, EqualityIgnoresTheRelatedAdButNotThePriority) {
  const Banner plain = decoded(minimalBanner());
  Banner withAd = plain;
  withAd.relatedAd = adWithCallToAction(true);
  EXPECT_EQ(plain, withAd);
  EXPECT_EQ(plain, decoded(minimalBanner()));  // no priority, no jitter

  Banner moved = plain;
  moved.priority = 1;
  EXPECT_NE(plain, moved);
  Banner altered = plain;
  altered.bannerImageAlt = "";
  EXPECT_NE(plain, altered);

  // Decoded twice with a priority, the jitters almost always differ.
  int unequal = 0;
  for (int i = 0; i < 10; ++i) {
    unequal += decoded(patched(minimalBanner(), {{"priority", 3}})) !=
               decoded(patched(minimalBanner(), {{"priority", 3}}));
  }
  EXPECT_GE(unequal, 9);
}

TEST(BannerTest, EncodesAbsentOptionalsByLeavingThemOutAndNeverTheRelatedAd) {
  Banner banner = decoded(minimalBanner());
  banner.relatedAd = adWithCallToAction(true);
  EXPECT_EQ(toJson(banner), Json::parse(R"({"id":1,"priority":0.0,"showStatus":0,
                                            "landingUrl":"velkor://offerwall/ads/{ad_id}",
                                            "bannerDisplayTypeId":1,"backgroundColor":"#FFFFFF"})"));
  const Banner full = decoded(patched(minimalBanner(), {{"campaign_id", 9},
                                                        {"show_status", -1},
                                                        {"banner_display_type_id", 2},
                                                        {"banner_image", "i"},
                                                        {"banner_image_alt", "a"},
                                                        {"priority", 2}}));
  const Json written = toJson(full);
  EXPECT_EQ(written["campaignId"], 9);
  EXPECT_EQ(written["showStatus"], -1);
  EXPECT_EQ(written["bannerDisplayTypeId"], 2);
  // What is written reads back as the same banner, but for a fresh jitter on the priority.
  Banner readBack = testing::fromPlain<Banner>(written.dump()).value();
  EXPECT_GE(readBack.priority, full.priority);
  EXPECT_LE(readBack.priority, full.priority + 0.001f);
  readBack.priority = full.priority;
  EXPECT_EQ(readBack, full);
}

}  // namespace
}  // namespace velkor
