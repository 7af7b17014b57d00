// The reward marks servers write in ad texts and the texts that fill them. An ad's amount reads with
// the locale's grouping ("1,500"); its reward text is "Coin 1,500C", or "1,500P" when the reward
// type's unit is its name; its unit-only text is "1,500C".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/attributed_string.h"
#include "velkor/model/reward_type.h"

namespace velkor {

std::string rewardNumberString(std::int64_t reward);
std::string rewardString(std::int64_t reward, const RewardType& type);
std::string rewardUnitString(std::int64_t reward, const RewardType& type);

// Fills, in this order, "{REWARD_STR_MARK}" (with the reward text, or with the unit-only text when
// `unitOnlyMark`, highlighted), "{REWARD_STR_UNIT_ONLY}",
// "{REWARD_STR_UNIT_ONLY_MARK}" (highlighted), "{REWARD_STR}", "{REWARD}", "{UNIT}" (the type's name),
// "{REWARD_NAME}" and "{REWARD_UNIT}", then colours the "<mark>" spans. Each step replaces the
// occurrences the text holds before it, once: a name or unit that holds a mark cannot make it loop.
void expandRewardMarks(base::AttributedString& text, std::int64_t reward, const RewardType& type,
                       bool unitOnlyMark = false);

}  // namespace velkor
