// The advertising identifier and the older limit-tracking flag, as a phone would report them. The
// host app (or a test) sets them; the SDK only reads.
#pragma once

#include <string>

namespace privacy {

class AdvertisingId {
 public:
  // All zeros until the host sets one, as a phone reports when tracking is off.
  static constexpr const char* kZero = "00000000-0000-0000-0000-000000000000";

  static std::string advertisingIdentifier();
  static void setAdvertisingIdentifier(std::string id);

  // The pre-authorisation flag "advertising tracking enabled"; false by default.
  static bool isAdvertisingTrackingEnabled();
  static void setAdvertisingTrackingEnabled(bool enabled);
};

}  // namespace privacy
