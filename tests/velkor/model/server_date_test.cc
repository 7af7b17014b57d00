#include "velkor/model/server_date.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/dispatch/clock.h"

namespace velkor {
namespace {

constexpr double kMay1At3Utc = 1'682'910'000;  // 2023-05-01 03:00:00 UTC

TEST(ServerDateTest, ReadsTextsWithTheirZoneAndZeroOtherwise) {
  dispatch::ScopedManualClock clock(1'700'000'000, 3 * 3600);
  struct Case {
    std::optional<std::string> text;
    double seconds;
  } cases[] = {
      {"2023-05-01T12:00:00+0900", kMay1At3Utc},
      {"2023-05-01T03:00:00+0000", kMay1At3Utc},
      {"2023-04-30T19:00:00-0800", kMay1At3Utc},
      {"2023-05-01", 0},
      {"2023-05-01T12:00:00", 0},
      {"2023-02-30T12:00:00+0900", 0},
      {"", 0},
      {std::nullopt, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(serverDateSeconds(c.text), c.seconds) << c.text.value_or("(absent)");
  }
}

TEST(ServerDateTest, WritesInTheClockZoneAndReadsBack) {
  dispatch::ScopedManualClock clock(1'700'000'000, 9 * 3600);
  EXPECT_EQ(serverDateText(0), "1970-01-01T09:00:00+0900");
  EXPECT_EQ(serverDateSeconds(serverDateText(0)), 0);
  EXPECT_EQ(serverDateText(kMay1At3Utc), "2023-05-01T12:00:00+0900");

  clock->setTimeZoneOffsetSeconds(-5 * 3600);
  EXPECT_EQ(serverDateText(0), "1969-12-31T19:00:00-0500");
  EXPECT_EQ(serverDateSeconds(serverDateText(kMay1At3Utc)), kMay1At3Utc);
}

TEST(ServerDateTest, NonFiniteSecondsWriteNoText) {
  dispatch::ScopedManualClock clock;
  EXPECT_EQ(serverDateText(std::numeric_limits<double>::quiet_NaN()), "");
  EXPECT_EQ(serverDateText(std::numeric_limits<double>::infinity()), "");
}

}  // namespace
}  // namespace velkor
