#include "platform/base/date_formatter.h"

#include <unicode/simpletz.h>
#include <unicode/smpdtfmt.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/dispatch/clock.h"

namespace base {
namespace {

// ICU formatters are costly to build and not safe to share, so each thread keeps its own.
icu::SimpleDateFormat* threadFormat() {
  thread_local std::unique_ptr<icu::SimpleDateFormat> format = [] {
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString pattern(DateFormatter::kDateFormat.data(),
                                     static_cast<int32_t>(DateFormatter::kDateFormat.size()), US_INV);
    auto made = std::make_unique<icu::SimpleDateFormat>(pattern, icu::Locale("en_US_POSIX@calendar=gregorian"),
                                                        status);
    if (U_FAILURE(status)) return std::unique_ptr<icu::SimpleDateFormat>();
    made->setLenient(false);
    return made;
  }();
  return format.get();
}

}  // namespace

std::optional<Date> DateFormatter::date(std::string_view text) const {
  icu::SimpleDateFormat* format = threadFormat();
  if (format == nullptr) return std::nullopt;
  const auto unicode = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  icu::ParsePosition position(0);
  const UDate millis = format->parse(unicode, position);
  if (position.getErrorIndex() >= 0 || position.getIndex() != unicode.length()) return std::nullopt;
  return Date(millis / 1000.0);
}

std::string DateFormatter::string(Date date) const {
  icu::SimpleDateFormat* format = threadFormat();
  const double seconds = date.timeIntervalSince1970();
  if (format == nullptr || !std::isfinite(seconds)) return std::string();
  // No zone is a day or more away from UTC; the bound also keeps the milliseconds within an int.
  constexpr int kDay = 86'400;
  const int offset = std::clamp(timeZoneOffsetSeconds_.value_or(dispatch::clock().timeZoneOffsetSeconds()),
                                -kDay + 1, kDay - 1);
  format->adoptTimeZone(new icu::SimpleTimeZone(offset * 1000, icu::UnicodeString(u"Current")));
  icu::UnicodeString text;
  format->format(seconds * 1000.0, text);
  std::string out;
  text.toUTF8String(out);
  return out;
}

}  // namespace base
