// Whether an ad is shown to this user on this device.
#include <algorithm>

#include "platform/base/date.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_parameters.h"
#include "velkor/core/version.h"
#include "velkor/model/ad.h"

namespace velkor {
namespace {

// The texts servers use in detargetGenders; a gender outside them has none and matches no text.
std::optional<std::string_view> genderText(int gender) {
  switch (gender) {
    case 0: return "other";
    case 1: return "man";
    case 2: return "woman";
    default: return std::nullopt;
  }
}

bool excludesOsVersion(const FiltersInfo& filter) {
  if (!filter.targetMinOsVer || filter.targetMinOsVer->empty()) return false;
  return Version(VelkorParameters::osVer()).compare(Version(*filter.targetMinOsVer)) < 0;
}

bool excludesGender(const FiltersInfo& filter, int gender) {
  const std::optional<std::string_view> text = genderText(gender);
  if (!text || !filter.detargetGenders) return false;
  return std::ranges::find(*filter.detargetGenders, *text) != filter.detargetGenders->end();
}

}  // namespace

bool Ad::isVisible() const {
  switch (showStatus) {
    case base::rawValue(ShowStatus::normal): return !isFilteredOut() || isCompleted();
    case base::rawValue(ShowStatus::completedOnly): return isCompleted();
    case base::rawValue(ShowStatus::testOnly):
      return VelkorInternal::shared().isTester() && (!isFilteredOut() || isCompleted());
    default: return false;
  }
}

// Each rule can only exclude: a rule that lets the ad through hands on to the next.
bool Ad::isFilteredOut() const {
  if (!filter) return false;
  if (excludesOsVersion(*filter)) return true;
  if (excludesGender(*filter, VelkorInternal::shared().userInfo().gender())) return true;
  return !matchesTargetAges();
}

bool Ad::matchesTargetAges() const {
  if (!filter || !filter->targetAges || filter->targetAges->empty()) return true;
  // The Gregorian year whatever calendar the device shows; 64 bits hold any int year difference.
  const std::int64_t age =
      std::int64_t{base::currentGregorianYear()} - VelkorInternal::shared().userInfo().birthYear();
  return std::ranges::any_of(*filter->targetAges, [age](const AgeFilter& range) { return range.admits(age); });
}

}  // namespace velkor
