// What the tests of the facade and the core singleton share: their own user defaults and main loop,
// local ad servers behind every stage with the facade pointed at them, a clean logging framework, and
// the core's user, delegates and configuration put back at the end.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "lumberjack/sender.h"
#include "platform/dispatch/main_loop.h"
#include "platform/net/request.h"
#include "tests/velkor/core/scoped_core_state.h"
#include "tools/mock-server/mock_server_group.h"
#include "velkor/core/velkor.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/network/ad_repository.h"
#include "velkor/network/constants.h"

namespace velkor::testing {

using namespace std::chrono_literals;

class FacadeScope {
 public:
  FacadeScope() {
    EXPECT_TRUE(servers_.start()) << servers_.error();
    EXPECT_TRUE(Constants::setServerTablesForTesting(Constants::everyStage(servers_.serverTable())).ok());
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
    EXPECT_TRUE(Constants::setServerTablesForTesting(std::nullopt).ok());
    Velkor::shared().setServer(Stage::production);
    lumberjack::Sender::shared().resetForTesting();
    auto& core = VelkorInternal::shared();
    core.setDelegate({});
    core.setLoginDelegate({});
    core.setLifeCycleDelegate({});
    core.setConfig(std::make_shared<VelkorConfig>());
    core.setDebugEnabled(false);
    core.setUserInterfaceStyle(ui::UserInterfaceStyle::light);
    core.setGender(rawValue(Gender::unknown));
    core.setBirthYear(UserInfo::kUnknownBirthYear);
    core.repository()->localDataSource()->clear();
    net::setTimeoutOverride(std::nullopt);
  }

  FacadeScope(const FacadeScope&) = delete;
  FacadeScope& operator=(const FacadeScope&) = delete;

  mock::MockServerGroup& servers() { return servers_; }
  mock::RequestLog& log() { return servers_.log(); }

 private:
  ScopedCoreState core_;
  dispatch::main_loop::TestScope mainLoop_;
  mock::MockServerGroup servers_;
};

// Runs the main loop until the condition holds (real time).
inline bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds atMost = 10s) {
  return dispatch::main_loop::runUntil(condition, atMost);
}

}  // namespace velkor::testing
