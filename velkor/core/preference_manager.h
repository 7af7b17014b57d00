// The SDK's small persistent state in the standard user defaults, under one fixed set of keys,
// with the reads several subsystems share. Owners of an entry write it themselves under the key's
// text. Safe to use from any thread, as the user defaults are.
#pragma once

#include <cstdint>
#include <vector>

#include "velkor/model/tag.h"

namespace velkor {

class PreferenceManager {
 public:
  enum class Key {
    serverTimeGap,         // server clock minus device clock, seconds
    adListExpiredAt,       // no writer left; still cleared
    toolTipExpiredAt,      // seconds since 1970
    totalValidRewardUser,  // the uid the stored reward total belongs to
    totalValidReward,      // the user's total available reward
    tagListLastUpdatedAt,  // stamp of the stored tag list
    tagList,               // the tag list as JSON text
    userId,                // no writer nor reader left
    gender,
    birthYear,
    agreedUid,             // the uid that agreed to the terms
    popupCloseAt,          // local day number of the last close-for-today of the popup
  };

  // Two keys of the SDK outside the table: never cleared with the user's entries.
  static constexpr const char* kDeviceIdKey = "VELKOR_DEVICE_ID";
  static constexpr const char* kTutorialShownKey = "VELKOR_TUTORIAL_SHOWN";

  static PreferenceManager& shared();

  // The user-defaults key of a case ("server_time_gap", ...).
  static const char* keyText(Key key);

  // The stored integer (a stored value that is no number reads as the defaults read it); the
  // default when nothing is stored under the key.
  std::int64_t getInt(Key key, std::int64_t defaultValue) const;

  // Forgets what belonged to the previous user: the server time gap, the ad list and tooltip
  // expiry, the reward total and the agreed uid. The rest stays.
  void clear();

  // The stored tag list; empty when there is none or it does not decode.
  std::vector<Tag> getTagList() const;

 private:
  PreferenceManager() = default;
};

}  // namespace velkor
