#include "velkor/model/ad.h"

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"
#include "velkor/model/priority.h"
#include "velkor/model/server_date.h"

namespace velkor {

Ad Ad::decode(base::KeyedDecodingContainer& c) {
  // Each member is initialised in declaration order, which is the key read order.
  return Ad{
      .id = c.decode<std::int64_t>("id"),
      .campaignId = c.decode<std::int64_t>("campaignId"),
      .title = c.decode<std::string>("title"),
      .subtitle = c.decode<std::string>("subtitle"),
      .reward = c.decode<std::int64_t>("reward"),
      .thumbImage = c.decode<std::string>("thumbImage"),
      .thumbOriginImage = c.decode<std::string>("thumbOriginImage"),
      .iconImage = c.decodeIfPresent<std::string>("iconImage"),
      .priority = jitteredPriority(c.decodeIfPresent<float>("priority")),
      .showStatus = c.decode<std::int64_t>("showStatus"),
      // Present means an integer: a null "completed" fails the ad rather than reading as absent.
      .completed = c.contains("completed") ? std::optional(c.decode<std::int64_t>("completed")) : std::nullopt,
      .adTypeCode = c.decode<std::string>("adTypeCode"),
      .deeplink = c.decode<std::string>("deeplink"),
      .newBadge = c.decode<std::int64_t>("newBadge"),
      .rewardTypeId = c.decode<std::int64_t>("rewardTypeId"),
      .titleBar = c.decodeIfPresent<std::string>("titleBar"),
      .advertiserAppName = c.decodeIfPresent<std::string>("advertiserAppName"),
      .viewItemsInfo = c.decodeIfPresent<ViewItemsInfo>("viewItems"),
      .filter = c.decodeIfPresent<FiltersInfo>("filters"),
      .nextParticipateStr = c.decodeIfPresent<std::string>("nextParticipateTime"),
      .delayCompleteAtStr = c.decodeIfPresent<std::string>("delayCompleteTime"),
      .adStatusValue = c.decodeIfPresent<std::int64_t>("adStatus").value_or(-1),
      .adSettleTypeId = c.decodeIfPresent<std::int64_t>("adSettleTypeId").value_or(0),
      .rewardTypes = c.decodeIfPresent<std::vector<RewardType>>("rewardTypes"),
      .adActionTypeId = c.decodeIfPresent<std::int64_t>("adActionTypeId").value_or(0),
      .tabId = c.decodeIfPresent<std::int64_t>("tabId"),
      .tagIds = c.decode<std::vector<std::int64_t>>("tagIds"),
      .startAtStr = c.decodeIfPresent<std::string>("startAt"),
      .callToAction = c.decodeIfPresent<std::string>("callToAction"),
      .callToActionEnabled = c.decodeIfPresent<bool>("callToActionEnabled"),
      .disableAllList = c.decodeIfPresent<std::int64_t>("disableAllList").value_or(0),
      .rewardText = c.decodeIfPresent<std::string>("rewardText"),
      .viewUrl = c.decode<std::string>("viewUrl"),
      .landingType = c.decodeIfPresent<LandingType>("landingType").value_or(LandingType::external),
      .optOutOption = c.decodeIfPresent<OptOutOption>("optOutOption"),
  };
}

// The counterpart of decode: keys the decoder requires are written with null when absent (only a
// later assignment makes them so); merely optional ones are left out.
void Ad::encode(base::KeyedEncodingContainer& c) const {
  c.encode("id", id);
  c.encode("campaignId", campaignId);
  c.encode("title", title);
  c.encode("subtitle", subtitle);
  c.encode("reward", reward);
  c.encode("thumbImage", thumbImage);
  c.encode("thumbOriginImage", thumbOriginImage);
  c.encodeIfPresent("iconImage", iconImage);
  c.encode("showStatus", showStatus);
  c.encode("priority", priority);
  c.encode("completed", completed);
  c.encode("adTypeCode", adTypeCode);
  c.encode("deeplink", deeplink);
  c.encode("rewardTypeId", rewardTypeId);
  c.encode("newBadge", newBadge);
  c.encodeIfPresent("titleBar", titleBar);
  c.encodeIfPresent("advertiserAppName", advertiserAppName);
  c.encodeIfPresent("viewItems", viewItemsInfo);
  c.encodeIfPresent("filters", filter);
  c.encodeIfPresent("nextParticipateTime", nextParticipateStr);
  c.encodeIfPresent("delayCompleteTime", delayCompleteAtStr);
  c.encode("adStatus", adStatusValue);
  c.encode("adSettleTypeId", adSettleTypeId);
  c.encodeIfPresent("rewardTypes", rewardTypes);
  c.encode("adActionTypeId", adActionTypeId);
  c.encodeIfPresent("tabId", tabId);
  c.encode("tagIds", tagIds);
  c.encodeIfPresent("startAt", startAtStr);
  c.encodeIfPresent("callToAction", callToAction);
  c.encodeIfPresent("callToActionEnabled", callToActionEnabled);
  c.encode("disableAllList", disableAllList);
  c.encodeIfPresent("rewardText", rewardText);
  c.encode("viewUrl", viewUrl);
  c.encode("landingType", landingType);
  c.encodeIfPresent("optOutOption", optOutOption);
}

double Ad::startAt() const { return serverDateSeconds(startAtStr); }
void Ad::setStartAt(double seconds) { startAtStr = serverDateText(seconds); }
double Ad::nextParticipateAt() const { return serverDateSeconds(nextParticipateStr); }
void Ad::setNextParticipateAt(double seconds) { nextParticipateStr = serverDateText(seconds); }
double Ad::delayCompleteAt() const { return serverDateSeconds(delayCompleteAtStr); }
void Ad::setDelayCompleteAt(double seconds) { delayCompleteAtStr = serverDateText(seconds); }

AdStatus Ad::adStatus() const { return base::fromRawValue<AdStatus>(adStatusValue).value_or(AdStatus::none); }
void Ad::setAdStatus(AdStatus status) { adStatusValue = base::rawValue(status); }

std::optional<AdActionType> Ad::adActionType() const { return base::fromRawValue<AdActionType>(adActionTypeId); }

}  // namespace velkor
