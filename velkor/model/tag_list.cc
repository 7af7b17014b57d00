#include "velkor/model/tag_list.h"

#include "platform/base/defaults.h"
#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"

namespace velkor {

TagList TagList::decode(base::KeyedDecodingContainer& c) {
  TagList list;
  list.tags = c.decode<std::vector<Tag>>("tags");
  list.lastUpdatedAt = c.decode<std::string>("lastUpdatedAt");
  return list;
}

void TagList::encode(base::KeyedEncodingContainer& c) const {
  c.encode("tags", tags);
  c.encode("lastUpdatedAt", lastUpdatedAt);
}

bool TagList::store(base::Defaults& defaults) const {
  const base::Result<std::string> text = base::JsonEncoder().encode(tags);
  if (!text) return false;
  defaults.setString(kTagListKey, *text);
  defaults.setString(kLastUpdatedAtKey, lastUpdatedAt);
  return true;
}

std::vector<Tag> TagList::storedTags(const base::Defaults& defaults) {
  const auto text = defaults.string(kTagListKey);
  if (!text) return {};
  return base::JsonDecoder().decode<std::vector<Tag>>(*text).valueOr({});
}

}  // namespace velkor
