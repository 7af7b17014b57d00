#include "velkor/core/velkor_config.h"

namespace velkor {

std::optional<ListType> listTypeFromRawValue(long rawValue) {
  if (rawValue < 0 || rawValue > 2) return std::nullopt;
  return static_cast<ListType>(rawValue);
}

}  // namespace velkor
