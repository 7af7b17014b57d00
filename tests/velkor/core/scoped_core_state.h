// Gives a test its own user defaults (in memory) and puts back, when it ends, the process-wide
// facts the core's tests change: app id, module, tester flag, uid, OS version, bundle, privacy.
#pragma once

#include <optional>
#include <string>

#include "platform/base/bundle.h"
#include "platform/base/defaults.h"
#include "platform/privacy/advertising_id.h"
#include "platform/privacy/tracking.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_parameters.h"

namespace velkor::testing {

class ScopedCoreState {
 public:
  ScopedCoreState() { base::Defaults::setStandard(base::Defaults::inMemory()); }
  ~ScopedCoreState() {
    // A fresh store rather than none, so that nothing after the test writes to the user's file.
    base::Defaults::setStandard(base::Defaults::inMemory());
    auto& core = VelkorInternal::shared();
    core.setAppId("");
    core.setPubAppModule(nullptr);
    core.setIsTester(false);
    UserProfile::setUid(std::nullopt);
    VelkorParameters::setOsVerForTesting(osVer_);
    VelkorParameters::setTrackingIdSource(nullptr);
    base::Bundle::main().setInfoDictionary(bundle_);
    privacy::Tracking::reset();
    privacy::AdvertisingId::setAdvertisingIdentifier(privacy::AdvertisingId::kZero);
    privacy::AdvertisingId::setAdvertisingTrackingEnabled(false);
  }
  ScopedCoreState(const ScopedCoreState&) = delete;
  ScopedCoreState& operator=(const ScopedCoreState&) = delete;
 private:
  std::string osVer_ = VelkorParameters::osVer();
  nlohmann::json bundle_ = base::Bundle::main().infoDictionary();
};

}  // namespace velkor::testing
