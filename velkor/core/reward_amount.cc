#include "velkor/core/reward_amount.h"

#include "velkor/model/reward_text.h"
#include "velkor/model/reward_type.h"

namespace velkor {

std::string formatRewardAmount(std::int64_t amount) {
  // Without reward types the neutral type has no name and unit: the bare grouped number.
  return rewardString(amount, RewardType::primary());
}

}  // namespace velkor
