// The servers' dates: text in the fixed pattern of base::DateFormatter ("2023-05-01T12:00:00+0900"),
// read as seconds since 1970. Ads, banners and popups keep the text and convert on each access.
#pragma once

#include <optional>
#include <string>

namespace velkor {

// Seconds since 1970-01-01 00:00 UTC; 0 for an absent text or one not in the pattern, so a caller
// never has to tell "no date" from "unreadable date".
double serverDateSeconds(const std::optional<std::string>& text);

// The text of the date that many seconds after 1970, in the current time zone of the clock with its
// numeric offset; empty for a number that is not finite.
std::string serverDateText(double secondsSince1970);

}  // namespace velkor
