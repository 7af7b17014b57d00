#include "velkor/model/banner.h"

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"
#include "velkor/model/priority.h"

namespace velkor {

Banner Banner::decode(base::KeyedDecodingContainer& c) {
  Banner banner;
  banner.id = c.decode<std::int64_t>("id");
  banner.campaignId = c.decodeIfPresent<std::int64_t>("campaignId");
  banner.priority = jitteredPriority(c.decodeIfPresent<float>("priority"));
  banner.showStatus = c.decode<ShowStatus>("showStatus");
  banner.landingUrl = c.decode<std::string>("landingUrl");
  banner.bannerDisplayTypeId = c.decode<BannerDisplayType>("bannerDisplayTypeId");
  banner.bannerImage = c.decodeIfPresent<std::string>("bannerImage");
  banner.bannerImageAlt = c.decodeIfPresent<std::string>("bannerImageAlt");
  banner.backgroundColor = c.decode<std::string>("backgroundColor");
  return banner;
}

void Banner::encode(base::KeyedEncodingContainer& c) const {
  c.encode("id", id);
  c.encodeIfPresent("campaignId", campaignId);
  c.encode("priority", priority);
  c.encode("showStatus", showStatus);
  c.encode("landingUrl", landingUrl);
  c.encode("bannerDisplayTypeId", bannerDisplayTypeId);
  c.encodeIfPresent("bannerImage", bannerImage);
  c.encodeIfPresent("bannerImageAlt", bannerImageAlt);
  c.encode("backgroundColor", backgroundColor);
}

bool Banner::isVisible() const {
  if (!campaignId) return true;
  return relatedAd && relatedAd->isCallToActionEnabled();
}

bool operator==(const Banner& a, const Banner& b) {
  return a.id == b.id && a.campaignId == b.campaignId && a.priority == b.priority &&
         a.showStatus == b.showStatus && a.landingUrl == b.landingUrl &&
         a.bannerDisplayTypeId == b.bannerDisplayTypeId && a.bannerImage == b.bannerImage &&
         a.bannerImageAlt == b.bannerImageAlt && a.backgroundColor == b.backgroundColor;
}

BannerList BannerList::decode(base::KeyedDecodingContainer& c) {
  return BannerList{c.decode<std::vector<Banner>>("banners")};
}

void BannerList::encode(base::KeyedEncodingContainer& c) const {
  c.encode("banners", banners);
}

}  // namespace velkor
