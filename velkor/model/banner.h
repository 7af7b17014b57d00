// The promotional tiles of a list page's header. A banner stands alone or points at a campaign; one
// that names a campaign is shown only while an ad of that campaign is loaded and open for action.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/json_enum.h"
#include "velkor/model/ad.h"
#include "velkor/model/ad_enums.h"

namespace velkor {

enum class BannerDisplayType : std::int64_t {
  IMAGE_ONLY = 1,   // the image alone
  AD_RESOURCE = 2,  // the image with title and subtitle
};

struct Banner {
  std::int64_t id = 0;
  std::optional<std::int64_t> campaignId;
  // The server's priority with a random jitter below 0.001 (priority.h); 0 when it sent none.
  float priority = 0;
  ShowStatus showStatus = ShowStatus::normal;
  // May hold "{ad_id}", which the list screen fills with the related ad's id.
  std::string landingUrl;
  BannerDisplayType bannerDisplayTypeId = BannerDisplayType::IMAGE_ONLY;
  std::optional<std::string> bannerImage;
  std::optional<std::string> bannerImageAlt;
  std::string backgroundColor;
  // The loaded ad of the banner's campaign, attached by the list screen after each load; never
  // coded.
  std::optional<Ad> relatedAd;

  static Banner decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;

  // A banner without a campaign always shows; one with a campaign shows only while its related ad
  // is there and has its call to action enabled (an ad without the flag counts as disabled).
  bool isVisible() const;

  // Every coded field; the related ad takes no part.
  friend bool operator==(const Banner& a, const Banner& b);
};

// The banner route's answer.
struct BannerList {
  std::vector<Banner> banners;

  static BannerList decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;
};

}  // namespace velkor

template <>
struct base::JsonEnum<velkor::BannerDisplayType> {
  static constexpr std::string_view name = "BannerDisplayType";
  static constexpr velkor::BannerDisplayType cases[] = {velkor::BannerDisplayType::IMAGE_ONLY,
                                                        velkor::BannerDisplayType::AD_RESOURCE};
};
