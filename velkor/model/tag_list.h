// The whole tag catalogue with its version stamp, as the tag route answers it. The SDK keeps the
// catalogue's tags in the user defaults so that readers without a fresh response can still map tag
// ids: native-ad loading and the offerwall page bridge.
#pragma once

#include <string>
#include <vector>

#include "velkor/model/tag.h"

namespace base {
class Defaults;
}  // namespace base

namespace velkor {

struct TagList {
  // The user-defaults keys of the stored catalogue: its tags as JSON text, and its stamp.
  static constexpr const char* kTagListKey = "tag_list";
  static constexpr const char* kLastUpdatedAtKey = "tag_list_last_updated_at";

  std::vector<Tag> tags;
  // Opaque; only compared with the stamp a response header carries.
  std::string lastUpdatedAt;

  static TagList decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;

  // Writes the tags (as a JSON array with the records' own keys) and then the stamp. When the tags
  // cannot be written as JSON text, neither key is written and the answer is false.
  bool store(base::Defaults& defaults) const;
  // The stored catalogue's tags; empty when none are stored or the stored text does not decode.
  static std::vector<Tag> storedTags(const base::Defaults& defaults);

  friend bool operator==(const TagList&, const TagList&) = default;
};

}  // namespace velkor
