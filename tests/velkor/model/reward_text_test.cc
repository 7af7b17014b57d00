#include "velkor/model/reward_text.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <tuple>

#include "platform/base/number_formatter.h"
#include "velkor/model/ad.h"

namespace velkor {
namespace {

const RewardType kPoint{1, "포인트", 1, "P"};
const RewardType kCoin{3, "Coin", 3, "C"};
const RewardType kCash{2, "캐시", 2, "캐시"};

Ad adWith(std::int64_t reward, std::int64_t rewardTypeId) {
  Ad ad;
  ad.reward = reward;
  ad.rewardTypeId = rewardTypeId;
  return ad;
}

// The texts of the coloured runs, in order: what a reader sees highlighted.
std::vector<std::string> coloured(const base::AttributedString& text) {
  std::vector<std::string> parts;
  for (const base::AttributeRun& run : text.runs()) {
    if (run.attributes.foregroundColor) parts.push_back(text.attributedSubstring(run.range).string());
  }
  return parts;
}

class RewardTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(base::NumberFormatter::setLocale("en_US"));
    RewardType::setItems({kPoint, kCash, kCoin});
  }
  void TearDown() override { RewardType::setItems({}); }
};

// With no reward types yet, an ad reads a neutral type: empty name and unit, the bare amount.
TEST_F(RewardTextTest, AnEmptyListGivesANeutralRewardType) {
  RewardType::setItems({});
  const Ad ad = adWith(1500, 3);
  EXPECT_EQ(ad.rewardType(), RewardType{});
  EXPECT_EQ(ad.getRewardStr(), "1,500");
  EXPECT_EQ(ad.getRewardUnitStr(), "1,500");
}

TEST_F(RewardTextTest, RewardStringsPutNameNumberAndUnitTogether) {
  EXPECT_EQ(adWith(1500, 3).getRewardStr(), "Coin 1,500C");
  EXPECT_EQ(adWith(1500, 3).getRewardUnitStr(), "1,500C");
  EXPECT_EQ(adWith(1500, 2).getRewardStr(), "1,500캐시");
  EXPECT_EQ(adWith(-2500000, 1).getRewardStr(), "포인트 -2,500,000P");
  // A type id the list does not hold reads as the first type of the list.
  const Ad unmatched = adWith(1500, 9);
  EXPECT_EQ(unmatched.rewardName(), "포인트");
  EXPECT_EQ(unmatched.rewardUnit(), "P");
  EXPECT_EQ(unmatched.getRewardStr(), "포인트 1,500P");
  EXPECT_EQ(unmatched.makeAttributedString("{UNIT}/{REWARD_UNIT}").string(), "포인트/P");

  ASSERT_TRUE(base::NumberFormatter::setLocale("de_DE"));
  EXPECT_EQ(adWith(1500, 3).getRewardStr(), "Coin 1.500C");
}

TEST_F(RewardTextTest, EveryMarkHasItsTextAndHighlight) {
  const std::tuple<const char*, Ad::RewardStr, const char*, std::vector<std::string>> cases[] = {
      {"get {REWARD_STR_MARK}!", Ad::RewardStr::full, "get Coin 1,500C!", {"Coin 1,500C"}},
      {"get {REWARD_STR_MARK}!", Ad::RewardStr::unitOnly, "get 1,500C!", {"1,500C"}},
      {"{REWARD_STR_UNIT_ONLY}", Ad::RewardStr::full, "1,500C", {}},
      {"{REWARD_STR_UNIT_ONLY_MARK}", Ad::RewardStr::full, "1,500C", {"1,500C"}},
      {"{REWARD}", Ad::RewardStr::full, "1,500", {}},
      {"{REWARD_NAME}", Ad::RewardStr::full, "Coin", {}},
      {"{REWARD_STR_MARK}/{REWARD_STR}", Ad::RewardStr::unitOnly, "1,500C/Coin 1,500C", {"1,500C"}},
      {"a <mark>new</mark> {REWARD}", Ad::RewardStr::full, "a new 1,500", {"new"}},
      {"<mark>{REWARD_UNIT}</mark>", Ad::RewardStr::full, "C", {"C"}},
      {"{reward}", Ad::RewardStr::full, "{reward}", {}},
  };
  const Ad ad = adWith(1500, 3);
  for (const auto& [text, rewardStr, expanded, highlighted] : cases) {
    const base::AttributedString made = ad.makeAttributedString(text, rewardStr);
    EXPECT_EQ(made.string(), expanded) << text;
    EXPECT_EQ(coloured(made), highlighted) << text;
  }
  EXPECT_EQ(ad.makeAttributedUnitString("{REWARD_STR_MARK}").string(), "1,500C");
}

TEST_F(RewardTextTest, ShortVariantDropsOnlyATrailingRewardMark) {
  const Ad ad = adWith(1500, 3);
  const std::tuple<const char*, const char*, std::vector<std::string>> cases[] = {
      {"참여하면 {REWARD_STR_MARK}", "참여하면 ", {}},
      {"{REWARD_STR_MARK} 받기", "Coin 1,500C 받기", {"Coin 1,500C"}},
      {"{REWARD} {REWARD_STR_MARK}", "1,500 ", {}},
  };
  for (const auto& [text, expanded, highlighted] : cases) {
    const base::AttributedString shortened = ad.makeAttributedShortString(text);
    EXPECT_EQ(shortened.string(), expanded) << text;
    EXPECT_EQ(coloured(shortened), highlighted) << text;
  }
}

// A name or unit holding a mark must not make the expansion loop: each step replaces the marks the
// text held before it, once, and later steps may fill marks an earlier one brought in.
TEST_F(RewardTextTest, MarksInsideNamesAndUnitsEnd) {
  const std::tuple<RewardType, const char*, const char*> cases[] = {  // type, text, expanded
      {{1, "{UNIT}", 0, "u"}, "{UNIT}", "{UNIT}"},
      {{1, "{REWARD_NAME}", 0, "u"}, "{REWARD_NAME} {UNIT}", "{REWARD_NAME} {REWARD_NAME}"},
      {{1, "{REWARD_STR_MARK}", 0, "u"}, "{REWARD_STR_MARK}", "{REWARD_STR_MARK} 7u"},
      {{1, "n", 0, "{REWARD_UNIT}{REWARD_UNIT}"}, "{REWARD_UNIT}", "{REWARD_UNIT}{REWARD_UNIT}"},
      {{1, "{REWARD_UNIT}", 0, "x"}, "{UNIT}", "x"},
      {{1, "<mark>n</mark>", 0, "u"}, "{REWARD_NAME}", "n"},
  };
  for (const auto& [type, text, expanded] : cases) {
    RewardType::setItems({type});
    EXPECT_EQ(adWith(7, 1).makeAttributedString(text).string(), expanded) << type.name << type.unit;
  }
}

// Responses replace the list while rows expand texts elsewhere: each text comes whole from one list.
TEST_F(RewardTextTest, AnExpansionReadsOneListWhileAnotherThreadReplacesIt) {
  const RewardType::List alpha{{1, "Alpha", 0, "a"}};
  const RewardType::List beta{{1, "Beta", 0, "b"}};
  RewardType::setItems(alpha);
  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (int i = 0; !done.load(); ++i) RewardType::setItems(i % 2 ? alpha : beta);
  });
  const Ad ad = adWith(5, 1);
  for (int i = 0; i < 300; ++i) {
    const std::string text = ad.makeAttributedString("{REWARD_NAME}/{REWARD_UNIT}/{REWARD_STR}").string();
    EXPECT_TRUE(text == "Alpha/a/Alpha 5a" || text == "Beta/b/Beta 5b") << text;
  }
  done.store(true);
  writer.join();
}

}  // namespace
}  // namespace velkor
