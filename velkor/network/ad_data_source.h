// What every source of ads offers: the ads with the offerwall's tabs, and the placements. The ad
// repository, its memory cache and the server data source answer both; each call ends in exactly one
// of its two callbacks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/base/shared_array.h"
#include "velkor/model/ad.h"
#include "velkor/model/placement.h"
#include "velkor/model/tab.h"
#include "velkor/network/velkor_api_client.h"

namespace velkor {

// The ads of an answer, shared by every reader: a list of a thousand ads is handed on, never copied.
using AdArray = base::SharedArray<Ad>;

class AdDataSource {
 public:
  using OnAds = std::function<void(AdArray ads, std::vector<Tab> tabs)>;
  using OnPlacements = std::function<void(std::vector<Placement> placements)>;

  virtual ~AdDataSource() = default;

  // `from` names the place that asks; it travels as the ad-list request's "from".
  virtual void getAds(std::string from, OnAds onSuccess, OnError onError) = 0;
  virtual void getPlacements(OnPlacements onSuccess, OnError onError) = 0;
};

}  // namespace velkor
