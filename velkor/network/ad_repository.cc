#include "velkor/network/ad_repository.h"

#include <mutex>
#include <optional>

#include "platform/base/date.h"
#include "platform/base/defaults.h"
#include "platform/dispatch/group.h"
#include "velkor/core/preference_manager.h"
#include "velkor/core/velkor.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/network/logic_list_api_client.h"
#include "velkor/network/total_valid_reward.h"

namespace velkor {
namespace {

using Key = PreferenceManager::Key;

// How the banner and the popup lists are cached and fetched: one rule for both.
template <class T, class List>
struct PromotionList {
  std::optional<std::vector<T>> (MemoryCacheAdDataSource::*cached)() const;
  void (MemoryCacheAdDataSource::*store)(std::vector<T>);
  void (*fetch)(std::function<void(Result<List>)>);
  std::vector<T> List::*items;
};

constexpr PromotionList<Banner, BannerList> kBanners{&MemoryCacheAdDataSource::cachedBannerList,
                                                     &MemoryCacheAdDataSource::setCachedBannerList,
                                                     &LogicListApiClient::getBannerList, &BannerList::banners};
constexpr PromotionList<Popup, PopupList> kPopups{&MemoryCacheAdDataSource::cachedPopupList,
                                                  &MemoryCacheAdDataSource::setCachedPopupList,
                                                  &LogicListApiClient::getPopupList, &PopupList::popups};

template <class T>
void complete(const std::function<void(Result<std::vector<T>>)>& completion, Result<std::vector<T>> result) {
  if (completion) completion(std::move(result));
}

template <class T, class List>
void getPromotionList(const PromotionList<T, List>& kind, const std::shared_ptr<MemoryCacheAdDataSource>& cache,
                      std::function<void(Result<std::vector<T>>)> completion) {
  if (auto cached = ((*cache).*kind.cached)()) return complete<T>(completion, std::move(*cached));
  if (!VelkorInternal::shared().config()->enablePopupBannerExtension()) {
    ((*cache).*kind.store)({});
    return complete<T>(completion, std::vector<T>{});
  }
  kind.fetch([kind, cache, completion = std::move(completion)](Result<List> result) {
    if (!result) return complete<T>(completion, result.error());
    std::vector<T> items = std::move((*result).*kind.items);
    ((*cache).*kind.store)(items);
    complete<T>(completion, std::move(items));
  });
}

// What the three requests of the combined load brought; written by their callbacks, read once all
// three are done.
struct CombinedLoad {
  std::mutex mutex;
  std::optional<std::pair<AdArray, std::vector<Tab>>> adsAndTabs;
  std::vector<Banner> banners;
  std::vector<Popup> popups;
  std::optional<Error> error;
};

// Keeps a delivered banner or popup list in the load (a failure keeps the empty one), then leaves.
template <class T>
std::function<void(Result<std::vector<T>>)> keepIn(std::shared_ptr<CombinedLoad> load,
                                                   std::vector<T> CombinedLoad::*list, dispatch::Group group) {
  return [load = std::move(load), list, group](Result<std::vector<T>> result) mutable {
    if (result) {
      std::lock_guard lock(load->mutex);
      (*load).*list = std::move(result).value();
    }
    group.leave();
  };
}

void report(CombinedLoad& load, const AdRepository::OnAdsWithBannersAndPopups& onSuccess, const OnError& onError) {
  std::unique_lock lock(load.mutex);
  if (load.adsAndTabs) {
    auto [ads, tabs] = std::move(*load.adsAndTabs);
    auto banners = std::move(load.banners);
    auto popups = std::move(load.popups);
    lock.unlock();
    if (onSuccess) onSuccess(std::move(ads), std::move(tabs), std::move(banners), std::move(popups));
  } else {
    // Neither ads nor an error cannot happen today; were a later change to bring it, the screen
    // waiting on this load still hears once instead of waiting for ever.
    Error error = load.error ? *load.error
                             : Error(net::Error::make(net::ErrorCode::Unknown, "the ad load brought no ads"));
    lock.unlock();
    if (onError) onError(std::move(error));
  }
}

double toolTipExpiredAt() {
  return base::Defaults::standard()->doubleValue(PreferenceManager::keyText(Key::toolTipExpiredAt));
}

}  // namespace

AdRepository::AdRepository(std::shared_ptr<MemoryCacheAdDataSource> localDataSource,
                           std::shared_ptr<CSServerAdDataSource> remoteDataSource)
    : localDataSource_(localDataSource ? std::move(localDataSource) : std::make_shared<MemoryCacheAdDataSource>()),
      remoteDataSource_(remoteDataSource ? std::move(remoteDataSource) : std::make_shared<CSServerAdDataSource>()) {}

bool AdRepository::cacheCanAnswer() const {
  return !cacheIsDirty() && remoteDataSource_->expireAt() >= base::Date::now().timeIntervalSince1970();
}

void AdRepository::getAds(std::string from, OnAds onSuccess, OnError onError) {
  if (cacheCanAnswer()) {
    // Taken in one step: a cache emptied meanwhile sends the request to the server instead.
    if (auto cached = localDataSource_->cachedAds()) {
      if (onSuccess) onSuccess(std::move(cached->ads), std::move(cached->tabs));
      return;
    }
  }
  fetchAds(std::move(from), std::move(onSuccess), std::move(onError));
}

void AdRepository::fetchAds(std::string from, OnAds onSuccess, OnError onError) {
  remoteDataSource_->getAds(
      from,
      [self = shared_from_this(), from, onSuccess, onError](AdArray ads, std::vector<Tab> tabs) {
        self->storeFetchedAds(std::move(ads), std::move(tabs), from, onSuccess, onError);
      },
      onError);
}

void AdRepository::storeFetchedAds(AdArray ads, std::vector<Tab> tabs, std::string from, OnAds onSuccess,
                                   OnError onError) {
  setCacheIsDirty(false);
  // The sum runs over the answer as received; the cache keeps one ad per id.
  storeTotalValidReward(ads);
  localDataSource_->storeAds(std::move(ads).take(), std::move(tabs));
  localDataSource_->getAds(std::move(from), std::move(onSuccess), std::move(onError));
}

void AdRepository::getPlacements(OnPlacements onSuccess, OnError onError) {
  if (!placementCacheIsDirty()) {
    if (auto cached = localDataSource_->cachedPlacements()) {
      if (onSuccess) onSuccess(std::move(*cached));
      return;
    }
  }
  remoteDataSource_->getPlacements(
      [self = shared_from_this(), onSuccess = std::move(onSuccess)](std::vector<Placement> placements) {
        self->storeFetchedPlacements(std::move(placements), onSuccess);
      },
      std::move(onError));
}

void AdRepository::storeFetchedPlacements(std::vector<Placement> placements, OnPlacements onSuccess) {
  setPlacementCacheIsDirty(false);
  localDataSource_->storePlacements(std::move(placements));
  localDataSource_->getPlacements(std::move(onSuccess), nullptr);
}

void AdRepository::getBanners(ListCompletion<Banner> completion) {
  getPromotionList(kBanners, localDataSource_, std::move(completion));
}

void AdRepository::getPopups(ListCompletion<Popup> completion) {
  getPromotionList(kPopups, localDataSource_, std::move(completion));
}

void AdRepository::getAdsWithBannersAndPopups(std::string from, OnAdsWithBannersAndPopups onSuccess,
                                              OnError onError) {
  auto load = std::make_shared<CombinedLoad>();
  dispatch::Group group;
  group.enter();
  getAds(
      std::move(from),
      [load, group](AdArray ads, std::vector<Tab> tabs) mutable {
        {
          std::lock_guard lock(load->mutex);
          load->adsAndTabs.emplace(std::move(ads), std::move(tabs));
        }
        group.leave();
      },
      [load, group](Error error) mutable {
        {
          std::lock_guard lock(load->mutex);
          load->error = std::move(error);
        }
        group.leave();
      });
  group.enter();
  getBanners(keepIn(load, &CombinedLoad::banners, group));
  group.enter();
  getPopups(keepIn(load, &CombinedLoad::popups, group));
  group.notify(dispatch::main(), [load, onSuccess = std::move(onSuccess), onError = std::move(onError)] {
    report(*load, onSuccess, onError);
  });
}

void AdRepository::getTotalValidReward(std::function<void(std::int64_t)> completion) {
  auto answer = [completion = std::move(completion)] {
    if (completion) completion(storedTotalValidReward());
  };
  if (storedTotalValidReward() >= 0 && toolTipExpiredAt() >= Velkor::shared().getServerTime()) return answer();
  base::Defaults::standard()->setInteger(PreferenceManager::keyText(Key::totalValidReward), -1);
  // Straight to the server: the memory cache knows nothing of the total.
  remoteDataSource_->getAds(
      "tooltip",
      [self = shared_from_this(), answer](AdArray ads, std::vector<Tab> tabs) {
        self->storeFetchedAds(
            std::move(ads), std::move(tabs), "tooltip", [answer](AdArray, std::vector<Tab>) { answer(); },
            [answer](Error) { answer(); });
      },
      [answer](Error) { answer(); });
}

}  // namespace velkor
