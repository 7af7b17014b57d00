// The promotional pages of the popup carousel over the offerwall. Like a banner, a popup stands alone
// or points at a campaign, and one that names a campaign is shown only while an ad of that campaign is
// loaded and open for action.
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

enum class PopupDisplayType : std::int64_t {
  IMAGE_ONLY = 1,   // the image alone
  AD_RESOURCE = 2,  // image, title, subtitle and a call-to-action button
};

struct Popup {
  std::int64_t id = 0;
  // The call-to-action button's title.
  std::optional<std::string> buttonText;
  std::optional<std::int64_t> campaignId;
  // May hold "{ad_id}", which the pager fills with the related ad's id.
  std::string landingUrl;
  PopupDisplayType popupDisplayTypeId = PopupDisplayType::IMAGE_ONLY;
  std::optional<std::string> popupImage;
  std::optional<std::string> popupImageAlt;
  // The server's priority with a random jitter below 0.001 (priority.h); 0 when it sent none.
  float priority = 0;
  ShowStatus showStatus = ShowStatus::normal;
  // The loaded ad of the popup's campaign, attached by the pager after each load; never coded.
  std::optional<Ad> relatedAd;

  static Popup decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;

  // A popup without a campaign always shows; one with a campaign shows only while its related ad is
  // there and has its call to action enabled (an ad without the flag counts as disabled).
  bool isVisible() const;
};

// The popup route's answer.
struct PopupList {
  std::vector<Popup> popups;

  static PopupList decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;
};

}  // namespace velkor

template <>
struct base::JsonEnum<velkor::PopupDisplayType> {
  static constexpr std::string_view name = "PopupDisplayType";
  static constexpr velkor::PopupDisplayType cases[] = {velkor::PopupDisplayType::IMAGE_ONLY,
                                                       velkor::PopupDisplayType::AD_RESOURCE};
};
