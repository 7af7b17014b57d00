// The tap recogniser that ties a host's view to the native ad laid out in it: a tap opens the ad's
// detail in the offerwall.
#pragma once

#include <memory>

#include "platform/ui/tap_gesture_recognizer.h"

namespace velkor {

class NativeAd;

class NativeAdTapGesture : public ui::TapGestureRecognizer {
 public:
  // Carries no ad until the registration sets one.
  NativeAdTapGesture(const void* target, Action action) : ui::TapGestureRecognizer(target, std::move(action)) {}

  const std::shared_ptr<NativeAd>& nativeAd() const { return nativeAd_; }
  void setNativeAd(std::shared_ptr<NativeAd> ad) { nativeAd_ = std::move(ad); }

 private:
  std::shared_ptr<NativeAd> nativeAd_;
};

}  // namespace velkor
