#include "velkor/model/reward_text.h"

#include "platform/base/number_formatter.h"
#include "velkor/components/attributed_string_extensions.h"

namespace velkor {

namespace {

// The reward texts from an amount already formatted, so one expansion formats it once.
std::string unitText(const std::string& number, const RewardType& type) { return number + type.unit; }

std::string fullText(const std::string& number, const RewardType& type) {
  if (type.unit == type.name) return number + type.name;
  return type.name + " " + unitText(number, type);
}

}  // namespace

std::string rewardNumberString(std::int64_t reward) { return base::NumberFormatter::decimalString(reward); }

std::string rewardString(std::int64_t reward, const RewardType& type) {
  return fullText(rewardNumberString(reward), type);
}

std::string rewardUnitString(std::int64_t reward, const RewardType& type) {
  return unitText(rewardNumberString(reward), type);
}

void expandRewardMarks(base::AttributedString& text, std::int64_t reward, const RewardType& type, bool unitOnlyMark) {
  // Every mark opens with a brace: a text without one is spared the formatting and the searches.
  if (text.utf16().find(u'{') != std::u16string::npos) {
    const std::string number = rewardNumberString(reward);
    const std::string unitOnly = unitText(number, type);
    const std::string full = fullText(number, type);
    replacePlaceholder(text, "{REWARD_STR_MARK}", unitOnlyMark ? unitOnly : full, false);
    replacePlaceholder(text, "{REWARD_STR_UNIT_ONLY}", unitOnly, false);
    replacePlaceholder(text, "{REWARD_STR_UNIT_ONLY_MARK}", unitOnly, false);
    replacePlaceholder(text, "{REWARD_STR}", full, false);
    replacePlaceholder(text, "{REWARD}", number, false);
    replacePlaceholder(text, "{UNIT}", type.name, false);
    replacePlaceholder(text, "{REWARD_NAME}", type.name, false);
    replacePlaceholder(text, "{REWARD_UNIT}", type.unit, false);
  }
  highlightMarkedText(text);
}

}  // namespace velkor
