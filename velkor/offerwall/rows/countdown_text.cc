#include "velkor/offerwall/rows/countdown_text.h"

#include <cmath>
#include <cstdio>

#include "velkor/appearance/hex_color.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/core/text_replace.h"
#include "velkor/core/velkor.h"
#include "velkor/offerwall/rows/row_style.h"

namespace velkor {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// Far beyond any real date; keeps the conversion to a whole number defined.
constexpr double kLongestCountdown = 1e15;

// With no date its first placeholder goes; with one, the first is replaced by the time left.
void fillPlaceholder(base::AttributedString& text, std::string_view placeholder, double date,
                     const base::Attributes& timer) {
  auto range = text.find(placeholder);
  if (!range) return;
  if (date == 0) {
    text.replaceCharacters(*range, std::string_view{});
    return;
  }
  text.replaceCharacters(*range, base::AttributedString(remainingTimeText(remainingSeconds(date)), timer));
}

std::string callToActionOf(const Ad& ad) { return ad.callToAction.value_or(""); }

}  // namespace

std::int64_t remainingSeconds(double date) {
  const double left = date - Velkor::shared().getServerTime();
  if (!(left > 0)) return 0;
  return static_cast<std::int64_t>(std::trunc(std::min(left, kLongestCountdown)));
}

std::string remainingTimeText(std::int64_t seconds) {
  char text[64];
  if (seconds < kSecondsPerDay) {
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds % 3600 / 60), static_cast<long long>(seconds % 60));
  } else {
    std::snprintf(text, sizeof text, "%lld일 %02lld시간 남음", static_cast<long long>(seconds / kSecondsPerDay),
                  static_cast<long long>(seconds % kSecondsPerDay / 3600));
  }
  return text;
}

bool countdownApplies(const Ad& ad, std::string_view templateText) {
  if (ad.nextParticipateAt() != 0 && templateText.find(kNextParticipateTime) != std::string_view::npos) return true;
  return ad.delayCompleteAt() != 0 && templateText.find(kDelayCompleteTime) != std::string_view::npos;
}

base::AttributedString makeCountdownText(const Ad& ad, std::string_view templateText, const CountdownStyle& style) {
  std::string plain = ad.makeAttributedString(templateText).string();
  if (style.lineEndsAsBlanks) plain = replacingOccurrences(plain, "\n", " ");
  base::AttributedString text(plain, style.text);
  fillPlaceholder(text, kNextParticipateTime, ad.nextParticipateAt(), style.timer);
  fillPlaceholder(text, kDelayCompleteTime, ad.delayCompleteAt(), style.timer);
  return text;
}

base::AttributedString makeFeedRemainingTimeText(const Ad& ad) {
  const ui::Color white = colorFromHex("#ffffff", 1.0);
  CountdownStyle style{textAttributes(white, gothicBold(18.0)), textAttributes(white, gothicRegular(14.0))};
  style.text.paragraphStyle = base::ParagraphStyle{.alignment = base::TextAlignment::center, .lineSpacing = 1.0};
  return makeCountdownText(ad, callToActionOf(ad), style);
}

base::AttributedString makeCtaRemainingTimeText(const Ad& ad) {
  const auto scheme = currentColorScheme();
  const auto dimension = currentDimension();
  const ui::Color color = scheme->listItemCtaButtonTextDisableColor();
  const CountdownStyle style{
      textAttributes(color, VelkorOfwText::listItemCtaButtonTextFont().instance(dimension->listItemCtaButtonTextSize())),
      textAttributes(color, VelkorOfwText::listItemCtaButtonTimerFont().instance(dimension->listItemCtaButtonTimerSize()))};
  return makeCountdownText(ad, callToActionOf(ad), style);
}

base::AttributedString makeInfoTitleRemainingTimeText(const Ad& ad) {
  const auto scheme = currentColorScheme();
  const auto dimension = currentDimension();
  const ui::Color color = scheme->infoTitleTextColor();
  CountdownStyle style{
      textAttributes(color, VelkorOfwText::infoTitleTextFont().instance(dimension->listInfoTitleTextSize())),
      textAttributes(color, VelkorOfwText::infoTitleTimerTextFont().instance(dimension->infoTitleTimerTextSize())),
      true};
  style.text.paragraphStyle = base::ParagraphStyle{.alignment = base::TextAlignment::left, .lineSpacing = 1.0};
  return makeCountdownText(ad, callToActionOf(ad), style);
}

}  // namespace velkor
