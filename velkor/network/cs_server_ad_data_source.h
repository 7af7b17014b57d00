// The ad repository's remote side: the ad list and the placements from the ad-list server. It is
// the one reader of the ad list's response headers, which steer how long the memory cache may answer
// (expireAt), until when the stored reward total may be shown, the gap between the server's clock and
// the device's, whether the stored tag catalogue is stale, and restricted mode: a single "all" tab
// and only ads that open the SDK's own detail page.
//
// Answers are handled on the main queue; the repository reads expireAt() and isRestrictedMode() from
// any thread, so both are atomics.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

#include "platform/net/response.h"
#include "velkor/model/ad_list.h"
#include "velkor/model/tag_list.h"
#include "velkor/network/ad_data_source.h"

namespace velkor {

class CSServerAdDataSource : public AdDataSource, public std::enable_shared_from_this<CSServerAdDataSource> {
 public:
  // The one tab restricted mode shows: "전체", slug "all", id 99.
  static constexpr std::int64_t kAllTabId = 99;
  static Tab allTab();

  // Use through a shared_ptr: answers keep the source alive until they are handled.
  CSServerAdDataSource() = default;

  // Seconds since 1970 after which the last ad list counts as stale; 0 until a response says.
  double expireAt() const { return expireAt_.load(); }
  bool isRestrictedMode() const { return isRestrictedMode_.load(); }

  // GET of the ad list; on success its headers are applied and the ads and tabs handed on (filtered
  // in restricted mode). A failure reaches onError unchanged.
  void getAds(std::string from, OnAds onSuccess, OnError onError) override;
  void getPlacements(OnPlacements onSuccess, OnError onError) override;

  // Applies the headers, then calls onSuccess once with the ads and tabs to show.
  void handleAdListResponse(const std::optional<net::Response>& response, AdList list, const OnAds& onSuccess);

  // Fetches and stores the tag catalogue when no stamp (or an empty one) is stored.
  void refreshTagListIfNeeded();
  // Stores a fetched catalogue and its stamp, or nothing when it cannot be written.
  static void storeTagList(const TagList& list);

  // The ads restricted mode keeps, in the server's order: no app installs, nothing in the "shop",
  // "shopping" or "point" tabs, nothing tagged 2, no settle type 1, 2 or 8, and only ads whose view
  // URL is the SDK's own detail link ("velkor://offerwall/ads/<digits>" at its end).
  static std::vector<Ad> restrictedAds(std::vector<Ad> ads, const std::vector<Tab>& tabs);

 private:
  void applyHeaders(const net::Response& response);
  void applyVerifiedAppVersion(const std::string& verified);
  static void fetchTagList();

  std::atomic<bool> isRestrictedMode_{false};
  std::atomic<double> expireAt_{0};
};

}  // namespace velkor
