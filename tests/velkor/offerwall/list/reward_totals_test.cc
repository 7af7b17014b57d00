#include "velkor/offerwall/list/reward_totals.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/base/number_formatter.h"
#include "velkor/model/reward_type.h"

namespace velkor {
namespace {

Ad adWith(std::int64_t reward, std::optional<std::int64_t> completed = std::nullopt, std::int64_t status = 0) {
  Ad ad;
  ad.reward = reward;
  ad.completed = completed;
  ad.adStatusValue = status;
  return ad;
}

class RewardTotalsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(base::NumberFormatter::setLocale("en_US")); }
  void TearDown() override { RewardType::setItems({}); }
};

TEST_F(RewardTotalsTest, OnlyOpenAdsCount) {
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
  struct Case {
    const char* name;
    std::optional<std::vector<Ad>> ads;
    std::int64_t expected;
  };
  const std::vector<Case> cases = {
      {"no list yet", std::nullopt, 0},
      {"completed and ended left out", std::vector<Ad>{adWith(100), adWith(200, 1), adWith(300, 0, 2)}, 100},
      {"time cap left out, no status and unknown status count",
       std::vector<Ad>{adWith(10, 0, 1), adWith(20, std::nullopt, -1), adWith(40, 0, 9)}, 60},
      {"beyond 32 bits", std::vector<Ad>{adWith(3'000'000'000), adWith(3'000'000'000)}, 6'000'000'000},
      {"a sum that comes back within 64 bits is exact", std::vector<Ad>{adWith(kMax), adWith(1), adWith(-1)},
       kMax},
      {"beyond 64 bits stops at the largest", std::vector<Ad>{adWith(kMax), adWith(kMax), adWith(-5)}, kMax},
      {"a dip below 64 bits that comes back is exact",
       std::vector<Ad>{adWith(kMin), adWith(-1), adWith(kMax)}, -2},
      {"far below stops at the smallest", std::vector<Ad>{adWith(kMin), adWith(kMin), adWith(7)}, kMin},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(accumulableRewards(c.ads), c.expected);
  }
}

TEST_F(RewardTotalsTest, TextsReadTheFirstRewardTypeOrNone) {
  const std::string markTemplate = "Earn <mark>{REWARD_STR_MARK}</mark> in {UNIT} ({REWARD}{REWARD_UNIT})";
  struct Case {
    const char* name;
    RewardType::List types;
    std::string full, unitOnly, plain, templated, big;
  };
  const std::vector<Case> cases = {
      {"name and unit differ", {{1, "Point", 1, "P"}, {2, "Cash", 2, "C"}}, "Point 12,345P", "12,345P",
       "Point 12,345P", "Earn Point 12,345P in Point (12,345P)", "Point많은순"},
      {"unit is the name", {{2, "캐시", 1, "캐시"}}, "12,345캐시", "12,345캐시", "12,345캐시",
       "Earn 12,345캐시 in 캐시 (12,345캐시)", "캐시많은순"},
      {"no reward types", {}, "12,345", "12,345", "12,345", "Earn 12,345 in  (12,345)", "많은순"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RewardType::setItems(c.types);
    EXPECT_EQ(totalRewardString(12345, false), c.full);
    EXPECT_EQ(totalRewardString(12345, true), c.unitOnly);
    EXPECT_EQ(totalRewardText(12345, std::nullopt), c.plain);
    EXPECT_EQ(totalRewardText(12345, markTemplate), c.templated);
    EXPECT_EQ(sortOrderTitle(Ad::SortType::big), c.big);
    EXPECT_EQ(sortOrderTitle(static_cast<Ad::SortType>(9)), "추천순");
  }
}

}  // namespace
}  // namespace velkor
