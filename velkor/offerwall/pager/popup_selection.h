// Which promotion popups may show and what a tap on one does: the link of each popup to the first
// loaded ad of its campaign, the close-for-today rule, and the landing link of a tapped page. The
// presenter and the pager screen both filter with linkPopups(), each against the ads it holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/date.h"
#include "velkor/model/ad.h"
#include "velkor/model/popup.h"

namespace velkor {

// In the order given: a popup without a campaign as it is; one with a campaign linked to the first
// of `ads` of that campaign and kept only while that ad's call to action is enabled (an ad without
// the flag counts as disabled).
std::vector<Popup> linkPopups(const std::vector<Popup>& popups, const std::optional<std::vector<Ad>>& ads);

// True while the carousel must stay away: the stored close day ("popup_close_at", 0 when none) is
// today's local day number or later.
bool popupsClosedForToday(base::Date now);
// Stores today's local day number as the close day.
void closePopupsForToday(base::Date now);

// The popup a carousel item shows: the item number modulo the count; nothing without popups.
std::optional<std::size_t> popupPosition(std::int64_t item, std::size_t popupCount);

// The landing link, its "{ad_id}" marks filled with the related ad's id when it has one.
std::string popupLandingUrl(const Popup& popup);

}  // namespace velkor
