#include "velkor/model/reward_text.h"

#include "platform/base/number_formatter.h"
#include "velkor/components/attributed_string_extensions.h"

namespace velkor {

std::string rewardNumberString(std::int64_t reward) { return base::NumberFormatter::decimalString(reward); }

std::string rewardString(std::int64_t reward, const RewardType& type) {
  if (type.unit == type.name) return rewardNumberString(reward) + type.name;
  return type.name + " " + rewardUnitString(reward, type);
}

std::string rewardUnitString(std::int64_t reward, const RewardType& type) {
  return rewardNumberString(reward) + type.unit;
}

void expandRewardMarks(base::AttributedString& text, std::int64_t reward, const RewardType& type,
                       std::string_view markText) {
  const std::string unitOnly = rewardUnitString(reward, type);
  replacePlaceholder(text, "{REWARD_STR_MARK}", markText, false);
  replacePlaceholder(text, "{REWARD_STR_UNIT_ONLY}", unitOnly, false);
  replacePlaceholder(text, "{REWARD_STR_UNIT_ONLY_MARK}", unitOnly, false);
  replacePlaceholder(text, "{REWARD_STR}", rewardString(reward, type), false);
  replacePlaceholder(text, "{REWARD}", rewardNumberString(reward), false);
  replacePlaceholder(text, "{UNIT}", type.name, false);
  replacePlaceholder(text, "{REWARD_NAME}", type.name, false);
  replacePlaceholder(text, "{REWARD_UNIT}", type.unit, false);
  highlightMarkedText(text);
}

}  // namespace velkor
