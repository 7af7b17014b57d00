#include <gtest/gtest.h>

#include <set>

#include "tests/velkor/model/fixtures.h"
#include "tests/velkor/model/wire.h"
#include "velkor/model/banner.h"
#include "velkor/model/popup.h"

namespace velkor {
namespace {

using namespace testing;

Json minimalBanner() {
  return {{"id", 1},
          {"show_status", 0},
          {"landing_url", "velkor://offerwall/ads/{ad_id}"},
          {"banner_display_type_id", 1},
          {"background_color", "#FFFFFF"}};
}

Json minimalPopup() {
  return {{"id", 4}, {"show_status", 0}, {"landing_url", "https://www.example.com/popup/4"}, {"popup_display_type_id", 1}};
}

Banner banner(const Json& changes = Json::object()) {
  return decodedOrFail<Banner>(patched(minimalBanner(), changes));
}

Popup popup(const Json& changes = Json::object()) {
  return decodedOrFail<Popup>(patched(minimalPopup(), changes));
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

TEST(PopupTest, DecodesEveryFixturePopupCoveringEachKind) {
  const auto list = fromWire<PopupList>(served(fixtures().popups()));
  ASSERT_TRUE(list) << list.error().description();
  std::set<PopupDisplayType> kinds;
  bool standalone = false, campaign = false, emptyButton = false, noPriority = false;
  for (const Popup& popup : list->popups) {
    kinds.insert(popup.popupDisplayTypeId);
    (popup.campaignId ? campaign : standalone) = true;
    emptyButton |= popup.buttonText == "";
    noPriority |= popup.priority == 0.0f;
  }
  EXPECT_EQ(kinds.size(), 2u);
  EXPECT_TRUE(standalone && campaign && emptyButton && noPriority);
}

// An absent or null priority is exactly zero; a present one gets a jitter below one thousandth.
TEST(BannerPopupTest, PriorityIsZeroWhenAbsentAndJitteredWhenPresent) {
  EXPECT_EQ(banner().priority, 0.0f);
  EXPECT_EQ(popup().priority, 0.0f);
  EXPECT_EQ(banner({{"banner_image", nullptr}, {"priority", nullptr}}), banner());
  for (const float priority : {banner({{"priority", 5}}).priority, popup({{"priority", 5}}).priority}) {
    EXPECT_GE(priority, 5.0f);
    EXPECT_LE(priority, 5.001f);
  }
  EXPECT_FALSE(popup().buttonText);
  EXPECT_EQ(popup({{"button_text", ""}}).buttonText, "");
  EXPECT_TRUE(fromWire<BannerList>(R"({"banners":[]})")->banners.empty());
  EXPECT_TRUE(fromWire<PopupList>(R"({"popups":[]})")->popups.empty());
}

TEST(BannerTest, FailsOnAMissingRequiredKeyAWrongTypeOrAnUnknownCase) {
  const auto spoilt = [](const Json& changes) { return patched(minimalBanner(), changes).dump(); };
  struct Case {
    std::string json;
    Kind kind;
    const char* path;
  } cases[] = {
      {spoilt({{"id", nullptr}}), Kind::keyNotFound, "id"},
      {spoilt({{"id", "1"}}), Kind::typeMismatch, "id"},
      {spoilt({{"campaign_id", "9"}}), Kind::typeMismatch, "campaign_id"},
      {spoilt({{"show_status", 2}}), Kind::dataCorrupted, "show_status"},
      {R"({"id":1,"show_status":0,"landing_url":null,"banner_display_type_id":1,"background_color":"#0"})",
       Kind::valueNotFound, "landing_url"},
      {spoilt({{"banner_display_type_id", 3}}), Kind::dataCorrupted, "banner_display_type_id"},
      {spoilt({{"banner_image", 12}}), Kind::typeMismatch, "banner_image"},
      {spoilt({{"background_color", nullptr}}), Kind::keyNotFound, "background_color"},
      // Keys are read in order: the first bad one is reported.
      {spoilt({{"priority", "high"}, {"show_status", 7}}), Kind::typeMismatch, "priority"},
  };
  for (const Case& c : cases) EXPECT_TRUE(failsAsExpected<Banner>({c.json.c_str(), c.kind, c.path}));
}

TEST(PopupTest, FailsOnAMissingRequiredKeyAWrongTypeOrAnUnknownCase) {
  for (const BadWire& bad : {
           BadWire{R"({"id":4,"show_status":0,"landing_url":"u","popup_display_type_id":0})", Kind::dataCorrupted,
                   "popup_display_type_id"},
           BadWire{R"({"id":4,"show_status":0,"landing_url":"u","popup_display_type_id":3})", Kind::dataCorrupted,
                   "popup_display_type_id"},
           BadWire{R"({"id":4,"show_status":2,"landing_url":"u","popup_display_type_id":1})", Kind::dataCorrupted,
                   "show_status"},
           BadWire{R"({"id":4,"button_text":7,"landing_url":"u","popup_display_type_id":1})", Kind::typeMismatch,
                   "button_text"},
           BadWire{R"({"id":4,"landing_url":"u","popup_display_type_id":1})", Kind::keyNotFound, "show_status"},
           // The display type is read before the show status.
           BadWire{R"({"id":4,"landing_url":"u","popup_display_type_id":9,"show_status":9})", Kind::dataCorrupted,
                   "popup_display_type_id"},
       }) {
    EXPECT_TRUE(failsAsExpected<Popup>(bad));
  }
}

TEST(BannerPopupTest, OneBadElementFailsTheWholeList) {
  const Json banners = {{"banners", {minimalBanner(), patched(minimalBanner(), {{"show_status", 2}})}}};
  EXPECT_TRUE(failsAsExpected<BannerList>({banners.dump().c_str(), Kind::dataCorrupted, "banners[1].show_status"}));
  EXPECT_TRUE(failsAsExpected<BannerList>({"{}", Kind::keyNotFound, "banners"}));
  const Json popups = {{"popups", {minimalPopup(), patched(minimalPopup(), {{"popup_display_type_id", 3}})}}};
  EXPECT_TRUE(failsAsExpected<PopupList>(
      {popups.dump().c_str(), Kind::dataCorrupted, "popups[1].popup_display_type_id"}));
}

TEST(BannerPopupTest, VisibilityFollowsTheCampaignAndItsRelatedAd) {
  struct Case {
    std::optional<std::int64_t> campaignId;
    std::optional<Ad> relatedAd;
    bool visible;
  };
  for (const Case& c : {Case{std::nullopt, std::nullopt, true}, Case{std::nullopt, adWithCallToAction(false), true},
                        Case{9, std::nullopt, false}, Case{9, adWithCallToAction(false), false},
                        Case{9, adWithCallToAction(true), true},
                        // An ad that does not say whether its call to action is open counts as closed.
                        Case{9, adWithCallToAction(std::nullopt), false}}) {
    SCOPED_TRACE(c.campaignId.value_or(-1));
    Banner b;
    Popup p;
    b.campaignId = p.campaignId = c.campaignId;
    b.relatedAd = p.relatedAd = c.relatedAd;
    EXPECT_EQ(b.isVisible(), c.visible);
    EXPECT_EQ(p.isVisible(), c.visible);
  }
}

TEST(BannerTest, EqualityIgnoresTheRelatedAdButNotThePriority) {
  const Banner plain = banner();
  Banner withAd = plain;
  withAd.relatedAd = adWithCallToAction(true);
  EXPECT_EQ(plain, withAd);
  Banner moved = plain;
  moved.priority = 1;
  EXPECT_NE(plain, moved);
  Banner altered = plain;
  altered.bannerImageAlt = "";
  EXPECT_NE(plain, altered);
}

TEST(BannerTest, EncodesAbsentOptionalsByLeavingThemOutAndNeverTheRelatedAd) {
  Banner minimal = banner();
  minimal.relatedAd = adWithCallToAction(true);
  EXPECT_EQ(toJson(minimal), Json::parse(R"({"id":1,"priority":0.0,"showStatus":0,
                                             "landingUrl":"velkor://offerwall/ads/{ad_id}",
                                             "bannerDisplayTypeId":1,"backgroundColor":"#FFFFFF"})"));
  const Banner full = banner({{"campaign_id", 9},
                              {"show_status", -1},
                              {"banner_display_type_id", 2},
                              {"banner_image", "i"},
                              {"banner_image_alt", "a"},
                              {"priority", 2}});
  const Json written = toJson(full);
  EXPECT_EQ(written["campaignId"], 9);
  EXPECT_EQ(written["showStatus"], -1);
  EXPECT_EQ(written["bannerDisplayTypeId"], 2);
  // What is written reads back as the same banner, but for a fresh jitter on the priority.
  Banner readBack = fromPlain<Banner>(written.dump()).value();
  EXPECT_GE(readBack.priority, full.priority);
  EXPECT_LE(readBack.priority, full.priority + 0.001f);
  readBack.priority = full.priority;
  EXPECT_EQ(readBack, full);
}

TEST(PopupTest, EncodesAbsentOptionalsByLeavingThemOutAndNeverTheRelatedAd) {
  Popup minimal = popup();
  minimal.relatedAd = Ad{};
  EXPECT_EQ(toJson(minimal), Json::parse(R"({"id":4,"landingUrl":"https://www.example.com/popup/4",
                                             "popupDisplayTypeId":1,"priority":0.0,"showStatus":0})"));
  const Json full =
      toJson(popup({{"button_text", "b"}, {"campaign_id", 1}, {"popup_image", "i"}, {"popup_image_alt", "a"}}));
  for (const char* key : {"buttonText", "campaignId", "popupImage", "popupImageAlt"}) EXPECT_TRUE(full.contains(key));
}

}  // namespace
}  // namespace velkor
