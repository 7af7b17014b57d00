#include "velkor/core/native_ad_loader.h"

#include <algorithm>
#include <iterator>
#include <set>

#include "velkor/core/ofw_error.h"
#include "velkor/core/preference_manager.h"

namespace velkor {
namespace {

constexpr std::int64_t kMaxPageSize = 20;

std::vector<Ad> eligibleAds(const std::vector<Ad>& ads) {
  std::vector<Ad> eligible;
  std::copy_if(ads.begin(), ads.end(), std::back_inserter(eligible), isEligibleNativeAd);
  return eligible;
}

// The ads carrying one of the wanted tags; all of them when no slug names a known tag.
std::vector<Ad> narrowedByTags(std::vector<Ad> ads, const std::vector<Tab>& tabs,
                               const std::optional<RequestOptions>& options) {
  if (!options || !options->tags()) return ads;
  const auto wanted = tagIdsForSlugs(*options->tags(), tabs);
  if (wanted.empty()) return ads;
  std::erase_if(ads, [&](const Ad& ad) {
    return std::none_of(ad.tagIds.begin(), ad.tagIds.end(), [&](std::int64_t id) { return wanted.contains(id); });
  });
  return ads;
}

std::optional<std::string> inventoryOf(const std::optional<RequestOptions>& options) {
  return options ? options->inventory() : std::nullopt;
}

std::function<void()> failure(OnError onFail, Error error) {
  return [onFail = std::move(onFail), error = std::move(error)] {
    if (onFail) onFail(error);
  };
}

std::optional<Error> pageArgumentError(std::int64_t page, std::int64_t size) {
  if (page < 1) return OfwError{OfwError::kBadPage}.toError();
  if (size < 1 || size > kMaxPageSize) return OfwError{OfwError::kBadLimit}.toError();
  return std::nullopt;
}

}  // namespace

std::set<std::int64_t> tagIdsForSlugs(const std::vector<std::string>& slugs, const std::vector<Tab>& tabs) {
  std::vector<Tag> catalogue = PreferenceManager::shared().getTagList();
  for (const Tab& tab : tabs) catalogue.insert(catalogue.end(), tab.tags.begin(), tab.tags.end());
  std::set<std::int64_t> ids;
  for (const std::string& slug : slugs) {
    auto tag = std::find_if(catalogue.begin(), catalogue.end(), [&](const Tag& t) { return t.slug == slug; });
    if (tag != catalogue.end()) ids.insert(tag->id);
  }
  return ids;
}

bool isEligibleNativeAd(const Ad& ad) {
  if (ad.completed.value_or(0) >= 1) return false;
  if (!ad.isCallToActionEnabled()) return false;
  return ad.isVisible();
}

NativeAds handOut(const std::vector<Ad>& ads, const std::optional<std::string>& inventory,
                  NativeAdImpressions& impressions) {
  NativeAds natives;
  natives.reserve(ads.size());
  for (const Ad& ad : ads) {
    auto native = makeNativeAd(ad);
    native->setInventory(inventory);
    impressions.recordVisibleItem(inventory, ad.id);
    natives.push_back(std::move(native));
  }
  return natives;
}

void NativeAdLoader::run(std::optional<RequestOptions> options, std::optional<Error> argumentError,
                         Finish finish) const {
  queue->async([repository = repository, semaphore = semaphore, options = std::move(options),
                argumentError = std::move(argumentError), finish = std::move(finish)]() mutable {
    if (semaphore.wait(dispatch::Seconds(kWaitSeconds)) == dispatch::WaitResult::TimedOut) {
      // The wait took nothing, so this load gives nothing back.
      dispatch::main()->async(finish(OfwError{OfwError::kTimeout}.toError()));
      return;
    }
    auto answer = [semaphore, finish](Result<std::vector<Ad>> result) mutable {
      Answer posted = finish(std::move(result));
      semaphore.signal();
      dispatch::main()->async(std::move(posted));
    };
    if (argumentError) return answer(std::move(*argumentError));
    repository->getAds(
        kOrigin,
        [answer, options = std::move(options)](AdArray ads, std::vector<Tab> tabs) mutable {
          answer(narrowedByTags(eligibleAds(ads), tabs, options));
        },
        [answer](Error error) mutable { answer(std::move(error)); });
  });
}

void NativeAdLoader::loadAds(std::int64_t size, std::optional<RequestOptions> options, OnNativeAds onSuccess,
                             OnError onFail) const {
  const auto count = static_cast<std::size_t>(std::max<std::int64_t>(size, 0));
  auto inventory = inventoryOf(options);
  run(std::move(options), std::nullopt,
      [count, inventory, impressions = impressions, onSuccess = std::move(onSuccess),
       onFail = std::move(onFail)](Result<std::vector<Ad>> result) -> Answer {
        if (!result) return failure(onFail, result.error());
        std::vector<Ad> ads = std::move(result).value();
        if (ads.size() > count) ads.resize(count);
        return [onSuccess, natives = handOut(ads, inventory, *impressions)] {
          if (onSuccess) onSuccess(natives);
        };
      });
}

void NativeAdLoader::loadAllAds(std::int64_t page, std::int64_t size, std::optional<RequestOptions> options,
                                OnNativeAdPage onSuccess, OnError onFail) const {
  auto inventory = inventoryOf(options);
  run(std::move(options), pageArgumentError(page, size),
      [page, size, inventory, impressions = impressions, onSuccess = std::move(onSuccess),
       onFail = std::move(onFail)](Result<std::vector<Ad>> result) -> Answer {
        if (!result) return failure(onFail, result.error());
        const std::vector<Ad> ads = std::move(result).value();
        const auto length = static_cast<std::int64_t>(ads.size());
        const std::int64_t totalPage = (length + size - 1) / size;
        if (page > totalPage) return failure(onFail, OfwError{OfwError::kPageOutOfRange}.toError());
        const std::vector<Ad> slice(ads.begin() + (page - 1) * size, ads.begin() + std::min(length, page * size));
        return [onSuccess, natives = handOut(slice, inventory, *impressions), info = PageInfo(page, totalPage)] {
          if (onSuccess) onSuccess(natives, info);
        };
      });
}

}  // namespace velkor
