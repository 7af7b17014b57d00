#include "velkor/model/tab.h"

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"

namespace velkor {

Tab Tab::decode(base::KeyedDecodingContainer& c) {
  Tab tab;
  tab.name = c.decode<std::string>("name");
  tab.slug = c.decode<std::string>("slug");
  tab.id = c.decode<std::int64_t>("id");
  tab.viewUrl = c.decode<std::string>("viewUrl");
  tab.tags = c.decode<std::vector<Tag>>("tags");
  return tab;
}

void Tab::encode(base::KeyedEncodingContainer& c) const {
  c.encode("name", name);
  c.encode("slug", slug);
  c.encode("id", id);
  c.encode("viewUrl", viewUrl);
  c.encode("tags", tags);
}

}  // namespace velkor
