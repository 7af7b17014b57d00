#include "velkor/web/inventory_group_ads.h"

#include <algorithm>

namespace velkor {

InventoryGroupAds& InventoryGroupAds::shared() {
  static auto* table = new InventoryGroupAds();
  return *table;
}

InventoryGroupAds::InventoryGroupAds() : queue_(dispatch::Queue::serial("co.velkor.offerwall.atomic")) {}

std::vector<Ad> InventoryGroupAds::ads(const std::string& group) const {
  std::vector<Ad> copy;
  queue_->sync([&] {
    auto entry = groups_.find(group);
    if (entry != groups_.end()) copy = entry->second;
  });
  return copy;
}

void InventoryGroupAds::extend(const std::string& group, const std::vector<Ad>& ads) {
  queue_->sync([&] {
    auto& entry = groups_[group];
    for (const Ad& ad : ads) {
      const bool known = std::any_of(entry.begin(), entry.end(), [&](const Ad& used) { return used.id == ad.id; });
      if (!known) entry.push_back(ad);
    }
  });
}

void InventoryGroupAds::clear() {
  queue_->sync([&] { groups_.clear(); });
}

bool InventoryGroupAds::empty() const {
  bool empty = true;
  queue_->sync([&] { empty = groups_.empty(); });
  return empty;
}

}  // namespace velkor
