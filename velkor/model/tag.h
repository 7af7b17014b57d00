// One filter tag of the offerwall. Ads name their tags by id; the slug "all" keeps every ad.
#pragma once

#include <cstdint>
#include <string>

namespace base {
class KeyedDecodingContainer;
class KeyedEncodingContainer;
}  // namespace base

namespace velkor {

struct Tag {
  std::int64_t id = 0;
  std::string name;
  std::string slug;

  static Tag decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;

  friend bool operator==(const Tag&, const Tag&) = default;
};

}  // namespace velkor
