#include "velkor/offerwall/list/reward_totals.h"

#include <limits>

#include "platform/base/attributed_string.h"
#include "velkor/core/reward_amount.h"
#include "velkor/model/reward_text.h"
#include "velkor/model/reward_type.h"

namespace velkor {
namespace {

bool countsTowardsTotal(const Ad& ad) {
  const auto status = ad.adStatus();
  return status != AdStatus::exceedTimeCap && status != AdStatus::end;
}

std::int64_t saturatingAdd(std::int64_t a, std::int64_t b) {
  std::int64_t sum = 0;
  if (!__builtin_add_overflow(a, b, &sum)) return sum;
  return b < 0 ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
}

}  // namespace

std::int64_t accumulableRewards(const std::optional<std::vector<Ad>>& ads) {
  std::int64_t total = 0;
  if (!ads) return total;
  for (const Ad& ad : *ads) {
    if (countsTowardsTotal(ad)) total = saturatingAdd(total, ad.getAccumulableReward());
  }
  return total;
}

std::string totalRewardString(std::int64_t total, bool unitOnly) {
  const RewardType type = RewardType::primary();
  return unitOnly ? rewardUnitString(total, type) : rewardString(total, type);
}

std::string totalRewardText(std::int64_t total, const std::optional<std::string>& rewardTemplate) {
  if (!rewardTemplate) return formatRewardAmount(total);
  const RewardType type = RewardType::primary();
  base::AttributedString text(*rewardTemplate);
  expandRewardMarks(text, total, type, rewardString(total, type));
  return text.string();
}

std::string sortOrderTitle(Ad::SortType order) {
  switch (order) {
    case Ad::SortType::recent:
      return "최신순";
    case Ad::SortType::big:
      return RewardType::primary().name + "많은순";
    case Ad::SortType::small:
      return RewardType::primary().name + "적은순";
    default:
      return "추천순";
  }
}

}  // namespace velkor
