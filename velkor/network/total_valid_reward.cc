#include "velkor/network/total_valid_reward.h"

#include <limits>

#include "platform/base/defaults.h"
#include "platform/base/log.h"
#include "velkor/core/preference_manager.h"

namespace velkor {
namespace {

using Key = PreferenceManager::Key;

}  // namespace

bool countsTowardTotalReward(const Ad& ad) {
  const AdStatus status = ad.adStatus();
  return ad.isVisible() && !ad.isCompleted() && status != AdStatus::exceedTimeCap && status != AdStatus::end;
}

std::optional<std::int64_t> totalValidReward(const std::vector<Ad>& ads) {
  // Exact whatever the rewards: even a million ads of the largest reward cannot overflow 128 bits.
  __int128 sum = 0;
  for (const Ad& ad : ads) {
    if (countsTowardTotalReward(ad)) sum += ad.reward;
  }
  if (sum < 0) return std::nullopt;
  if (sum > std::numeric_limits<std::int64_t>::max()) {
    base::logError("the total valid reward is too large to keep; the stored total stays");
    return std::nullopt;
  }
  return static_cast<std::int64_t>(sum);
}

void storeTotalValidReward(const std::vector<Ad>& ads) {
  if (auto total = totalValidReward(ads)) {
    base::Defaults::standard()->setInteger(PreferenceManager::keyText(Key::totalValidReward), *total);
  }
}

std::int64_t storedTotalValidReward() { return PreferenceManager::shared().getInt(Key::totalValidReward, -1); }

}  // namespace velkor
