#include "velkor/core/native_ad.h"

#include <gtest/gtest.h>

#include "velkor/core/text_replace.h"
#include "velkor/model/reward_type.h"

namespace velkor {
namespace {

TEST(NativeAdTest, FillsItsFieldsFromTheAd) {
  RewardType::setItems({{1, "포인트", 0, "P"}, {2, "캐시", 0, "캐시"}});
  Ad ad;
  ad.id = 1501;
  ad.title = "<mark>{REWARD_STR}</mark> 받기";
  ad.subtitle = "참여하면 {REWARD_STR_MARK}";
  ad.reward = 1500;
  ad.rewardTypeId = 1;
  ad.thumbOriginImage = "https://img.example.com/thumb.png";
  ad.iconImage = "https://img.example.com/a.webp/icon.webp?v=.WEBP";
  ad.rewardText = "최대 {REWARD_STR}";
  const auto native = makeNativeAd(ad);
  RewardType::setItems({});
  // Plain text: the reward marks filled, the mark-up gone.
  EXPECT_EQ(native->title(), "포인트 1,500P 받기");
  EXPECT_EQ(native->subtitle(), "참여하면 ");
  EXPECT_EQ(native->thumbImage(), "https://img.example.com/thumb.png");
  // Every exact ".webp" becomes ".jpg"; other letter cases stay.
  EXPECT_EQ(native->iconImage(), "https://img.example.com/a.jpg/icon.jpg?v=.WEBP");
  // The reward text keeps its marks for the host to fill.
  EXPECT_EQ(native->rewardText(), "최대 {REWARD_STR}");
}

TEST(ReplacingOccurrences, ReplacesEveryExactOccurrence) {
  EXPECT_EQ(replacingOccurrences("aaa", "aa", "b"), "ba");
  EXPECT_EQ(replacingOccurrences("abc", "", "x"), "abc");
}

}  // namespace
}  // namespace velkor
