#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <tuple>

#include "platform/dispatch/clock.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_parameters.h"
#include "velkor/model/ad.h"
#include "velkor/model/server_date.h"

namespace velkor {
namespace {

constexpr double kMid2023 = 1'688'000'000;  // 2023-06-29 UTC

class AdVisibilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VelkorParameters::setOsVerForTesting("15.4");
    setUser(0, UserInfo::kUnknownBirthYear);
  }
  void TearDown() override {
    setUser(0, UserInfo::kUnknownBirthYear);
    VelkorInternal::shared().setIsTester(false);
  }

  static void setUser(int gender, int birthYear) {
    VelkorInternal::shared().userInfo().setGender(gender);
    VelkorInternal::shared().userInfo().setBirthYear(birthYear);
  }

  static Ad adWith(std::int64_t showStatus, std::optional<std::int64_t> completed, std::optional<FiltersInfo> filter) {
    Ad ad;
    ad.showStatus = showStatus;
    ad.completed = completed;
    ad.filter = std::move(filter);
    return ad;
  }

  static FiltersInfo minOs(std::string version) { return FiltersInfo{std::move(version), std::nullopt, std::nullopt}; }
  static FiltersInfo ages(std::vector<AgeFilter> ranges) { return FiltersInfo{std::nullopt, std::nullopt, ranges}; }

  dispatch::ScopedManualClock clock_{kMid2023, 0};
};

TEST_F(AdVisibilityTest, ShowStatusDecidesWhoSeesTheAd) {
  const FiltersInfo excludes = minOs("99");
  // show status, completed, filter, tester, visible
  const std::tuple<std::int64_t, std::optional<std::int64_t>, std::optional<FiltersInfo>, bool, bool> cases[] = {
      {0, std::nullopt, std::nullopt, false, true},  {0, std::nullopt, excludes, false, false},
      {0, 1, excludes, false, true},                 {1, 0, std::nullopt, false, false},
      {1, 1, excludes, false, true},                 {-1, 1, std::nullopt, false, false},
      {-1, std::nullopt, excludes, true, false},     {-1, 1, excludes, true, true},
      {2, 1, std::nullopt, true, false},
  };
  for (const auto& [showStatus, completed, filter, tester, visible] : cases) {
    VelkorInternal::shared().setIsTester(tester);
    EXPECT_EQ(adWith(showStatus, completed, filter).isVisible(), visible)
        << "status " << showStatus << " completed " << completed.value_or(-99) << " filter " << filter.has_value()
        << " tester " << tester;
  }
}

TEST_F(AdVisibilityTest, MinimumOsVersionComparesPieceByPiece) {
  const std::pair<const char*, bool> cases[] = {{"15.4.1", true}, {"16", true}, {"15", false}, {"15.4.0", false},
                                                {"..", false}};
  for (const auto& [target, out] : cases) EXPECT_EQ(adWith(0, std::nullopt, minOs(target)).isFilteredOut(), out) << target;
}

TEST_F(AdVisibilityTest, DetargetedGendersCompareTheirTexts) {
  using Genders = std::vector<std::string>;
  const std::tuple<int, Genders, bool> cases[] = {
      {1, {"man"}, true}, {1, {"Man"}, false}, {2, {"man", "woman"}, true}, {0, {"other"}, true},
      // A gender outside 0 to 2 has no text and so matches none.
      {3, {"other", "man", "woman"}, false}, {-1, {"other"}, false}};
  for (const auto& [gender, detargeted, out] : cases) {
    setUser(gender, UserInfo::kUnknownBirthYear);
    EXPECT_EQ(adWith(0, std::nullopt, FiltersInfo{std::nullopt, detargeted, std::nullopt}).isFilteredOut(), out) << gender;
  }
}

// Ranges include both ends; any one range admits; a reversed range admits no age.
TEST_F(AdVisibilityTest, AgeRangesAdmitTheirOwnAges) {
  const std::tuple<int, std::vector<AgeFilter>, bool> cases[] = {  // birth year, ranges in 2023, filtered out
      {2003, {{20, 29}}, false}, {1994, {{20, 29}}, false}, {1993, {{20, 29}}, true}, {2004, {{20, 29}}, true},
      {UserInfo::kUnknownBirthYear, {{20, 29}}, true}, {1970, {{30, 39}, {50, 59}}, false}, {1988, {{40, 30}}, true}};
  for (const auto& [birthYear, ranges, out] : cases) {
    setUser(0, birthYear);
    const Ad ad = adWith(0, std::nullopt, ages(ranges));
    EXPECT_EQ(ad.isFilteredOut(), out) << birthYear;
    EXPECT_EQ(ad.matchesTargetAges(), !out) << birthYear;
  }
}

TEST_F(AdVisibilityTest, AgeNeverOverflowsForAnyBirthYear) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  constexpr int kFirst = std::numeric_limits<int>::min(), kLast = std::numeric_limits<int>::max();
  const std::tuple<int, AgeFilter, bool> cases[] = {{kFirst, {0, kMax}, true}, {kFirst, {0, 2'000'000'000}, false},
                                                     {kLast, {kMin, -1}, true}, {kLast, {0, kMax}, false}};
  for (const auto& [birthYear, range, admitted] : cases) {
    setUser(0, birthYear);
    EXPECT_EQ(adWith(0, std::nullopt, ages({range})).matchesTargetAges(), admitted) << birthYear;
  }
}

// The year is the Gregorian one of the present moment in the clock's zone.
TEST_F(AdVisibilityTest, AgeUsesTheGregorianYearOfTheCurrentZone) {
  setUser(0, 2004);
  const FiltersInfo twenty = ages({{20, 20}});
  clock_->setWallSeconds(1'704'065'400);  // 2023-12-31 23:30 UTC
  EXPECT_TRUE(adWith(0, std::nullopt, twenty).isFilteredOut());
  clock_->setTimeZoneOffsetSeconds(9 * 3600);  // already 2024 there
  EXPECT_FALSE(adWith(0, std::nullopt, twenty).isFilteredOut());
}

// Each rule can only exclude: passing one hands on to the next.
TEST_F(AdVisibilityTest, RulesThatAdmitDoNotSkipTheLaterOnes) {
  setUser(1, 1970);  // a man of 53
  using Genders = std::vector<std::string>;
  using Ages = std::vector<AgeFilter>;
  const std::pair<FiltersInfo, bool> cases[] = {{{"1.0", Genders{"man"}, std::nullopt}, true},
                                                {{"1.0", std::nullopt, Ages{{20, 29}}}, true},
                                                {{std::nullopt, Genders{"woman"}, Ages{{20, 29}}}, true},
                                                {{"1.0", Genders{"woman"}, Ages{{50, 59}}}, false}};
  for (const auto& [filter, out] : cases) EXPECT_EQ(adWith(0, std::nullopt, filter).isFilteredOut(), out);
}

constexpr double kMay1At3Utc = 1'682'910'000;  // 2023-05-01 03:00:00 UTC

TEST(ServerDateTest, ReadsTextsWithTheirZoneAndZeroOtherwise) {
  dispatch::ScopedManualClock clock(1'700'000'000, 3 * 3600);
  struct Case {
    std::optional<std::string> text;
    double seconds;
  } cases[] = {
      {"2023-05-01T12:00:00+0900", kMay1At3Utc},
      {"2023-04-30T19:00:00-0800", kMay1At3Utc},
      {"2023-05-01", 0},
      {"2023-02-30T12:00:00+0900", 0},
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
}

TEST(ServerDateTest, NonFiniteSecondsWriteNoText) {
  dispatch::ScopedManualClock clock;
  EXPECT_EQ(serverDateText(std::numeric_limits<double>::quiet_NaN()), "");
  EXPECT_EQ(serverDateText(std::numeric_limits<double>::infinity()), "");
}

}  // namespace
}  // namespace velkor
