#include "velkor/offerwall/list/reward_totals.h"

#include <algorithm>
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

// The exact sum held in 128 bits (no list is long enough to overflow them), stopped at the 64-bit
// limits only at the end, so that rewards which cancel out along the way still add up exactly.
std::int64_t clampedTo64Bits(__int128 total) {
  constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  return static_cast<std::int64_t>(std::clamp<__int128>(total, kMin, kMax));
}

}  // namespace

std::int64_t accumulableRewards(const std::optional<std::vector<Ad>>& ads) {
  __int128 total = 0;
  if (!ads) return 0;
  for (const Ad& ad : *ads) {
    if (countsTowardsTotal(ad)) total += ad.getAccumulableReward();
  }
  return clampedTo64Bits(total);
}

std::string totalRewardString(std::int64_t total, bool unitOnly) {
  const RewardType type = RewardType::primary();
  return unitOnly ? rewardUnitString(total, type) : rewardString(total, type);
}

std::string totalRewardText(std::int64_t total, const std::optional<std::string>& rewardTemplate) {
  if (!rewardTemplate) return formatRewardAmount(total);
  const RewardType type = RewardType::primary();
  base::AttributedString text(*rewardTemplate);
  expandRewardMarks(text, total, type);
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
