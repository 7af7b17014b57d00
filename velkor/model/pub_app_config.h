// Named configuration values of the publisher's app with a version stamp, as a server may send them.
#pragma once

#include <string>
#include <vector>

namespace base {
class KeyedDecodingContainer;
class KeyedEncodingContainer;
}  // namespace base

namespace velkor {

struct PubAppConfig {
  std::string name;
  std::string value;
  std::string type;

  static PubAppConfig decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;

  friend bool operator==(const PubAppConfig&, const PubAppConfig&) = default;
};

struct PubAppConfigList {
  std::vector<PubAppConfig> configs;
  std::string lastUpdatedAt;

  static PubAppConfigList decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;

  friend bool operator==(const PubAppConfigList&, const PubAppConfigList&) = default;
};

}  // namespace velkor
