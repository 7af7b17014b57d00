// The server's date format "yyyy-MM-dd'T'HH:mm:ssZ", read and written with ICU's date formatting
// (the engine of the phone platform's own formatter), pinned to the POSIX locale and the Gregorian
// calendar so that neither the user's locale nor calendar can change what the server's text means.
//
// Reading is strict about the date (no 30 February, no hour 24, no second 60, no missing field, two
// digits for month and day) and the whole text must be used. The zone may be written as "+0900"
// (the form this formatter writes), "-0800", "+09:00", "+09", "Z", "GMT", "UTC" or "GMT+09:00";
// blanks before the text or before the zone are skipped. A text without a zone is not read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/base/date.h"

namespace base {

class DateFormatter {
 public:
  static constexpr std::string_view kDateFormat = "yyyy-MM-dd'T'HH:mm:ssZ";

  // Empty when the text is not a date in the format.
  std::optional<Date> date(std::string_view text) const;
  // Written in the time zone set below, else in the current one (dispatch::clock()) at each call.
  // Empty for a date that is not finite.
  std::string string(Date date) const;

  void setTimeZoneOffsetSeconds(std::optional<int> seconds) { timeZoneOffsetSeconds_ = seconds; }

 private:
  std::optional<int> timeZoneOffsetSeconds_;
};

}  // namespace base
