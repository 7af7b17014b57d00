// The ad repository's memory cache: the visible ads of the last ad-list answer by id, its tabs, the
// placements, and the banner and popup lists (absent until fetched). Written on the main thread and
// read from the core's loading queues too, so every access takes the cache's lock; readers get
// copies, and the ads as a list they share with the cache.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "velkor/model/banner.h"
#include "velkor/model/popup.h"
#include "velkor/network/ad_data_source.h"

namespace velkor {

class MemoryCacheAdDataSource : public AdDataSource {
 public:
  struct AdsAndTabs {
    AdArray ads;
    std::vector<Tab> tabs;
  };

  // Answers at once on the calling thread and never fails: the cached ads in cache order (higher
  // priority first, completed ads last) with the cached tabs.
  void getAds(std::string from, OnAds onSuccess, OnError onError) override;
  void getPlacements(OnPlacements onSuccess, OnError onError) override;

  // Forgets the ads, banners and popups (the tabs and placements stay); each offerwall presentation
  // starts from the server this way.
  void clear();

  // True for the "all" tab, else when the ad names the tab's id.
  static bool matchesTab(const Ad& ad, const Tab& tab);

  // Copies of what is cached, for the screens that read the cache directly: the ads by id.
  std::map<std::int64_t, Ad> cachedAdList() const;
  std::vector<Tab> cachedTabList() const;
  std::vector<Placement> cachedPlacementList() const;
  std::optional<std::vector<Banner>> cachedBannerList() const;
  std::optional<std::vector<Popup>> cachedPopupList() const;

  // The ordered ads and the tabs in one step, or none while no ad is cached.
  std::optional<AdsAndTabs> cachedAds() const;
  // The placements, or none while none is cached.
  std::optional<std::vector<Placement>> cachedPlacements() const;

  // Replaces the ads and tabs with a server answer: an ad cached before keeps its earlier priority,
  // and only the ads the current user may see are kept, the later of two with one id winning.
  void storeAds(std::vector<Ad> ads, std::vector<Tab> tabs);
  // Replaces the placements; each ad keeps the priority it had in the cached placement of that slug.
  void storePlacements(std::vector<Placement> placements);
  void setCachedBannerList(std::vector<Banner> banners);
  void setCachedPopupList(std::vector<Popup> popups);

 private:
  // Ids with a position, sorted by id.
  using AdIndex = std::vector<std::pair<std::int64_t, std::size_t>>;

  mutable std::mutex mutex_;
  // The cached ads in cache order, put in order once per answer, and where each id sits in them.
  AdArray cachedAds_;
  AdIndex cachedAdIndex_;
  std::vector<Tab> cachedTabList_;
  std::vector<Placement> cachedPlacementList_;
  std::optional<std::vector<Banner>> cachedBannerList_;
  std::optional<std::vector<Popup>> cachedPopupList_;
};

}  // namespace velkor
