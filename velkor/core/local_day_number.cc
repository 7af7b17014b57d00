#include "velkor/core/local_day_number.h"

#include <algorithm>
#include <cmath>

#include "platform/dispatch/clock.h"

namespace velkor {

std::int64_t localDayNumber(base::Date date) {
  const double local = date.timeIntervalSince1970() + dispatch::clock().timeZoneOffsetSeconds();
  const double days = std::ceil(local / 86400.0);
  if (std::isnan(days)) return 0;
  // A date beyond any calendar still gets a number rather than an undefined conversion.
  return static_cast<std::int64_t>(std::clamp(days, -9.0e18, 9.0e18));
}

}  // namespace velkor
