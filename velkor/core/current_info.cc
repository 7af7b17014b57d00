#include "velkor/core/current_info.h"

#include <cstdio>

#include "platform/privacy/advertising_id.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_parameters.h"

namespace velkor {
namespace {

std::string rule() {
  std::string line;
  for (int i = 0; i < 64; ++i) line += "\u2550";
  return line;
}

std::string genderName(int gender) {
  switch (genderFromRaw(gender).value_or(Gender::unknown)) {
    case Gender::male:
      return "male";
    case Gender::female:
      return "female";
    case Gender::unknown:
      break;
  }
  return gender == rawValue(Gender::unknown) ? "unknown" : std::to_string(gender);
}

}  // namespace

std::string currentInfoText() {
  const auto user = VelkorInternal::shared().userInfo().snapshot();
  const bool tracking = VelkorParameters::isTrackingEnabled();
  const std::string advertisingId =
      tracking ? privacy::AdvertisingId::advertisingIdentifier() : VelkorParameters::deviceId();
  return "Display current info\n" + rule() + "\n" +
         "user:\n"
         "  user_id: " + UserProfile::uid().value_or("nil") + "\n" +
         "  gender: " + genderName(user.gender) + "\n" +
         "  birth_year: " + std::to_string(user.birthYear) + " \n" +
         "device:\n"
         "  advertising_id: " + advertisingId + "\n" +
         "  is_lat: " + (tracking ? "0" : "1") + "\n" +
         "app:\n"
         "  package_name: " + VelkorParameters::packageName() + "\n" + rule();
}

void printCurrentInfo() {
  const std::string text = currentInfoText() + "\n";
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

}  // namespace velkor
