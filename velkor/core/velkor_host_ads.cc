// The facade's members for a host app that lays out ads itself and acts on them without the SDK's
// screens.
#include <algorithm>

#include "velkor/core/host_ad_actions.h"
#include "velkor/core/velkor.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/network/ad_repository.h"

namespace velkor {
namespace {

// Native and placement loads by size hand out at most this many ads.
constexpr std::int64_t kMaxNativeAds = 5;

}  // namespace

void Velkor::loadAds(std::int64_t size, std::optional<RequestOptions> options, OnNativeAds onSuccess, OnError onFail) {
  internalShared_.loadAds(std::min(size, kMaxNativeAds), std::move(options), std::move(onSuccess), std::move(onFail));
}

void Velkor::loadAllAds(std::int64_t page, std::int64_t size, std::optional<RequestOptions> options,
                        OnNativeAdPage onSuccess, OnError onFail) {
  internalShared_.loadAllAds(page, size, std::move(options), std::move(onSuccess), std::move(onFail));
}

void Velkor::loadPlacementAds(std::string placementSlug, std::int64_t size, std::optional<RequestOptions> options,
                              OnNativeAds onSuccess, OnError onFail) {
  internalShared_.loadPlacementAds(std::move(placementSlug), std::min(size, kMaxNativeAds), std::move(options),
                                   std::move(onSuccess), std::move(onFail));
}

void Velkor::participate(std::int64_t adId, std::function<void(std::string)> onSuccess, OnError onError) {
  velkor::participate(adId, std::move(onSuccess), std::move(onError));
}

void Velkor::optout(std::int64_t adId) { velkor::optout(adId); }

void Velkor::getCurrentReward(std::function<void(std::int64_t)> completion) {
  internalShared_.repository()->getTotalValidReward(std::move(completion));
}

void Velkor::availableReward(
    std::function<void(std::optional<std::string>, std::optional<std::string>, std::int64_t)> completion) {
  getCurrentReward([completion = std::move(completion)](std::int64_t reward) {
    if (completion) completion(std::nullopt, std::nullopt, reward);
  });
}

}  // namespace velkor
