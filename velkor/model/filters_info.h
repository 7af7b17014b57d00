// The targeting filter an ad may carry: the lowest OS version it is shown on, the genders it is not
// shown to, and the age ranges it is shown to. Ad::isFilteredOut() applies it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace base {
class KeyedDecodingContainer;
class KeyedEncodingContainer;
}  // namespace base

namespace velkor {

// One age range, both ends inclusive. A range whose `to` is below its `from` admits no age.
struct AgeFilter {
  std::int64_t from = 0;
  std::int64_t to = 0;

  bool admits(std::int64_t age) const { return from <= age && age <= to; }

  static AgeFilter decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;

  friend bool operator==(const AgeFilter&, const AgeFilter&) = default;
};

struct FiltersInfo {
  // Dotted ("15.4"); empty counts as absent.
  std::optional<std::string> targetMinOsVer;
  // Gender texts "other", "man", "woman"; empty counts as absent.
  std::optional<std::vector<std::string>> detargetGenders;
  std::optional<std::vector<AgeFilter>> targetAges;

  static FiltersInfo decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;

  friend bool operator==(const FiltersInfo&, const FiltersInfo&) = default;
};

}  // namespace velkor
