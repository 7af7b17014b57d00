#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "platform/dispatch/clock.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_parameters.h"
#include "velkor/model/ad.h"

namespace velkor {
namespace {

constexpr double kMid2023 = 1'688'000'000;  // 2023-06-29 UTC

// Each test sets the core's user, tester flag and OS version it needs, and leaves the defaults behind.
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
  static FiltersInfo detarget(std::vector<std::string> genders) { return FiltersInfo{std::nullopt, genders, std::nullopt}; }
  static FiltersInfo ages(std::vector<AgeFilter> ranges) { return FiltersInfo{std::nullopt, std::nullopt, ranges}; }

  dispatch::ScopedManualClock clock_{kMid2023, 0};
};

TEST_F(AdVisibilityTest, ShowStatusDecidesWhoSeesTheAd) {
  const FiltersInfo excludes = minOs("99");
  struct Case {
    std::int64_t showStatus;
    std::optional<std::int64_t> completed;
    std::optional<FiltersInfo> filter;
    bool tester;
    bool visible;
  } cases[] = {
      {0, std::nullopt, std::nullopt, false, true},   {0, std::nullopt, excludes, false, false},
      {0, 1, excludes, false, true},                  {0, 0, excludes, false, false},
      {1, std::nullopt, std::nullopt, false, false},  {1, 0, std::nullopt, false, false},
      {1, 1, excludes, false, true},                  {-1, std::nullopt, std::nullopt, false, false},
      {-1, 1, std::nullopt, false, false},            {-1, std::nullopt, std::nullopt, true, true},
      {-1, std::nullopt, excludes, true, false},      {-1, 1, excludes, true, true},
      {2, 1, std::nullopt, true, false},              {-2, 1, std::nullopt, true, false},
  };
  for (const Case& c : cases) {
    VelkorInternal::shared().setIsTester(c.tester);
    EXPECT_EQ(adWith(c.showStatus, c.completed, c.filter).isVisible(), c.visible)
        << "status " << c.showStatus << " completed " << c.completed.value_or(-99) << " filter " << c.filter.has_value()
        << " tester " << c.tester;
  }
}

TEST_F(AdVisibilityTest, MinimumOsVersionComparesPieceByPiece) {
  struct Case {
    std::string target;
    bool filteredOut;
  } cases[] = {{"15.4.1", true}, {"16", true}, {"15", false}, {"15.4", false}, {"15.4.0", false},
               {"1.0", false},   {"", false},  {"..", false}};
  for (const Case& c : cases) {
    EXPECT_EQ(adWith(0, std::nullopt, minOs(c.target)).isFilteredOut(), c.filteredOut) << c.target;
  }
}

TEST_F(AdVisibilityTest, DetargetedGendersCompareTheirTexts) {
  struct Case {
    int gender;
    std::vector<std::string> detargeted;
    bool filteredOut;
  } cases[] = {
      {1, {"man"}, true},     {0, {"man"}, false},   {1, {"Man"}, false},       {2, {"man", "woman"}, true},
      {0, {"other"}, true},   {1, {"male"}, false},  {0, {"unknown"}, false},  {1, {}, false},
      // A gender outside 0 to 2 has no text and so matches none.
      {3, {"other", "man", "woman"}, false},         {-1, {"other"}, false},
  };
  for (const Case& c : cases) {
    setUser(c.gender, UserInfo::kUnknownBirthYear);
    EXPECT_EQ(adWith(0, std::nullopt, detarget(c.detargeted)).isFilteredOut(), c.filteredOut) << "gender " << c.gender;
  }
}

// Ranges include both ends; any one range admits; a reversed range admits no age.
TEST_F(AdVisibilityTest, AgeRangesAdmitTheirOwnAges) {
  struct Case {
    int birthYear;  // in 2023
    std::vector<AgeFilter> ranges;
    bool filteredOut;
  } cases[] = {
      {2003, {{20, 29}}, false}, {1994, {{20, 29}}, false}, {1993, {{20, 29}}, true}, {2004, {{20, 29}}, true},
      {UserInfo::kUnknownBirthYear, {{20, 29}}, true},       {1970, {{30, 39}, {50, 59}}, false},
      {1983, {{40, 30}}, true}, {1988, {{40, 30}}, true}, {1993, {{40, 30}}, true}, {2023, {{40, 30}}, true},
  };
  for (const Case& c : cases) {
    setUser(0, c.birthYear);
    const Ad ad = adWith(0, std::nullopt, ages(c.ranges));
    EXPECT_EQ(ad.isFilteredOut(), c.filteredOut) << c.birthYear;
    EXPECT_EQ(ad.matchesTargetAges(), !c.filteredOut) << c.birthYear;
  }
}

TEST_F(AdVisibilityTest, AgeNeverOverflowsForAnyBirthYear) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  struct Case {
    int birthYear;
    AgeFilter range;
    bool admitted;
  } cases[] = {
      {std::numeric_limits<int>::min(), {0, kMax}, true},
      {std::numeric_limits<int>::min(), {0, 2'000'000'000}, false},
      {std::numeric_limits<int>::max(), {kMin, -1}, true},
      {std::numeric_limits<int>::max(), {0, kMax}, false},
  };
  for (const Case& c : cases) {
    setUser(0, c.birthYear);
    EXPECT_EQ(adWith(0, std::nullopt, ages({c.range})).matchesTargetAges(), c.admitted) << c.birthYear;
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
  EXPECT_TRUE(adWith(0, std::nullopt, FiltersInfo{"1.0", std::vector<std::string>{"man"}, std::nullopt}).isFilteredOut());
  EXPECT_TRUE(adWith(0, std::nullopt, FiltersInfo{"1.0", std::nullopt, std::vector<AgeFilter>{{20, 29}}}).isFilteredOut());
  EXPECT_TRUE(adWith(0, std::nullopt, FiltersInfo{std::nullopt, std::vector<std::string>{"woman"},
                                                  std::vector<AgeFilter>{{20, 29}}})
                  .isFilteredOut());
  EXPECT_FALSE(adWith(0, std::nullopt, FiltersInfo{"1.0", std::vector<std::string>{"woman"},
                                                   std::vector<AgeFilter>{{50, 59}}})
                   .isFilteredOut());
}

TEST_F(AdVisibilityTest, EmptyFilterPartsCountAsAbsent) {
  setUser(1, UserInfo::kUnknownBirthYear);
  EXPECT_FALSE(adWith(0, std::nullopt, FiltersInfo{}).isFilteredOut());
  EXPECT_FALSE(adWith(0, std::nullopt, FiltersInfo{"", std::vector<std::string>{}, std::vector<AgeFilter>{}})
                   .isFilteredOut());
  EXPECT_TRUE(adWith(0, std::nullopt, std::nullopt).matchesTargetAges());
}

}  // namespace
}  // namespace velkor
