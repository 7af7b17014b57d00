#include "velkor/core/placement_ad_loader.h"

#include <algorithm>
#include <vector>

#include "velkor/model/velkor_error.h"

namespace velkor {
namespace {

// One load's state, shared by its steps.
struct Load {
  std::shared_ptr<AdDataSource> repository;
  dispatch::Semaphore semaphore;
  std::shared_ptr<NativeAdImpressions> impressions;
  std::shared_ptr<InventoryGroups> groups;
  std::string placementSlug;
  std::size_t size = 0;
  std::optional<std::string> inventory;
  std::optional<std::string> inventoryGroup;
  bool autofill = false;
  OnNativeAds onSuccess;
  OnError onFail;

  // The ads handed out in the group before, then this load's picks.
  std::set<std::int64_t> groupIds;
  std::vector<Ad> picks;

  // Posts the answer, then lets the next load in.
  void answer(std::function<void()> posted) {
    dispatch::main()->async(std::move(posted));
    semaphore.signal();
  }

  // Every failure reads the same: the reason stays inside the SDK.
  void postFailure() const {
    dispatch::main()->async([onFail = onFail] {
      if (onFail) onFail(Error(VelkorError{}));
    });
  }

  void fail() {
    postFailure();
    semaphore.signal();
  }

  // Takes eligible ads in order, skipping any already in the group, until the picks number the size.
  void pick(const std::vector<Ad>& ads) {
    for (const Ad& ad : ads) {
      if (picks.size() >= size) return;
      if (!isEligibleNativeAd(ad) || groupIds.contains(ad.id)) continue;
      picks.push_back(ad);
      groupIds.insert(ad.id);
    }
  }

  void finish() {
    auto natives = handOut(picks, inventory, *impressions);
    if (inventoryGroup) groups->store(*inventoryGroup, groupIds);
    answer([onSuccess = onSuccess, natives = std::move(natives)] {
      if (onSuccess) onSuccess(natives);
    });
  }
};

std::vector<Ad> placementAds(std::vector<Placement>& placements, const std::string& slug) {
  auto placement = std::find_if(placements.begin(), placements.end(), [&](const Placement& p) { return p.slug == slug; });
  if (placement == placements.end()) return {};
  std::vector<Ad> ads = std::move(placement->ads);
  std::stable_sort(ads.begin(), ads.end(), [](const Ad& a, const Ad& b) { return a.priority > b.priority; });
  return ads;
}

void autofill(const std::shared_ptr<Load>& load) {
  load->repository->getAds(
      NativeAdLoader::kOrigin,
      [load](AdArray ads, std::vector<Tab>) {
        load->pick(ads);
        load->finish();
      },
      [load](Error) { load->fail(); });
}

void loadPlacement(const std::shared_ptr<Load>& load) {
  load->repository->getPlacements(
      [load](std::vector<Placement> placements) {
        // Sorting before the eligibility check keeps the same order: the sort is stable.
        load->pick(placementAds(placements, load->placementSlug));
        if (load->picks.size() != load->size && load->autofill) return autofill(load);
        load->finish();
      },
      [load](Error) { load->fail(); });
}

}  // namespace

const std::shared_ptr<InventoryGroups>& InventoryGroups::shared() {
  static const auto* groups = new std::shared_ptr<InventoryGroups>(std::make_shared<InventoryGroups>());
  return *groups;
}

std::set<std::int64_t> InventoryGroups::adIds(const std::string& group) const {
  std::lock_guard lock(mutex_);
  auto entry = groups_.find(group);
  return entry == groups_.end() ? std::set<std::int64_t>() : entry->second;
}

void InventoryGroups::store(const std::string& group, std::set<std::int64_t> adIds) {
  std::lock_guard lock(mutex_);
  groups_[group] = std::move(adIds);
}

void InventoryGroups::clear() {
  std::lock_guard lock(mutex_);
  groups_.clear();
}

void PlacementAdLoader::loadPlacementAds(std::string placementSlug, std::int64_t size,
                                         std::optional<RequestOptions> options, OnNativeAds onSuccess,
                                         OnError onFail) const {
  auto load = std::make_shared<Load>();
  load->repository = repository;
  load->semaphore = semaphore;
  load->impressions = impressions;
  load->groups = groups;
  load->placementSlug = std::move(placementSlug);
  load->size = static_cast<std::size_t>(std::max<std::int64_t>(size, 0));
  if (options) {
    load->inventory = options->inventory();
    load->inventoryGroup = options->inventoryGroup();
    load->autofill = options->autofill();
  }
  load->onSuccess = std::move(onSuccess);
  load->onFail = std::move(onFail);
  queue->async([load] {
    if (load->semaphore.wait(dispatch::Seconds(kWaitSeconds)) == dispatch::WaitResult::TimedOut) {
      // The wait took nothing, so this load gives nothing back.
      return load->postFailure();
    }
    if (load->inventoryGroup) load->groupIds = load->groups->adIds(*load->inventoryGroup);
    loadPlacement(load);
  });
}

}  // namespace velkor
