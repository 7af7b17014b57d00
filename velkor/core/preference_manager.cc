#include "velkor/core/preference_manager.h"

#include "platform/base/defaults.h"
#include "velkor/model/tag_list.h"

namespace velkor {

PreferenceManager& PreferenceManager::shared() {
  static auto* instance = new PreferenceManager;
  return *instance;
}

const char* PreferenceManager::keyText(Key key) {
  switch (key) {
    case Key::serverTimeGap: return "server_time_gap";
    case Key::adListExpiredAt: return "ad_list_expired_at";
    case Key::toolTipExpiredAt: return "tool_tip_expired_at";
    case Key::totalValidRewardUser: return "total_valid_reward_user";
    case Key::totalValidReward: return "total_valid_reward";
    case Key::tagListLastUpdatedAt: return "tag_list_last_updated_at";
    case Key::tagList: return "tag_list";
    case Key::userId: return "user_id";
    case Key::gender: return "gender";
    case Key::birthYear: return "birth_year";
    case Key::agreedUid: return "agreed_uid";
    case Key::popupCloseAt: return "popup_close_at";
  }
  return "";
}

std::int64_t PreferenceManager::getInt(Key key, std::int64_t defaultValue) const {
  const auto defaults = base::Defaults::standard();
  const char* text = keyText(key);
  if (!defaults->object(text)) return defaultValue;
  return defaults->integer(text);
}

void PreferenceManager::clear() {
  const auto defaults = base::Defaults::standard();
  for (Key key : {Key::serverTimeGap, Key::adListExpiredAt, Key::toolTipExpiredAt, Key::totalValidReward,
                  Key::agreedUid}) {
    defaults->removeObject(keyText(key));
  }
}

std::vector<Tag> PreferenceManager::getTagList() const {
  return TagList::storedTags(*base::Defaults::standard());
}

}  // namespace velkor
