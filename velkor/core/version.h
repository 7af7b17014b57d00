// A dotted version text ("1.10.2") that compares numerically piece by piece: app versions that ads
// target, the OS version they require, versions in responses.
#pragma once

#include <optional>
#include <string>

namespace velkor {

class Version {
 public:
  explicit Version(std::string version) : version_(std::move(version)) {}

  const std::string& version() const { return version_; }

  // -1, 0 or 1 as this version is lower than, equal to or higher than `other`. No other version
  // counts as lower than any; an other with empty text counts as higher than any. Missing pieces
  // count as 0, so "1.2" equals "1.2.0".
  int compare(const std::optional<Version>& other) const;

 private:
  std::string version_;
};

}  // namespace velkor
