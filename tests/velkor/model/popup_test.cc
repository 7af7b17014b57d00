#include "velkor/model/popup.h"

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

Json minimalPopup() {
  return {{"id", 4},
          {"show_status", 0},
          {"landing_url", "https://www.example.com/popup/4"},
          {"popup_display_type_id", 1}};
}

Popup decoded(const Json& json) {
  return testing::decodedOrFail<Popup>(json);
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

TEST(PopupTest, ReadsOptionalsAsAbsentAndAnEmptyButtonTextAsEmpty) {
  const Popup popup = decoded(minimalPopup());
  EXPECT_FALSE(popup.buttonText);
  EXPECT_FALSE(popup.campaignId);
  EXPECT_FALSE(popup.popupImage);
  EXPECT_EQ(popup.priority, 0.0f);
  EXPECT_EQ(decoded(patched(minimalPopup(), {{"button_text", ""}})).buttonText, "");
  const float priority = decoded(patched(minimalPopup(), {{"priority", 5}})).priority;
  EXPECT_GE(priority, 5.0f);
  EXPECT_LE(priority, 5.001f);
  EXPECT_TRUE(fromWire<PopupList>(R"({"popups":[]})")->popups.empty());
}

TEST(PopupTest, FailsOnAMissingRequiredKeyAWrongTypeOrAnUnknownCase) {
  for (const BadWire& bad : {
           BadWire{R"({"id":4,"show_status":0,"landing_url":"u","popup_display_type_id":0})",
                   Kind::dataCorrupted, "popup_display_type_id"},
           BadWire{R"({"id":4,"show_status":0,"landing_url":"u","popup_display_type_id":3})",
                   Kind::dataCorrupted, "popup_display_type_id"},
           BadWire{R"({"id":4,"show_status":2,"landing_url":"u","popup_display_type_id":1})",
                   Kind::dataCorrupted, "show_status"},
           BadWire{R"({"id":4,"button_text":7,"landing_url":"u","popup_display_type_id":1})",
                   Kind::typeMismatch, "button_text"},
           BadWire{R"({"id":4,"landing_url":"u","popup_display_type_id":1})", Kind::keyNotFound,
                   "show_status"},
           // The display type is read before the show status.
           BadWire{R"({"id":4,"landing_url":"u","popup_display_type_id":9,"show_status":9})",
                   Kind::dataCorrupted, "popup_display_type_id"},
       }) {
    EXPECT_TRUE(failsAsExpected<Popup>(bad));
  }
  const Json body = {{"popups", {minimalPopup(), patched(minimalPopup(), {{"popup_display_type_id", 3}})}}};
  EXPECT_TRUE(failsAsExpected<PopupList>(
      {body.dump().c_str(), Kind::dataCorrupted, "popups[1].popup_display_type_id"}));
}

TEST(PopupTest, VisibilityFollowsTheCampaignAndItsRelatedAd) {
  Popup popup = decoded(minimalPopup());
  EXPECT_TRUE(popup.isVisible());
  popup.campaignId = 9001;
  EXPECT_FALSE(popup.isVisible());
  popup.relatedAd = Ad{};
  EXPECT_FALSE(popup.isVisible());  // an absent flag counts as closed
  popup.relatedAd->callToActionEnabled = false;
  EXPECT_FALSE(popup.isVisible());
  popup.relatedAd->callToActionEnabled = true;
  EXPECT_TRUE(popup.isVisible());
}

TEST(PopupTest, EncodesAbsentOptionalsByLeavingThemOutAndNeverTheRelatedAd) {
  Popup popup = decoded(minimalPopup());
  popup.relatedAd = Ad{};
  EXPECT_EQ(toJson(popup), Json::parse(R"({"id":4,"landingUrl":"https://www.example.com/popup/4",
                                           "popupDisplayTypeId":1,"priority":0.0,"showStatus":0})"));
  const Json full = toJson(decoded(
      patched(minimalPopup(),
              {{"button_text", "b"}, {"campaign_id", 1}, {"popup_image", "i"}, {"popup_image_alt", "a"}})));
  for (const char* key : {"buttonText", "campaignId", "popupImage", "popupImageAlt"})
    EXPECT_TRUE(full.contains(key));
}

}  // namespace
}  // namespace velkor
