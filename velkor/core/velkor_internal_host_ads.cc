// The core's native ads for a host app: loads on its queues, and the impressions of what they handed
// out.
#include "velkor/core/native_ad_loader.h"
#include "velkor/core/placement_ad_loader.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/network/ad_repository.h"

namespace velkor {
namespace {

NativeAdLoader nativeAdLoader(const VelkorInternal& core) {
  return {core.repository(), core.internalDispatchQueue(), core.internalSemaphore(), NativeAdImpressions::shared()};
}

}  // namespace

void VelkorInternal::loadAds(std::int64_t size, std::optional<RequestOptions> options, OnNativeAds onSuccess,
                             OnError onFail) {
  nativeAdLoader(*this).loadAds(size, std::move(options), std::move(onSuccess), std::move(onFail));
}

void VelkorInternal::loadAllAds(std::int64_t page, std::int64_t size, std::optional<RequestOptions> options,
                                OnNativeAdPage onSuccess, OnError onFail) {
  nativeAdLoader(*this).loadAllAds(page, size, std::move(options), std::move(onSuccess), std::move(onFail));
}

void VelkorInternal::loadPlacementAds(std::string placementSlug, std::int64_t size,
                                      std::optional<RequestOptions> options, OnNativeAds onSuccess, OnError onFail) {
  const PlacementAdLoader loader{repository(), inventoryDispatchQueue(), inventorySemaphore(),
                                 NativeAdImpressions::shared(), InventoryGroups::shared()};
  loader.loadPlacementAds(std::move(placementSlug), size, std::move(options), std::move(onSuccess), std::move(onFail));
}

void VelkorInternal::recordVisibleItem(const std::optional<std::string>& inventory, std::int64_t adId) {
  NativeAdImpressions::shared()->recordVisibleItem(inventory, adId);
}

void VelkorInternal::sendImpressions() { NativeAdImpressions::shared()->sendImpressions(); }

}  // namespace velkor
