// The share-link answer, reduced to the short address the user shares. Its keys are fixed: it is
// decoded without key conversion.
#pragma once

#include <string>

namespace base {
class KeyedDecodingContainer;
}  // namespace base

namespace velkor {

struct SharedLink {
  // "share_link" -> "short_url"; the answer's "origin_url" is not read.
  std::string shortURL;

  static SharedLink decode(base::KeyedDecodingContainer& container);

  friend bool operator==(const SharedLink&, const SharedLink&) = default;
};

}  // namespace velkor
