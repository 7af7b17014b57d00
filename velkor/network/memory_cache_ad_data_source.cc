#include "velkor/network/memory_cache_ad_data_source.h"

#include <algorithm>

namespace velkor {
namespace {

// The priority an ad had in `cached`, when it is there.
std::optional<float> cachedPriority(const std::vector<Ad>& cached, std::int64_t id) {
  auto found = std::find_if(cached.begin(), cached.end(), [id](const Ad& ad) { return ad.id == id; });
  if (found == cached.end()) return std::nullopt;
  return found->priority;
}

using AdIndex = std::vector<std::pair<std::int64_t, std::size_t>>;

// The visible ads by id, each id at the position of its last ad.
AdIndex visibleIndex(const std::vector<Ad>& ads) {
  AdIndex index;
  index.reserve(ads.size());
  for (std::size_t i = 0; i < ads.size(); ++i) {
    if (ads[i].isVisible()) index.emplace_back(ads[i].id, i);
  }
  // By id, the later position first, so that unique keeps the later ad of an id.
  std::sort(index.begin(), index.end(),
            [](const auto& a, const auto& b) { return a.first < b.first || (a.first == b.first && a.second > b.second); });
  auto sameId = [](const auto& a, const auto& b) { return a.first == b.first; };
  index.erase(std::unique(index.begin(), index.end(), sameId), index.end());
  return index;
}

// The jitter drawn when an ad was first cached stays, so equal priorities keep their order. Both
// indexes are sorted by id, so one walk pairs them.
void keepCachedPriorities(std::vector<Ad>& ads, const AdIndex& index, const AdArray& cached,
                          const AdIndex& cachedIndex) {
  auto old = cachedIndex.begin();
  for (const auto& [id, position] : index) {
    while (old != cachedIndex.end() && old->first < id) ++old;
    if (old != cachedIndex.end() && old->first == id) ads[position].priority = cached[old->second].priority;
  }
}

// The indexed ads moved out of `ads` in cache order (higher priority first, then completed ads
// last; ties keep the order of the ids); the index then tells where each id sits in the result.
std::vector<Ad> inCacheOrder(std::vector<Ad>& ads, AdIndex& index) {
  auto ad = [&](std::size_t entry) -> const Ad& { return ads[index[entry].second]; };
  std::vector<std::size_t> order(index.size());
  for (std::size_t entry = 0; entry < order.size(); ++entry) order[entry] = entry;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return ad(a).priority > ad(b).priority; });
  std::stable_partition(order.begin(), order.end(), [&](std::size_t entry) { return !ad(entry).isCompleted(); });
  std::vector<Ad> ordered;
  ordered.reserve(order.size());
  for (std::size_t entry : order) {
    ordered.push_back(std::move(ads[index[entry].second]));
    index[entry].second = ordered.size() - 1;
  }
  return ordered;
}

const Placement* placementWithSlug(const std::vector<Placement>& placements, const std::string& slug) {
  auto found = std::find_if(placements.begin(), placements.end(),
                            [&slug](const Placement& placement) { return placement.slug == slug; });
  return found == placements.end() ? nullptr : &*found;
}

}  // namespace

void MemoryCacheAdDataSource::getAds(std::string, OnAds onSuccess, OnError) {
  AdsAndTabs answer = cachedAds().value_or(AdsAndTabs{{}, cachedTabList()});
  if (onSuccess) onSuccess(std::move(answer.ads), std::move(answer.tabs));
}

void MemoryCacheAdDataSource::getPlacements(OnPlacements onSuccess, OnError) {
  auto placements = cachedPlacementList();
  if (onSuccess) onSuccess(std::move(placements));
}

void MemoryCacheAdDataSource::clear() {
  AdArray forgotten;  // let go of after the lock, should this be its last holder
  std::lock_guard lock(mutex_);
  std::swap(forgotten, cachedAds_);
  cachedAdIndex_ = {};
  cachedBannerList_.reset();
  cachedPopupList_.reset();
}

bool MemoryCacheAdDataSource::matchesTab(const Ad& ad, const Tab& tab) {
  if (tab.slug == "all") return true;
  return ad.tabId && *ad.tabId == tab.id;
}

std::map<std::int64_t, Ad> MemoryCacheAdDataSource::cachedAdList() const {
  std::lock_guard lock(mutex_);
  std::map<std::int64_t, Ad> ads;
  for (const auto& [id, position] : cachedAdIndex_) ads.emplace_hint(ads.end(), id, cachedAds_[position]);
  return ads;
}

std::vector<Tab> MemoryCacheAdDataSource::cachedTabList() const {
  std::lock_guard lock(mutex_);
  return cachedTabList_;
}

std::vector<Placement> MemoryCacheAdDataSource::cachedPlacementList() const {
  std::lock_guard lock(mutex_);
  return cachedPlacementList_;
}

std::optional<std::vector<Banner>> MemoryCacheAdDataSource::cachedBannerList() const {
  std::lock_guard lock(mutex_);
  return cachedBannerList_;
}

std::optional<std::vector<Popup>> MemoryCacheAdDataSource::cachedPopupList() const {
  std::lock_guard lock(mutex_);
  return cachedPopupList_;
}

std::optional<MemoryCacheAdDataSource::AdsAndTabs> MemoryCacheAdDataSource::cachedAds() const {
  std::lock_guard lock(mutex_);
  if (cachedAds_.empty()) return std::nullopt;
  return AdsAndTabs{cachedAds_, cachedTabList_};
}

std::optional<std::vector<Placement>> MemoryCacheAdDataSource::cachedPlacements() const {
  std::lock_guard lock(mutex_);
  if (cachedPlacementList_.empty()) return std::nullopt;
  return cachedPlacementList_;
}

void MemoryCacheAdDataSource::storeAds(std::vector<Ad> ads, std::vector<Tab> tabs) {
  AdIndex index = visibleIndex(ads);
  AdArray replaced;  // let go of after the lock, should this be its last holder
  std::lock_guard lock(mutex_);
  keepCachedPriorities(ads, index, cachedAds_, cachedAdIndex_);
  std::vector<Ad> ordered = inCacheOrder(ads, index);
  cachedTabList_ = std::move(tabs);
  replaced = std::exchange(cachedAds_, AdArray(std::move(ordered)));
  cachedAdIndex_ = std::move(index);
}

void MemoryCacheAdDataSource::storePlacements(std::vector<Placement> placements) {
  std::lock_guard lock(mutex_);
  for (Placement& placement : placements) {
    const Placement* cached = placementWithSlug(cachedPlacementList_, placement.slug);
    if (!cached) continue;
    for (Ad& ad : placement.ads) {
      if (auto priority = cachedPriority(cached->ads, ad.id)) ad.priority = *priority;
    }
  }
  cachedPlacementList_ = std::move(placements);
}

void MemoryCacheAdDataSource::setCachedBannerList(std::vector<Banner> banners) {
  std::lock_guard lock(mutex_);
  cachedBannerList_ = std::move(banners);
}

void MemoryCacheAdDataSource::setCachedPopupList(std::vector<Popup> popups) {
  std::lock_guard lock(mutex_);
  cachedPopupList_ = std::move(popups);
}

}  // namespace velkor
