#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>

#include "tests/velkor/model/wire.h"
#include "velkor/model/banner.h"
#include "velkor/model/popup.h"
#include "velkor/model/priority.h"

namespace velkor {
namespace {

using namespace testing;

Banner banner(const Json& changes = Json::object()) {
  const Json minimal = {{"id", 1}, {"show_status", 0}, {"landing_url", "velkor://offerwall/ads/{ad_id}"},
                        {"banner_display_type_id", 1}, {"background_color", "#FFFFFF"}};
  return decodedOrFail<Banner>(patched(minimal, changes));
}

Ad adWithCallToAction(std::optional<bool> enabled) {
  Ad ad;
  ad.callToActionEnabled = enabled;
  return ad;
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
}

TEST(BannerTest, EncodesAbsentOptionalsByLeavingThemOutAndNeverTheRelatedAd) {
  Banner minimal = banner();
  minimal.relatedAd = adWithCallToAction(true);
  EXPECT_EQ(toJson(minimal), Json::parse(R"({"id":1,"priority":0.0,"showStatus":0,
                                             "landingUrl":"velkor://offerwall/ads/{ad_id}",
                                             "bannerDisplayTypeId":1,"backgroundColor":"#FFFFFF"})"));
}

TEST(PriorityTest, JitterStaysBelowOneThousandthAndKeepsRealDifferences) {
  EXPECT_EQ(jitteredPriority(std::nullopt), 0.0f);  // absent is exactly zero
  EXPECT_LE(priorityJitter(std::numeric_limits<std::uint32_t>::max()), 0.001f);

  for (int i = 0; i < 1000; ++i) {
    const float low = jitteredPriority(3.0f);
    const float high = jitteredPriority(3.002f);
    EXPECT_GE(low, 3.0f);
    EXPECT_LT(low, 3.001);
    EXPECT_LT(low, high);
  }
}

TEST(PriorityTest, EqualServerPrioritiesAlmostAlwaysComeApart) {
  std::set<float> seen;
  for (int i = 0; i < 100; ++i) seen.insert(jitteredPriority(0.5f));
  // Near 0.5 a float has about 16,000 steps below 0.001, so a hundred draws collide rarely.
  EXPECT_GT(seen.size(), 90u);
}

}  // namespace
}  // namespace velkor
