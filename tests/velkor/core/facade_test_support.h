// The network tests' scope with the facade pointed at its servers, a clean logging framework, and the
// core's user, delegates, configuration and cache put back at the end.
#pragma once

#include <chrono>
#include <functional>

#include "lumberjack/sender.h"
#include "tests/velkor/network/network_test_support.h"
#include "velkor/core/velkor.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/network/ad_repository.h"

namespace velkor::testing {

class FacadeScope : public NetworkScope {
 public:
  FacadeScope() {
    lumberjack::Sender::shared().resetForTesting();
    auto& core = VelkorInternal::shared();
    core.repository()->localDataSource()->clear();
    core.repository()->setCacheIsDirty(false);
    core.repository()->setPlacementCacheIsDirty(true);
    // Rebuilds the routes and points tracking at this test's collector.
    Velkor::shared().setServer(Stage::production);
  }
  ~FacadeScope() {
    dispatch::main_loop::runUntil([] { return !lumberjack::Sender::shared().isUploading(); });
    // Tracking back on the built-in address before this test's collector goes away.
    EXPECT_TRUE(Constants::setServerTablesForTesting(std::nullopt).ok());
    Velkor::shared().setServer(Stage::production);
    lumberjack::Sender::shared().resetForTesting();
    auto& core = VelkorInternal::shared();
    core.setDelegate({});
    core.setLoginDelegate({});
    core.setLifeCycleDelegate({});
    core.setConfig(std::make_shared<VelkorConfig>());
    core.setUserInterfaceStyle(ui::UserInterfaceStyle::light);
    core.setGender(rawValue(Gender::unknown));
    core.setBirthYear(UserInfo::kUnknownBirthYear);
    core.repository()->localDataSource()->clear();
  }
};

// Runs the main loop until the condition holds (real time).
inline bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds atMost = 10s) {
  return dispatch::main_loop::runUntil(condition, atMost);
}

}  // namespace velkor::testing
