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

// Higher priority first, then completed ads last; ties keep the order of the ids.
std::vector<std::size_t> orderOf(const std::vector<Ad>& ads, const std::map<std::int64_t, std::size_t>& index) {
  std::vector<std::size_t> order;
  order.reserve(index.size());
  for (const auto& entry : index) order.push_back(entry.second);
  std::stable_sort(order.begin(), order.end(),
                   [&ads](std::size_t a, std::size_t b) { return ads[a].priority > ads[b].priority; });
  std::stable_partition(order.begin(), order.end(), [&ads](std::size_t i) { return !ads[i].isCompleted(); });
  return order;
}

// The ads `order` names, moved out of `ads` in that order.
std::vector<Ad> movedInOrder(std::vector<Ad>& ads, const std::vector<std::size_t>& order) {
  std::vector<Ad> ordered;
  ordered.reserve(order.size());
  for (std::size_t index : order) ordered.push_back(std::move(ads[index]));
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
  cachedAdIndex_.clear();
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
  for (const auto& [id, index] : cachedAdIndex_) ads.emplace(id, cachedAds_[index]);
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
  std::map<std::int64_t, std::size_t> index;
  for (std::size_t i = 0; i < ads.size(); ++i) {
    if (ads[i].isVisible()) index.insert_or_assign(ads[i].id, i);
  }
  AdArray replaced;  // let go of after the lock, should this be its last holder
  std::lock_guard lock(mutex_);
  for (const auto& [id, position] : index) {
    // The jitter drawn when the ad was first cached stays, so equal priorities keep their order.
    if (auto cached = cachedAdIndex_.find(id); cached != cachedAdIndex_.end()) {
      ads[position].priority = cachedAds_[cached->second].priority;
    }
  }
  std::vector<Ad> ordered = movedInOrder(ads, orderOf(ads, index));
  for (std::size_t i = 0; i < ordered.size(); ++i) index[ordered[i].id] = i;
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
