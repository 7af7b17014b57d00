#include "velkor/model/ad_list.h"

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"

namespace velkor {

AdList AdList::decode(base::KeyedDecodingContainer& c) {
  AdList list;
  list.rewardTypes = c.decodeIfPresent<std::vector<RewardType>>("rewardTypes");
  list.ads = c.decode<std::vector<Ad>>("ads");
  list.tabs = c.decode<std::vector<Tab>>("tabs");
  list.tags = c.decode<std::vector<Tag>>("tags");
  return list;
}

void AdList::encode(base::KeyedEncodingContainer& c) const {
  c.encodeIfPresent("rewardTypes", rewardTypes);
  c.encode("ads", ads);
  c.encode("tabs", tabs);
  c.encode("tags", tags);
}

}  // namespace velkor
