#include "velkor/model/tag.h"

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"

namespace velkor {

Tag Tag::decode(base::KeyedDecodingContainer& c) {
  Tag tag;
  tag.id = c.decode<std::int64_t>("id");
  tag.name = c.decode<std::string>("name");
  tag.slug = c.decode<std::string>("slug");
  return tag;
}

void Tag::encode(base::KeyedEncodingContainer& c) const {
  c.encode("id", id);
  c.encode("name", name);
  c.encode("slug", slug);
}

}  // namespace velkor
