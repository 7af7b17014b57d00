#include "velkor/core/preference_manager.h"

#include <gtest/gtest.h>

#include "tests/velkor/core/scoped_core_state.h"

namespace velkor {
namespace {

using Key = PreferenceManager::Key;

class PreferenceManagerTest : public ::testing::Test {
 protected:
  testing::ScopedCoreState state_;
  base::Defaults& defaults_ = *base::Defaults::standard();
  PreferenceManager& preferences_ = PreferenceManager::shared();
};

// Other subsystems and stored data rely on these texts.
TEST(PreferenceManagerKeys, NameTheUserDefaultsEntries) {
  const std::pair<Key, const char*> keys[] = {
      {Key::serverTimeGap, "server_time_gap"},
      {Key::adListExpiredAt, "ad_list_expired_at"},
      {Key::toolTipExpiredAt, "tool_tip_expired_at"},
      {Key::totalValidRewardUser, "total_valid_reward_user"},
      {Key::totalValidReward, "total_valid_reward"},
      {Key::tagListLastUpdatedAt, "tag_list_last_updated_at"},
      {Key::tagList, "tag_list"},
      {Key::userId, "user_id"},
      {Key::gender, "gender"},
      {Key::birthYear, "birth_year"},
      {Key::agreedUid, "agreed_uid"},
      {Key::popupCloseAt, "popup_close_at"},
  };
  for (const auto& [key, text] : keys) EXPECT_STREQ(PreferenceManager::keyText(key), text);
  EXPECT_STREQ(PreferenceManager::kDeviceIdKey, "VELKOR_DEVICE_ID");
  EXPECT_STREQ(PreferenceManager::kTutorialShownKey, "VELKOR_TUTORIAL_SHOWN");
}

TEST_F(PreferenceManagerTest, GetIntGivesTheDefaultOnlyWhenNothingIsStored) {
  EXPECT_EQ(preferences_.getInt(Key::totalValidReward, -1), -1);
  EXPECT_EQ(preferences_.getInt(Key::popupCloseAt, 0), 0);

  defaults_.setInteger("total_valid_reward", 0);
  EXPECT_EQ(preferences_.getInt(Key::totalValidReward, -1), 0);
  defaults_.setInteger("popup_close_at", 20'600);
  EXPECT_EQ(preferences_.getInt(Key::popupCloseAt, 0), 20'600);

  // Stored values of other kinds read as the user defaults read them, never as the default.
  defaults_.setString("total_valid_reward", "12abc");
  EXPECT_EQ(preferences_.getInt(Key::totalValidReward, -1), 12);
  defaults_.setString("total_valid_reward", "none");
  EXPECT_EQ(preferences_.getInt(Key::totalValidReward, -1), 0);
  defaults_.setDouble("total_valid_reward", 7.9);
  EXPECT_EQ(preferences_.getInt(Key::totalValidReward, -1), 7);
}

TEST_F(PreferenceManagerTest, ClearForgetsOnlyThePreviousUsersEntries) {
  for (int i = 0; i <= static_cast<int>(Key::popupCloseAt); ++i) {
    defaults_.setString(PreferenceManager::keyText(static_cast<Key>(i)), "v");
  }
  defaults_.setString(PreferenceManager::kDeviceIdKey, "device");
  defaults_.setBool(PreferenceManager::kTutorialShownKey, true);

  preferences_.clear();

  for (Key gone : {Key::serverTimeGap, Key::adListExpiredAt, Key::toolTipExpiredAt, Key::totalValidReward,
                   Key::agreedUid}) {
    EXPECT_FALSE(defaults_.object(PreferenceManager::keyText(gone))) << PreferenceManager::keyText(gone);
  }
  for (Key kept : {Key::totalValidRewardUser, Key::tagListLastUpdatedAt, Key::tagList, Key::userId, Key::gender,
                   Key::birthYear, Key::popupCloseAt}) {
    EXPECT_TRUE(defaults_.object(PreferenceManager::keyText(kept))) << PreferenceManager::keyText(kept);
  }
  EXPECT_TRUE(defaults_.object(PreferenceManager::kDeviceIdKey));
  EXPECT_TRUE(defaults_.object(PreferenceManager::kTutorialShownKey));
}

TEST_F(PreferenceManagerTest, TagListIsReadBackOrEmptyWhenItCannotBe) {
  EXPECT_TRUE(preferences_.getTagList().empty());

  defaults_.setString("tag_list", R"([{"id":1,"name":"전체","slug":"all"},{"id":7,"name":"게임","slug":"game"}])");
  EXPECT_EQ(preferences_.getTagList(), (std::vector<Tag>{{1, "전체", "all"}, {7, "게임", "game"}}));

  for (const char* bad : {"[{\"id\":1,", "{}", "[{\"id\":\"1\",\"name\":\"a\",\"slug\":\"a\"}]", ""}) {
    defaults_.setString("tag_list", bad);
    EXPECT_TRUE(preferences_.getTagList().empty()) << bad;
  }
  defaults_.setInteger("tag_list", 3);
  EXPECT_TRUE(preferences_.getTagList().empty());
}

}  // namespace
}  // namespace velkor
