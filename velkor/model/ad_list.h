// The body of the ad-list response: the reward types in force, the ads, and the offerwall's tabs and
// tags. Decoding is all or nothing: one bad ad, tab or tag fails the whole list.
#pragma once

#include <optional>
#include <vector>

#include "velkor/model/ad.h"
#include "velkor/model/reward_type.h"
#include "velkor/model/tab.h"
#include "velkor/model/tag.h"

namespace velkor {

struct AdList {
  // Absent when the response carried none (the process-wide list then stays as it is); present and
  // empty when it carried an empty one.
  std::optional<std::vector<RewardType>> rewardTypes;
  std::vector<Ad> ads;
  std::vector<Tab> tabs;
  std::vector<Tag> tags;

  static AdList decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;

  friend bool operator==(const AdList&, const AdList&) = default;
};

}  // namespace velkor
