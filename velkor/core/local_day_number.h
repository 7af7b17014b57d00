// The number of a date's day in the device's time zone: two dates fall on the same local day exactly
// when their numbers are equal (the popup's close-for-today rule rests on it).
#pragma once

#include <cstdint>

#include "platform/base/date.h"

namespace velkor {

// The date's seconds since 1970 plus the time zone's current offset, in days, rounded up. The offset
// is the one in force now, not at the date: the rule compares today with a stored day.
std::int64_t localDayNumber(base::Date date);

}  // namespace velkor
