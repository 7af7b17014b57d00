// One offer of the offerwall as the servers send it: what its row and detail page show, its reward,
// targeting and timing, and where it lands. Ad lists, the ad detail, placements, banners and popups
// carry it. Codes that must not break an ad (show status, ad status, action type) stay raw integers
// and are read through the enumerations of ad_enums.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/attributed_string.h"
#include "platform/base/out_of_line.h"
#include "velkor/model/ad_enums.h"
#include "velkor/model/filters_info.h"
#include "velkor/model/opt_out_option.h"
#include "velkor/model/reward_type.h"
#include "velkor/model/view_items_info.h"

namespace velkor {

struct Ad {
  // The list screen's sort orders.
  enum class SortType : std::int64_t { recommend = 0, recent = 1, big = 2, small = 3 };

  // Which reward text fills "{REWARD_STR_MARK}" in a template.
  enum class RewardStr { full, unitOnly };

  // Declared in the order decode() reads the keys (which decides the error reported when several
  // are bad), so that a decoded ad is built member by member where it will live.
  std::int64_t id = 0;
  std::int64_t campaignId = 0;
  std::string title;
  // Always present after decoding, as are adTypeCode and deeplink.
  std::optional<std::string> subtitle;
  std::int64_t reward = 0;
  std::string thumbImage;
  std::string thumbOriginImage;
  std::optional<std::string> iconImage;
  // The server's priority with a random jitter below 0.001 (priority.h); 0 when it sent none.
  float priority = 0;
  // A ShowStatus raw value, kept as sent: any other value hides the ad.
  std::int64_t showStatus = 0;
  std::optional<std::int64_t> completed;
  std::optional<std::string> adTypeCode;
  std::optional<std::string> deeplink;
  std::int64_t newBadge = 0;
  std::int64_t rewardTypeId = 0;
  std::optional<std::string> titleBar;
  std::optional<std::string> advertiserAppName;
  // Few ads carry these two blocks and the opt-out option: kept out of line, a list of thousands
  // of ads stays small.
  base::OutOfLine<ViewItemsInfo> viewItemsInfo;  // "viewItems"
  base::OutOfLine<FiltersInfo> filter;           // "filters"
  std::optional<std::string> nextParticipateStr;  // "nextParticipateTime"
  std::optional<std::string> delayCompleteAtStr;  // "delayCompleteTime"
  std::int64_t adStatusValue = -1;  // "adStatus", an AdStatus raw value kept as sent
  std::int64_t adSettleTypeId = 0;
  // Sent with the ad detail; the response handling makes it the process-wide list.
  std::optional<std::vector<RewardType>> rewardTypes;
  std::int64_t adActionTypeId = 0;  // an AdActionType raw value kept as sent
  std::optional<std::int64_t> tabId;
  std::vector<std::int64_t> tagIds;
  std::optional<std::string> startAtStr;  // "startAt"
  std::optional<std::string> callToAction;
  std::optional<bool> callToActionEnabled;
  std::int64_t disableAllList = 0;
  std::optional<std::string> rewardText;
  std::string viewUrl;
  LandingType landingType = LandingType::external;
  base::OutOfLine<OptOutOption> optOutOption;

  // Keys are read in a fixed order, which decides the error reported when several are bad.
  static Ad decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;

  // The date texts as seconds since 1970 (server_date.h): 0 when absent or unreadable. Setting one
  // writes its text in the current time zone.
  double startAt() const;
  void setStartAt(double seconds);
  double nextParticipateAt() const;
  void setNextParticipateAt(double seconds);
  double delayCompleteAt() const;
  void setDelayCompleteAt(double seconds);

  // `none` for a value that names no case.
  AdStatus adStatus() const;
  void setAdStatus(AdStatus status);
  // Absent for a value that names no case.
  std::optional<AdActionType> adActionType() const;
  // An absent flag reads false.
  bool isCallToActionEnabled() const { return callToActionEnabled.value_or(false); }

  // Reward texts, from the current RewardType::items() (reward_text.h says how they read). The
  // ad's type is the first one with its rewardTypeId, else the first of the list, else neutral.
  RewardType rewardType() const;
  RewardType rewardType(const RewardType::List& items) const;
  std::string rewardName() const { return rewardType().name; }
  std::string rewardUnit() const { return rewardType().unit; }
  std::string getRewardNameStr() const { return rewardName(); }
  std::string getRewardStr() const;
  std::string getRewardUnitStr() const;

  // A template with its reward marks filled and its "<mark>" spans coloured, reading one snapshot of
  // the reward types; returned as it is while the list is empty.
  base::AttributedString makeAttributedString(std::string_view text, RewardStr rewardStr = RewardStr::full) const;
  base::AttributedString makeAttributedUnitString(std::string_view text) const;
  // The same after dropping every "{REWARD_STR_MARK}" from a template that ends with one.
  base::AttributedString makeAttributedShortString(std::string_view text) const;

  // Display texts: each template field expanded; an absent field (or view-items block) gives an
  // empty text.
  base::AttributedString attributedTitle() const;
  base::AttributedString attributedSubtitle() const;
  base::AttributedString attributedSubtitleUnitOnly() const;
  base::AttributedString attributedSubtitleShort() const;
  base::AttributedString attributedCallToAction() const;
  base::AttributedString attributedDetailTitle() const;
  base::AttributedString attributedDetailSubtitle() const;
  base::AttributedString attributedDetailCondition() const;
  base::AttributedString attributedDetailCallToAction() const;
  base::AttributedString attributedDesc() const;
  base::AttributedString attributedRewardText() const;

  bool isNew() const { return newBadge == 1; }
  bool showOnAllTab() const { return disableAllList == 0; }
  std::int64_t getAccumulableReward() const { return isCompleted() ? 0 : reward; }

  // Visibility, read afresh from the core's tester flag, user and OS version on every call.
  bool isCompleted() const { return completed.value_or(0) > 0; }
  bool isVisible() const;
  // The targeting rules only ever exclude: the OS rule, then the gender rule, then the age rule.
  bool isFilteredOut() const;
  bool matchesTargetAges() const;

  friend bool operator==(const Ad&, const Ad&) = default;
};

}  // namespace velkor
