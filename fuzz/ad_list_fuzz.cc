// Arbitrary bytes as an ad-list response. Nothing may crash, hang, leak or throw; a list that decodes
// must encode, and its ads' reward texts must expand whatever names, units and templates it holds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"
#include "velkor/model/ad_list.h"

namespace {

// Enough ads to reach every text path without letting one large input run for long.
constexpr std::size_t kAdsExpanded = 4;

void expandTexts(const velkor::AdList& list) {
  if (list.rewardTypes) velkor::RewardType::setItems(*list.rewardTypes);
  for (std::size_t i = 0; i < list.ads.size() && i < kAdsExpanded; ++i) {
    const velkor::Ad& ad = list.ads[i];
    (void)ad.attributedTitle();
    (void)ad.attributedSubtitleShort();
    (void)ad.makeAttributedUnitString(ad.callToAction.value_or(""));
    (void)ad.attributedDesc();
    (void)ad.startAt();
    (void)ad.isVisible();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view json(reinterpret_cast<const char*>(data), size);
  base::JsonDecoder decoder;
  decoder.keyDecodingStrategy = base::KeyDecodingStrategy::convertFromSnakeCase;
  const auto list = decoder.decode<velkor::AdList>(json);
  if (!list) return 0;
  if (!base::JsonEncoder().encodeToValue(*list)) std::abort();
  expandTexts(*list);
  return 0;
}
