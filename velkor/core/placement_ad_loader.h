// A placement's native ads for a host app: the eligible ads of the placement with that slug, less
// those already handed out in the same inventory group, highest priority first, cut to the size and,
// when asked, topped up from the general ad list. One load runs at a time (a 10-second wait for the
// previous one); every answer comes on the main queue, exactly once, and every failure is a plain
// VelkorError (code 0, no message).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "velkor/core/native_ad_loader.h"

namespace velkor {

// The ads handed out per inventory group since the app last went to the background, by id.
class InventoryGroups {
 public:
  // The core's table.
  static const std::shared_ptr<InventoryGroups>& shared();

  std::set<std::int64_t> adIds(const std::string& group) const;
  // Replaces the group's entry.
  void store(const std::string& group, std::set<std::int64_t> adIds);
  // Forgets every group (the app went to the background).
  void clear();

 private:
  mutable std::mutex mutex_;
  std::map<std::string, std::set<std::int64_t>> groups_;
};

struct PlacementAdLoader {
  static constexpr double kWaitSeconds = 10.0;

  std::shared_ptr<AdDataSource> repository;
  // Concurrent: loads queue on the semaphore, not on the queue.
  std::shared_ptr<dispatch::Queue> queue;
  dispatch::Semaphore semaphore;
  std::shared_ptr<NativeAdImpressions> impressions;
  std::shared_ptr<InventoryGroups> groups;

  // A slug no placement carries answers like a placement without ads. A negative size counts as 0.
  // The options' tags are not read.
  void loadPlacementAds(std::string placementSlug, std::int64_t size, std::optional<RequestOptions> options,
                        OnNativeAds onSuccess, OnError onFail) const;
};

}  // namespace velkor
