#include "velkor/model/popup.h"

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"
#include "velkor/model/priority.h"

namespace velkor {

Popup Popup::decode(base::KeyedDecodingContainer& c) {
  Popup popup;
  popup.id = c.decode<std::int64_t>("id");
  popup.buttonText = c.decodeIfPresent<std::string>("buttonText");
  popup.campaignId = c.decodeIfPresent<std::int64_t>("campaignId");
  popup.landingUrl = c.decode<std::string>("landingUrl");
  popup.popupDisplayTypeId = c.decode<PopupDisplayType>("popupDisplayTypeId");
  popup.popupImage = c.decodeIfPresent<std::string>("popupImage");
  popup.popupImageAlt = c.decodeIfPresent<std::string>("popupImageAlt");
  popup.priority = jitteredPriority(c.decodeIfPresent<float>("priority"));
  popup.showStatus = c.decode<ShowStatus>("showStatus");
  return popup;
}

void Popup::encode(base::KeyedEncodingContainer& c) const {
  c.encode("id", id);
  c.encodeIfPresent("buttonText", buttonText);
  c.encodeIfPresent("campaignId", campaignId);
  c.encode("landingUrl", landingUrl);
  c.encode("popupDisplayTypeId", popupDisplayTypeId);
  c.encodeIfPresent("popupImage", popupImage);
  c.encodeIfPresent("popupImageAlt", popupImageAlt);
  c.encode("priority", priority);
  c.encode("showStatus", showStatus);
}

bool Popup::isVisible() const {
  if (!campaignId) return true;
  return relatedAd && relatedAd->isCallToActionEnabled();
}

PopupList PopupList::decode(base::KeyedDecodingContainer& c) {
  return PopupList{c.decode<std::vector<Popup>>("popups")};
}

void PopupList::encode(base::KeyedEncodingContainer& c) const {
  c.encode("popups", popups);
}

}  // namespace velkor
