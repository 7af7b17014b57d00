// The total valid reward: what the user can still earn on the offerwall, summed over the ads of the
// last ad-list answer that the user sees and has not completed, and that are neither capped nor
// ended. Stored in the user defaults under "total_valid_reward" with each stored answer.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "velkor/model/ad.h"

namespace velkor {

// Whether the ad's reward counts toward the total.
bool countsTowardTotalReward(const Ad& ad);

// The sum over the answer as received (an id that comes twice counts twice). None when the sum is
// negative or does not fit in 64 bits: such a total is not stored.
std::optional<std::int64_t> totalValidReward(const std::vector<Ad>& ads);

// Stores the total of the answer; keeps the stored one when there is none to store.
void storeTotalValidReward(const std::vector<Ad>& ads);

// The stored total, -1 when none is stored.
std::int64_t storedTotalValidReward();

}  // namespace velkor
