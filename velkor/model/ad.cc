#include "velkor/model/ad.h"

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"
#include "velkor/model/priority.h"
#include "velkor/model/server_date.h"

namespace velkor {

Ad Ad::decode(base::KeyedDecodingContainer& c) {
  Ad ad;
  ad.id = c.decode<std::int64_t>("id");
  ad.campaignId = c.decode<std::int64_t>("campaignId");
  ad.title = c.decode<std::string>("title");
  ad.subtitle = c.decode<std::string>("subtitle");
  ad.reward = c.decode<std::int64_t>("reward");
  ad.thumbImage = c.decode<std::string>("thumbImage");
  ad.thumbOriginImage = c.decode<std::string>("thumbOriginImage");
  ad.iconImage = c.decodeIfPresent<std::string>("iconImage");
  ad.priority = jitteredPriority(c.decodeIfPresent<float>("priority"));
  ad.showStatus = c.decode<std::int64_t>("showStatus");
  // Present means an integer: a null "completed" fails the ad rather than reading as absent.
  if (c.contains("completed")) ad.completed = c.decode<std::int64_t>("completed");
  ad.adTypeCode = c.decode<std::string>("adTypeCode");
  ad.deeplink = c.decode<std::string>("deeplink");
  ad.newBadge = c.decode<std::int64_t>("newBadge");
  ad.rewardTypeId = c.decode<std::int64_t>("rewardTypeId");
  ad.titleBar = c.decodeIfPresent<std::string>("titleBar");
  ad.advertiserAppName = c.decodeIfPresent<std::string>("advertiserAppName");
  ad.viewItemsInfo = c.decodeIfPresent<ViewItemsInfo>("viewItems");
  ad.filter = c.decodeIfPresent<FiltersInfo>("filters");
  ad.nextParticipateStr = c.decodeIfPresent<std::string>("nextParticipateTime");
  ad.delayCompleteAtStr = c.decodeIfPresent<std::string>("delayCompleteTime");
  ad.adStatusValue = c.decodeIfPresent<std::int64_t>("adStatus").value_or(-1);
  ad.adSettleTypeId = c.decodeIfPresent<std::int64_t>("adSettleTypeId").value_or(0);
  ad.rewardTypes = c.decodeIfPresent<std::vector<RewardType>>("rewardTypes");
  ad.adActionTypeId = c.decodeIfPresent<std::int64_t>("adActionTypeId").value_or(0);
  ad.tabId = c.decodeIfPresent<std::int64_t>("tabId");
  ad.tagIds = c.decode<std::vector<std::int64_t>>("tagIds");
  ad.startAtStr = c.decodeIfPresent<std::string>("startAt");
  ad.callToAction = c.decodeIfPresent<std::string>("callToAction");
  ad.callToActionEnabled = c.decodeIfPresent<bool>("callToActionEnabled");
  ad.disableAllList = c.decodeIfPresent<std::int64_t>("disableAllList").value_or(0);
  ad.rewardText = c.decodeIfPresent<std::string>("rewardText");
  ad.viewUrl = c.decode<std::string>("viewUrl");
  ad.landingType = c.decodeIfPresent<LandingType>("landingType").value_or(LandingType::external);
  ad.optOutOption = c.decodeIfPresent<OptOutOption>("optOutOption");
  return ad;
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
