#include "platform/base/date_formatter.h"

#include <gtest/gtest.h>
#include <unicode/locid.h>

#include <cmath>
#include <ostream>
#include <thread>

#include "platform/base/date.h"

namespace base {

void PrintTo(const Date& date, std::ostream* out) { *out << "Date(" << date.timeIntervalSince1970() << ")"; }

namespace {

constexpr double kMay1Noon0900 = 1'682'910'000;  // 2023-05-01 03:00:00 UTC

TEST(DateFormatterTest, RejectsTextThatIsNoDateInTheFormat) {
  const char* cases[] = {
      "", "2023-05-01T12:00:00", "2023-02-29T00:00:00+0900", "2023-05-01T24:00:00+0900",
      "2023-05-01T23:59:60+0900", "2023-5-1T12:00:00+0900", "2023-05-01T12:00:00+0900x", "2023-05-01T12:00:00+2400",
  };
  for (const char* text : cases) EXPECT_FALSE(DateFormatter().date(text)) << text;
}

TEST(DateFormatterTest, TheUsersLocaleAndCalendarChangeNothing) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Locale saved = icu::Locale::getDefault();
  icu::Locale::setDefault(icu::Locale("ar_EG@calendar=islamic;numbers=arab"), status);
  ASSERT_TRUE(U_SUCCESS(status));
  std::optional<Date> read;
  std::string written;
  // A new thread makes its formatter under the changed default.
  std::thread([&] {
    DateFormatter formatter;
    formatter.setTimeZoneOffsetSeconds(9 * 3600);
    read = formatter.date("2023-05-01T12:00:00+0900");
    written = formatter.string(Date(kMay1Noon0900));
  }).join();
  icu::Locale::setDefault(saved, status);
  EXPECT_EQ(read, Date(kMay1Noon0900));
  EXPECT_EQ(written, "2023-05-01T12:00:00+0900");
}

TEST(DateTest, YearsOfExtremeDatesStayInRange) {
  EXPECT_EQ(gregorianYear(Date(-62'135'596'800), 0), 1);  // 0001-01-01
  EXPECT_EQ(gregorianYear(Date(std::nan("")), 0), 1970);
  EXPECT_EQ(gregorianYear(Date(1e300), 0), 32767);
  EXPECT_EQ(gregorianYear(Date(-1e300), 0), -32767);
}

}  // namespace
}  // namespace base
