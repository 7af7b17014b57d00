// The one place the SDK gets ads, tabs, placements, banners and popups from. The memory cache answers
// while it holds ads, the cache is not marked dirty and the server's expiry has not passed; otherwise
// the server data source fetches and the answer refills the cache. Placements are cached until marked
// dirty; banners and popups until the cache is cleared. The dirty flags are raised when the app goes
// to the background.
//
// Callable from any thread: the flags are atomics and the cache guards itself. Answers from the cache
// come at once on the calling thread, answers from the server on the main queue.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "velkor/model/banner.h"
#include "velkor/model/popup.h"
#include "velkor/network/ad_data_source.h"
#include "velkor/network/cs_server_ad_data_source.h"
#include "velkor/network/memory_cache_ad_data_source.h"

namespace velkor {

class AdRepository : public AdDataSource, public std::enable_shared_from_this<AdRepository> {
 public:
  using OnAdsWithBannersAndPopups =
      std::function<void(AdArray ads, std::vector<Tab> tabs, std::vector<Banner> banners, std::vector<Popup> popups)>;
  template <class T>
  using ListCompletion = std::function<void(Result<std::vector<T>>)>;

  // Use through a shared_ptr (std::make_shared): answers keep the repository alive until handled.
  // A missing source is replaced by a new one.
  AdRepository(std::shared_ptr<MemoryCacheAdDataSource> localDataSource,
               std::shared_ptr<CSServerAdDataSource> remoteDataSource);
  virtual ~AdRepository() = default;

  const std::shared_ptr<MemoryCacheAdDataSource>& localDataSource() const { return localDataSource_; }
  const std::shared_ptr<CSServerAdDataSource>& remoteDataSource() const { return remoteDataSource_; }

  // True sends the next ad request to the server. False at start.
  virtual bool cacheIsDirty() const { return cacheIsDirty_.load(); }
  virtual void setCacheIsDirty(bool dirty) { cacheIsDirty_.store(dirty); }
  // True sends the next placement request to the server. True at start.
  virtual bool placementCacheIsDirty() const { return placementCacheIsDirty_.load(); }
  virtual void setPlacementCacheIsDirty(bool dirty) { placementCacheIsDirty_.store(dirty); }

  // The visible ads in cache order (higher priority first, completed last) and the tabs.
  void getAds(std::string from, OnAds onSuccess, OnError onError) override;
  void getPlacements(OnPlacements onSuccess, OnError onError) override;

  // The offerwall's load: ads, banners and popups together, reported once on the main queue. An ad
  // failure is the error; a banner or popup failure gives an empty list.
  void getAdsWithBannersAndPopups(std::string from, OnAdsWithBannersAndPopups onSuccess, OnError onError);
  // The cached list, else fetched (only while the configuration's enablePopupBannerExtension is on;
  // off, the list is empty) and cached. A failure leaves nothing cached.
  void getBanners(ListCompletion<Banner> completion);
  void getPopups(ListCompletion<Popup> completion);

  // The stored total while it is 0 or more and "tool_tip_expired_at" has not passed on the server's
  // clock; otherwise -1 is stored and the ads are fetched again, which stores a new total. The
  // completion gets the stored total then (-1 when none could be obtained), exactly once.
  void getTotalValidReward(std::function<void(std::int64_t)> completion);

  // The success step of every server ad fetch: refills the cache, stores the total and answers with
  // the cache's ads and tabs.
  void storeFetchedAds(AdArray ads, std::vector<Tab> tabs, std::string from, OnAds onSuccess, OnError onError);

 private:
  bool cacheCanAnswer() const;
  void fetchAds(std::string from, OnAds onSuccess, OnError onError);
  void storeFetchedPlacements(std::vector<Placement> placements, OnPlacements onSuccess);

  const std::shared_ptr<MemoryCacheAdDataSource> localDataSource_;
  const std::shared_ptr<CSServerAdDataSource> remoteDataSource_;
  std::atomic<bool> cacheIsDirty_{false};
  std::atomic<bool> placementCacheIsDirty_{true};
};

}  // namespace velkor
