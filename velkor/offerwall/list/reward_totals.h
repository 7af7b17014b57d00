// What a list page still offers and the texts it shows about it: the sum of rewards under the page's
// tag or over its whole tab, the total line of the header and the titles of the sort orders. All
// texts read the first reward type; while the server has sent none, its name and unit are empty.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "velkor/model/ad.h"

namespace velkor {

// Each open ad's reward; completed ads, and ads past their time cap or ended, count nothing. No
// list gives 0. The sum is exact; only a total beyond 64 bits stops at the nearer limit.
std::int64_t accumulableRewards(const std::optional<std::vector<Ad>>& ads);

// "Point 12,345P"; "12,345P" when only the unit is asked for or the type's unit is its name.
std::string totalRewardString(std::int64_t total, bool unitOnly);

// The header's total line: the amount with the reward type's name and unit, or, when the publisher
// set a template, that template with its reward marks filled, as plain text.
std::string totalRewardText(std::int64_t total, const std::optional<std::string>& rewardTemplate);

// "추천순", "최신순", the reward type's name followed by "많은순" or "적은순"; recommend's title for a
// value that names no order.
std::string sortOrderTitle(Ad::SortType order);

}  // namespace velkor
