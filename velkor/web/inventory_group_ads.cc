#include "velkor/web/inventory_group_ads.h"

#include "velkor/web/ofw_ad_answers.h"

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

std::vector<Ad> InventoryGroupAds::choose(
    const std::string& group, const std::function<std::vector<Ad>(const std::vector<Ad>&)>& pick) {
  std::vector<Ad> chosen;
  queue_->sync([&] {
    auto& entry = groups_[group];
    chosen = pick(entry);
    entry.insert(entry.end(), chosen.begin(), chosen.end());
  });
  return chosen;
}

void InventoryGroupAds::forget(const std::string& group, const std::vector<Ad>& ads) {
  queue_->sync([&] {
    auto entry = groups_.find(group);
    if (entry != groups_.end()) entry->second = excludingUsedAds(entry->second, ads);
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
