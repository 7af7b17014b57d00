// The reward and display texts of an ad.
#include "velkor/components/attributed_string_extensions.h"
#include "velkor/model/ad.h"
#include "velkor/model/reward_text.h"

namespace velkor {
namespace {

constexpr std::string_view kRewardStrMark = "{REWARD_STR_MARK}";

base::AttributedString expanded(const Ad& ad, const std::optional<std::string>& text) {
  return text ? ad.makeAttributedString(*text) : base::AttributedString();
}

// One of the detail page's texts, when the ad has its view items and the item.
base::AttributedString expandedDetail(const Ad& ad, std::optional<std::string> ViewItemsInfo::*item) {
  return ad.viewItemsInfo ? expanded(ad, (*ad.viewItemsInfo).*item) : base::AttributedString();
}

}  // namespace

RewardType Ad::rewardType() const { return rewardType(*RewardType::items()); }

RewardType Ad::rewardType(const RewardType::List& items) const {
  for (const RewardType& type : items) {
    if (type.id == rewardTypeId) return type;
  }
  return RewardType::primary(items);
}

std::string Ad::getRewardStr() const { return rewardString(reward, rewardType()); }

std::string Ad::getRewardUnitStr() const { return rewardUnitString(reward, rewardType()); }

base::AttributedString Ad::makeAttributedString(std::string_view text, RewardStr rewardStr) const {
  base::AttributedString result(text);
  // One snapshot for the whole expansion, so a response landing meanwhile cannot mix two lists.
  const std::shared_ptr<const RewardType::List> items = RewardType::items();
  if (items->empty()) return result;
  expandRewardMarks(result, reward, rewardType(*items), rewardStr == RewardStr::unitOnly);
  return result;
}

base::AttributedString Ad::makeAttributedUnitString(std::string_view text) const {
  return makeAttributedString(text, RewardStr::unitOnly);
}

base::AttributedString Ad::makeAttributedShortString(std::string_view text) const {
  if (!text.ends_with(kRewardStrMark)) return makeAttributedString(text);
  base::AttributedString shortened(text);
  replacePlaceholder(shortened, kRewardStrMark, "", false);
  return makeAttributedString(shortened.string());
}

base::AttributedString Ad::attributedTitle() const { return makeAttributedString(title); }
base::AttributedString Ad::attributedSubtitle() const { return expanded(*this, subtitle); }
base::AttributedString Ad::attributedSubtitleUnitOnly() const {
  return subtitle ? makeAttributedUnitString(*subtitle) : base::AttributedString();
}
base::AttributedString Ad::attributedSubtitleShort() const {
  return subtitle ? makeAttributedShortString(*subtitle) : base::AttributedString();
}
base::AttributedString Ad::attributedCallToAction() const { return expanded(*this, callToAction); }
base::AttributedString Ad::attributedDetailTitle() const { return expandedDetail(*this, &ViewItemsInfo::title); }
base::AttributedString Ad::attributedDetailSubtitle() const {
  return expandedDetail(*this, &ViewItemsInfo::subtitle);
}
base::AttributedString Ad::attributedDetailCondition() const {
  return expandedDetail(*this, &ViewItemsInfo::eventNotice);
}
base::AttributedString Ad::attributedDetailCallToAction() const {
  return expandedDetail(*this, &ViewItemsInfo::callToAction);
}
base::AttributedString Ad::attributedDesc() const { return expandedDetail(*this, &ViewItemsInfo::noticeDetail); }
base::AttributedString Ad::attributedRewardText() const { return expanded(*this, rewardText); }

}  // namespace velkor
