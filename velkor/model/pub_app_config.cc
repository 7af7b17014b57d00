#include "velkor/model/pub_app_config.h"

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"

namespace velkor {

PubAppConfig PubAppConfig::decode(base::KeyedDecodingContainer& c) {
  PubAppConfig config;
  config.name = c.decode<std::string>("name");
  config.value = c.decode<std::string>("value");
  config.type = c.decode<std::string>("type");
  return config;
}

void PubAppConfig::encode(base::KeyedEncodingContainer& c) const {
  c.encode("name", name);
  c.encode("value", value);
  c.encode("type", type);
}

PubAppConfigList PubAppConfigList::decode(base::KeyedDecodingContainer& c) {
  PubAppConfigList list;
  list.configs = c.decode<std::vector<PubAppConfig>>("configs");
  list.lastUpdatedAt = c.decode<std::string>("lastUpdatedAt");
  return list;
}

void PubAppConfigList::encode(base::KeyedEncodingContainer& c) const {
  c.encode("configs", configs);
  c.encode("lastUpdatedAt", lastUpdatedAt);
}

}  // namespace velkor
