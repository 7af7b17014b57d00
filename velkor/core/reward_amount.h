// An amount of reward in the display form of the first reward type, for the list's total-reward line.
#pragma once

#include <cstdint>
#include <string>

namespace velkor {

// "포인트 1,500P" for a type whose name and unit differ, "1,500캐시" for one whose unit is its name,
// grouped by the current locale; the plain grouped number while no reward type is known.
std::string formatRewardAmount(std::int64_t amount);

}  // namespace velkor
