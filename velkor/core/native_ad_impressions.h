// The native ads the SDK handed to the host app (and those an offerwall web page reports), one record
// per ad and inventory, until they are posted as impressions when the app goes to the background.
// Loads record from the core's queues while the main thread sends: recording (check and insert) and
// taking the table for a send are each one step under the lock, so no record is lost between them.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace velkor {

class NativeAdImpressions {
 public:
  // The core's table.
  static const std::shared_ptr<NativeAdImpressions>& shared();

  NativeAdImpressions() = default;
  NativeAdImpressions(const NativeAdImpressions&) = delete;
  NativeAdImpressions& operator=(const NativeAdImpressions&) = delete;

  // "inventory:<inventory>;id:<id>"; without an inventory "inventory;id:<id>", which no present
  // inventory can give.
  static std::string key(const std::optional<std::string>& inventory, std::int64_t adId);

  // Adds {"id": "<id>"} (with "inventory" when given) unless the pair is already recorded; the first
  // record of a pair stays.
  void recordVisibleItem(const std::optional<std::string>& inventory, std::int64_t adId);

  // Every record, in key order, leaving the table empty.
  std::vector<nlohmann::json> takeVisibleItems();

  // Takes the records and posts them to the impression endpoint; no request when there are none. The
  // answer is not awaited: sent or not, the records are gone.
  void sendImpressions();

 private:
  std::mutex mutex_;
  std::map<std::string, nlohmann::json> visibleItems_;
};

}  // namespace velkor
