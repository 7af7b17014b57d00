// A set of ads the ad-list server groups under a slug; the host app asks for a placement's ads by
// that slug. The placement route answers with every placement and, possibly, the reward types.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "velkor/model/ad.h"
#include "velkor/model/reward_type.h"

namespace velkor {

struct Placement {
  std::string name;
  std::string slug;
  // In the server's order.
  std::vector<Ad> ads;

  static Placement decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;
};

struct PlacementList {
  std::vector<Placement> placements;
  // When present (an empty list included), the response handling makes it the process-wide list.
  std::optional<std::vector<RewardType>> rewardTypes;

  static PlacementList decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;
};

}  // namespace velkor
