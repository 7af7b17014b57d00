// Native ads for a host app's own layouts: the current ad list's ads this user can take part in,
// narrowed by the host's tags, cut to a size or a page, stamped with the host's inventory and recorded
// for impressions. One load runs at a time: each waits at most 10 seconds for the previous one, on the
// loader's serial queue, and every answer comes on the main queue, exactly once.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/dispatch/queue.h"
#include "platform/dispatch/semaphore.h"
#include "velkor/core/native_ad.h"
#include "velkor/core/native_ad_impressions.h"
#include "velkor/core/request_options.h"
#include "velkor/model/page_info.h"
#include "velkor/network/ad_data_source.h"

namespace velkor {

using NativeAds = std::vector<std::shared_ptr<NativeAd>>;
using OnNativeAds = std::function<void(NativeAds)>;
using OnNativeAdPage = std::function<void(NativeAds, PageInfo)>;

// An ad a host may be handed: not completed, its call to action enabled (an ad without the flag is
// left out, as its detail screen shows it disabled), and visible to this user.
bool isEligibleNativeAd(const Ad& ad);

// The ids of the tags the slugs name: each slug takes the first tag that carries it in the stored
// catalogue, then in the tabs of the list; a slug no tag carries names nothing.
std::set<std::int64_t> tagIdsForSlugs(const std::vector<std::string>& slugs, const std::vector<Tab>& tabs);

// The ads as native ads stamped with the inventory, each recorded for impressions under it.
NativeAds handOut(const std::vector<Ad>& ads, const std::optional<std::string>& inventory,
                  NativeAdImpressions& impressions);

struct NativeAdLoader {
  // How long a load waits for the one before it.
  static constexpr double kWaitSeconds = 10.0;
  // The "from" of the ad-list request.
  static constexpr const char* kOrigin = "native_ad";

  std::shared_ptr<AdDataSource> repository;
  // Serial.
  std::shared_ptr<dispatch::Queue> queue;
  // Count 1: held by a load from its wait until its answer is posted.
  dispatch::Semaphore semaphore;
  std::shared_ptr<NativeAdImpressions> impressions;

  // At most `size` ads (a negative size counts as 0), in the list's order.
  void loadAds(std::int64_t size, std::optional<RequestOptions> options, OnNativeAds onSuccess,
               OnError onFail) const;
  // Page `page` (from 1) of pages of `size` ads (1 to 20), with the page and the number of pages.
  // Bad arguments and a page past the last fail with an OfwError; repository errors pass unchanged.
  void loadAllAds(std::int64_t page, std::int64_t size, std::optional<RequestOptions> options,
                  OnNativeAdPage onSuccess, OnError onFail) const;

 private:
  // What a load posts to the main queue.
  using Answer = std::function<void()>;
  // Turns the narrowed ads (or the error) into the answer; runs while the load holds the semaphore.
  using Finish = std::function<Answer(Result<std::vector<Ad>>)>;

  void run(std::optional<RequestOptions> options, std::optional<Error> argumentError, Finish finish) const;
};

}  // namespace velkor
