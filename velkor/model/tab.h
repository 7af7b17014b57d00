// One tab of the offerwall with the tags offered on it. Ads name their tab by id; the slug "all"
// stands for the whole offerwall.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "velkor/model/tag.h"

namespace velkor {

struct Tab {
  std::string name;
  std::string slug;
  std::int64_t id = 0;
  // The tab's deep link.
  std::string viewUrl;
  std::vector<Tag> tags;

  static Tab decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;

  friend bool operator==(const Tab&, const Tab&) = default;
};

}  // namespace velkor
