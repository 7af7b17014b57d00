// The publisher's options for the offerwall. One instance lives in VelkorInternal; screens read it
// there each time they build.
#pragma once

#include <atomic>
#include <optional>

namespace velkor {

// The row style of the ad lists.
enum class ListType : long { feed = 0, feedWithCallToAction = 1, compactList = 2 };

// None for a raw value outside 0...2.
std::optional<ListType> listTypeFromRawValue(long rawValue);

class VelkorConfig {
 public:
  VelkorConfig() = default;

  // A host can store any raw value here (readers decide what an unknown one means).
  ListType listType() const { return listType_.load(std::memory_order_relaxed); }
  void setListType(ListType listType) { listType_.store(listType, std::memory_order_relaxed); }

 private:
  std::atomic<ListType> listType_{ListType::feed};
};

}  // namespace velkor
