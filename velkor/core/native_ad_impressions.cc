#include "velkor/core/native_ad_impressions.h"

#include "velkor/network/velkor_api_client.h"

namespace velkor {

const std::shared_ptr<NativeAdImpressions>& NativeAdImpressions::shared() {
  static const auto* impressions = new std::shared_ptr<NativeAdImpressions>(std::make_shared<NativeAdImpressions>());
  return *impressions;
}

std::string NativeAdImpressions::key(const std::optional<std::string>& inventory, std::int64_t adId) {
  const std::string id = ";id:" + std::to_string(adId);
  return inventory ? "inventory:" + *inventory + id : "inventory" + id;
}

void NativeAdImpressions::recordVisibleItem(const std::optional<std::string>& inventory, std::int64_t adId) {
  nlohmann::json record{{"id", std::to_string(adId)}};
  if (inventory) record["inventory"] = *inventory;
  std::lock_guard lock(mutex_);
  visibleItems_.try_emplace(key(inventory, adId), std::move(record));
}

std::vector<nlohmann::json> NativeAdImpressions::takeVisibleItems() {
  std::map<std::string, nlohmann::json> taken;
  {
    std::lock_guard lock(mutex_);
    taken.swap(visibleItems_);
  }
  std::vector<nlohmann::json> records;
  records.reserve(taken.size());
  for (auto& [key, record] : taken) records.push_back(std::move(record));
  return records;
}

void NativeAdImpressions::sendImpressions() {
  auto records = takeVisibleItems();
  if (records.empty()) return;
  VelkorApiClient::impression(std::move(records), nullptr, nullptr);
}

}  // namespace velkor
