#include "velkor/offerwall/pager/popup_selection.h"

#include <algorithm>

#include "platform/base/defaults.h"
#include "velkor/core/local_day_number.h"
#include "velkor/core/preference_manager.h"
#include "velkor/core/text_replace.h"
#include "velkor/offerwall/list/banner_paging.h"

namespace velkor {

std::vector<Popup> linkPopups(const std::vector<Popup>& popups, const std::optional<std::vector<Ad>>& ads) {
  std::vector<Popup> kept;
  for (const Popup& popup : popups) {
    Popup linked = popup;
    if (linked.campaignId) {
      linked.relatedAd.reset();
      if (ads) {
        auto related = std::find_if(ads->begin(), ads->end(),
                                    [&popup](const Ad& ad) { return ad.campaignId == *popup.campaignId; });
        if (related != ads->end()) linked.relatedAd = *related;
      }
    }
    if (linked.isVisible()) kept.push_back(std::move(linked));
  }
  return kept;
}

bool popupsClosedForToday(base::Date now) {
  const auto closedOn = PreferenceManager::shared().getInt(PreferenceManager::Key::popupCloseAt, 0);
  return localDayNumber(now) - closedOn < 1;
}

void closePopupsForToday(base::Date now) {
  base::Defaults::standard()->setInteger(PreferenceManager::keyText(PreferenceManager::Key::popupCloseAt),
                                         localDayNumber(now));
}

std::optional<std::size_t> popupPosition(std::int64_t item, std::size_t popupCount) {
  auto index = bannerIndex(item, static_cast<std::int64_t>(popupCount));
  if (!index) return std::nullopt;
  return static_cast<std::size_t>(*index);
}

std::string popupLandingUrl(const Popup& popup) {
  if (!popup.relatedAd) return popup.landingUrl;
  return replacingOccurrences(popup.landingUrl, "{ad_id}", std::to_string(popup.relatedAd->id));
}

}  // namespace velkor
