#include "velkor/core/native_ad.h"

#include <gtest/gtest.h>

#include "velkor/core/text_replace.h"
#include "velkor/model/reward_type.h"

namespace velkor {
namespace {

class NativeAdTest : public ::testing::Test {
 protected:
  void SetUp() override { RewardType::setItems({{1, "포인트", 0, "P"}, {2, "캐시", 0, "캐시"}}); }
  void TearDown() override { RewardType::setItems({}); }

  static Ad ad() {
    Ad ad;
    ad.id = 1501;
    ad.title = "<mark>{REWARD_STR}</mark> 받기";
    ad.subtitle = "참여하면 {REWARD_STR_MARK}";
    ad.reward = 1500;
    ad.rewardTypeId = 1;
    ad.thumbImage = "https://img.example.com/thumb_120x120.png";
    ad.thumbOriginImage = "https://img.example.com/thumb.png";
    ad.iconImage = "https://img.example.com/a.webp/icon.webp?v=.WEBP";
    ad.rewardText = "최대 {REWARD_STR}";
    return ad;
  }
};

TEST_F(NativeAdTest, FillsItsFieldsFromTheAd) {
  const auto native = makeNativeAd(ad());
  // Plain text: the reward marks filled, the mark-up gone.
  EXPECT_EQ(native->title(), "포인트 1,500P 받기");
  EXPECT_EQ(native->subtitle(), "참여하면 ");
  EXPECT_EQ(native->thumbImage(), "https://img.example.com/thumb.png");
  // Every exact ".webp" becomes ".jpg"; other letter cases stay.
  EXPECT_EQ(native->iconImage(), "https://img.example.com/a.jpg/icon.jpg?v=.WEBP");
  // The reward text keeps its marks for the host to fill.
  EXPECT_EQ(native->rewardText(), "최대 {REWARD_STR}");
  EXPECT_EQ(native->inventory(), std::nullopt);
}

TEST_F(NativeAdTest, KeepsAbsentTextsAbsent) {
  Ad bare = ad();
  bare.iconImage.reset();
  bare.subtitle.reset();
  bare.rewardText.reset();
  const auto native = makeNativeAd(bare);
  EXPECT_EQ(native->iconImage(), std::nullopt);
  EXPECT_EQ(native->subtitle(), "");
  EXPECT_EQ(native->rewardText(), std::nullopt);
}

TEST(ReplacingOccurrences, ReplacesEveryExactOccurrence) {
  EXPECT_EQ(replacingOccurrences("{a}{b}", "{", "%7B"), "%7Ba}%7Bb}");
  EXPECT_EQ(replacingOccurrences("aaa", "aa", "b"), "ba");
  EXPECT_EQ(replacingOccurrences("abc", "", "x"), "abc");
  EXPECT_EQ(replacingOccurrences("", "a", "x"), "");
}

}  // namespace
}  // namespace velkor
