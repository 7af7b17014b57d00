#include "velkor/offerwall/pager/popup_selection.h"

#include <gtest/gtest.h>

#include "platform/base/defaults.h"
#include "platform/dispatch/clock.h"
#include "tests/velkor/core/scoped_core_state.h"
#include "velkor/core/preference_manager.h"

namespace velkor::testing {
namespace {

Ad campaignAd(std::int64_t id, std::int64_t campaign, std::optional<bool> enabled) {
  Ad ad;
  ad.id = id;
  ad.campaignId = campaign;
  ad.callToActionEnabled = enabled;
  return ad;
}

Popup popup(std::int64_t id, std::optional<std::int64_t> campaign, std::string landing = "velkor://offerwall/ads/{ad_id}") {
  Popup made;
  made.id = id;
  made.campaignId = campaign;
  made.landingUrl = std::move(landing);
  return made;
}

// The first ad of the campaign decides; an ad without the flag counts as disabled; a popup without
// a campaign stays even with no ads loaded, and never fills "{ad_id}".
TEST(PopupSelection, LinksToTheFirstAdOfItsCampaign) {
  const std::vector<Ad> ads = {campaignAd(10, 1, true), campaignAd(11, 1, false), campaignAd(20, 2, false),
                               campaignAd(21, 2, true), campaignAd(30, 3, std::nullopt)};
  const std::vector<Popup> popups = {popup(1, 1), popup(2, 2), popup(3, 3), popup(4, 4), popup(5, std::nullopt)};
  auto kept = linkPopups(popups, ads);
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[0].id, 1);
  EXPECT_EQ(kept[0].relatedAd->id, 10);
  EXPECT_EQ(kept[1].id, 5);
  EXPECT_EQ(popupLandingUrl(kept[0]), "velkor://offerwall/ads/10");
  EXPECT_EQ(popupLandingUrl(kept[1]), "velkor://offerwall/ads/{ad_id}");

  auto withoutAds = linkPopups(popups, std::nullopt);
  ASSERT_EQ(withoutAds.size(), 1u);
  EXPECT_EQ(withoutAds[0].id, 5);
  // A popup linked before keeps no stale ad once its campaign is gone.
  EXPECT_TRUE(linkPopups(kept, std::vector<Ad>{}).size() == 1);
}

TEST(PopupSelection, PositionWrapsAndAnEmptyListHasNone) {
  EXPECT_EQ(popupPosition(0, 3), 0u);
  EXPECT_EQ(popupPosition(3, 3), 0u);  // the copy of the first page
  EXPECT_EQ(popupPosition(2, 3), 2u);
  EXPECT_EQ(popupPosition(1, 0), std::nullopt);
}

// Local days in a fixed zone (UTC+9): closed on the day stored and on any later stored day; open
// again one second after local midnight, the midnight instant itself still the old day.
TEST(PopupSelection, CloseForTodayByLocalDay) {
  ScopedCoreState core;
  constexpr int kSeoul = 9 * 3600;
  const double midnight = 20'000.0 * 86400 - kSeoul;  // a local midnight
  dispatch::ScopedManualClock clock(midnight - 3600, kSeoul);
  EXPECT_FALSE(popupsClosedForToday(base::Date::now()));
  closePopupsForToday(base::Date::now());
  const auto stored = base::Defaults::standard()->integer(PreferenceManager::keyText(PreferenceManager::Key::popupCloseAt));
  EXPECT_EQ(stored, 20'000);
  EXPECT_TRUE(popupsClosedForToday(base::Date::now()));
  clock->advance(dispatch::Seconds(3600));
  EXPECT_TRUE(popupsClosedForToday(base::Date::now()));
  clock->advance(dispatch::Seconds(1));
  EXPECT_FALSE(popupsClosedForToday(base::Date::now()));

  base::Defaults::standard()->setInteger(PreferenceManager::keyText(PreferenceManager::Key::popupCloseAt), 20'005);
  EXPECT_TRUE(popupsClosedForToday(base::Date::now()));
}

}  // namespace
}  // namespace velkor::testing
