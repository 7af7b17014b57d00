#include "velkor/model/share_link.h"

#include "platform/base/json_decoder.h"

namespace velkor {

SharedLink SharedLink::decode(base::KeyedDecodingContainer& c) {
  const base::KeyedDecodingContainer link = c.nestedContainer("share_link");
  return SharedLink{link.decode<std::string>("short_url")};
}

}  // namespace velkor
