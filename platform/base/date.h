// A point in time as seconds since 1970-01-01 00:00 UTC, read from the one injectable clock.
#pragma once

#include <compare>

namespace base {

class Date {
 public:
  constexpr Date() = default;
  constexpr explicit Date(double secondsSince1970) : seconds_(secondsSince1970) {}
  // The wall time of dispatch::clock(), so that a test's manual clock moves it.
  static Date now();

  constexpr double timeIntervalSince1970() const { return seconds_; }
  constexpr double timeIntervalSince(Date other) const { return seconds_ - other.seconds_; }
  constexpr Date addingTimeInterval(double seconds) const { return Date(seconds_ + seconds); }

  friend constexpr auto operator<=>(const Date&, const Date&) = default;

 private:
  double seconds_ = 0;
};

// The year of the date in the proleptic Gregorian calendar, at the given offset from UTC. Dates
// outside the years -32767...32767 read as the nearer of those two; NaN reads as 1970.
int gregorianYear(Date date, int timeZoneOffsetSeconds);
// The year of Date::now() in the current time zone of dispatch::clock().
int currentGregorianYear();

}  // namespace base
