// Live countdowns in call-to-action texts: "{NEXT_PARTICIPATE_TIME}" and "{DELAY_COMPLETE_TIME}"
// filled with the time left until the ad's next participation and delayed completion, on the
// server's clock. The list rows and the detail page's button build them the same way and differ only
// in their attributes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/attributed_string.h"
#include "velkor/model/ad.h"

namespace velkor {

inline constexpr std::string_view kNextParticipateTime = "{NEXT_PARTICIPATE_TIME}";
inline constexpr std::string_view kDelayCompleteTime = "{DELAY_COMPLETE_TIME}";

// Whole seconds left until a date (seconds since 1970) on the server's clock (Velkor::getServerTime):
// truncated towards zero, never negative.
std::int64_t remainingSeconds(double date);

// "HH:MM:SS" below a day; from 86400 seconds on, "D일 HH시간 남음" (no minutes, no seconds).
std::string remainingTimeText(std::int64_t seconds);

// Whether the raw template runs a countdown: a next-participation date that is set and its
// placeholder in the template, or else a delayed-completion date and its placeholder.
bool countdownApplies(const Ad& ad, std::string_view templateText);

struct CountdownStyle {
  base::Attributes text;   // over the whole text
  base::Attributes timer;  // over each remaining time, alone
  bool lineEndsAsBlanks = false;
};

// The template with its reward placeholders expanded (as plain text in the style's attributes), then,
// for each countdown placeholder in turn, its first occurrence replaced by the time left until its
// date, or removed when the date is 0. A second occurrence stays as written.
base::AttributedString makeCountdownText(const Ad& ad, std::string_view templateText, const CountdownStyle& style);

// The rows' countdowns over the ad's call to action (an absent one reads as empty): the feed row's
// information line, the call-to-action row's button title (always in the disabled title colour) and
// the compact row's information line (line ends shown as blanks). Themes are read at every call.
base::AttributedString makeFeedRemainingTimeText(const Ad& ad);
base::AttributedString makeCtaRemainingTimeText(const Ad& ad);
base::AttributedString makeInfoTitleRemainingTimeText(const Ad& ad);

}  // namespace velkor
