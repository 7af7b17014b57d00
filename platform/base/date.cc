#include "platform/base/date.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "platform/dispatch/clock.h"

namespace base {

Date Date::now() { return Date(dispatch::clock().wallSeconds()); }

int gregorianYear(Date date, int timeZoneOffsetSeconds) {
  using namespace std::chrono;
  // Clamped to the calendar's years, so that the conversion can neither overflow nor meet a NaN.
  const double first = sys_seconds(sys_days(year::min() / January / 1)).time_since_epoch().count();
  const double last = sys_seconds(sys_days(year::max() / December / 31)).time_since_epoch().count();
  double local = date.timeIntervalSince1970() + timeZoneOffsetSeconds;
  local = std::isnan(local) ? 0 : std::clamp(std::floor(local), first, last);
  const sys_seconds seconds{std::chrono::seconds(static_cast<long long>(local))};
  return static_cast<int>(year_month_day(floor<days>(seconds)).year());
}

int currentGregorianYear() { return gregorianYear(Date::now(), dispatch::clock().timeZoneOffsetSeconds()); }

}  // namespace base
