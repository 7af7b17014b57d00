#include "velkor/offerwall/rows/row_binding.h"

#include "velkor/offerwall/rows/row_style.h"

namespace velkor {

std::string shortSubtitleOrInvitation(const Ad& ad) {
  std::string subtitle = ad.makeAttributedShortString(ad.subtitle.value_or("")).string();
  return subtitle.empty() ? kEmptySubtitleText : subtitle;
}

std::string rewardTextWithoutName(const Ad& ad) {
  std::string text = plainText(ad, ad.rewardText);
  const std::string prefix = ad.rewardType().name + " ";
  if (text.starts_with(prefix)) text.erase(0, prefix.size());
  return text;
}

FullRewardForm fullRewardForm(const Ad& ad) {
  // Without a reward text the row shows at once what its first tick would: the name over the
  // amount with its unit, the name hidden when the first type's unit is its name.
  if (!ad.rewardText) {
    const RewardType primary = RewardType::primary();
    return {primary.unit != primary.name, ad.rewardType().name, ad.getRewardUnitStr()};
  }
  FullRewardForm form{false, ad.rewardType().name, plainText(ad, ad.rewardText)};
  if (!form.text.starts_with(form.name)) return form;
  form.nameShown = true;
  if (form.text.starts_with(form.name + " ")) form.text.erase(0, form.name.size() + 1);
  return form;
}

}  // namespace velkor
