#include "velkor/model/placement.h"

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"

namespace velkor {

Placement Placement::decode(base::KeyedDecodingContainer& c) {
  Placement placement;
  placement.name = c.decode<std::string>("name");
  placement.slug = c.decode<std::string>("slug");
  placement.ads = c.decode<std::vector<Ad>>("ads");
  return placement;
}

void Placement::encode(base::KeyedEncodingContainer& c) const {
  c.encode("name", name);
  c.encode("slug", slug);
  c.encode("ads", ads);
}

PlacementList PlacementList::decode(base::KeyedDecodingContainer& c) {
  PlacementList list;
  list.placements = c.decode<std::vector<Placement>>("placements");
  list.rewardTypes = c.decodeIfPresent<std::vector<RewardType>>("rewardTypes");
  return list;
}

void PlacementList::encode(base::KeyedEncodingContainer& c) const {
  c.encode("placements", placements);
  c.encodeIfPresent("rewardTypes", rewardTypes);
}

}  // namespace velkor
