// What the network tests share: the local ad servers behind every stage and a recorder of callbacks.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/dispatch/main_loop.h"
#include "platform/net/request.h"
#include "tests/velkor/core/scoped_core_state.h"
#include "tools/mock-server/mock_server_group.h"
#include "velkor/core/velkor_session.h"
#include "velkor/network/constants.h"
#include "velkor/network/error.h"
#include "velkor/network/logic_list_api_client.h"
#include "velkor/network/velkor_api_client.h"

namespace velkor::testing {

using namespace std::chrono_literals;

// Points every stage at the tables given and rebuilds both clients' routes, as a stage change does.
inline void useServerTables(const std::optional<StageTables>& tables) {
  ASSERT_TRUE(Constants::setServerTablesForTesting(tables).ok());
  VelkorApiClient::resetBaseUrl();
  LogicListApiClient::resetBaseUrl();
}

// A test's own user defaults, main loop and local ad servers behind every stage; all put back at the end.
class NetworkScope {
 public:
  NetworkScope() {
    EXPECT_TRUE(servers_.start()) << servers_.error();
    useServerTables(Constants::everyStage(servers_.serverTable()));
  }
  // The stage source is left alone: the facade installs its own once for the whole program, and a
  // scope that cleared it would cut every later stage change off from the routes.
  ~NetworkScope() {
    useServerTables(std::nullopt);
    net::setTimeoutOverride(std::nullopt);
    VelkorInternal::shared().setDebugEnabled(false);
    VelkorInternal::shared().setSession(std::make_shared<VelkorSession>());
  }
  NetworkScope(const NetworkScope&) = delete;
  NetworkScope& operator=(const NetworkScope&) = delete;
  mock::MockServerGroup& servers() { return servers_; }
  mock::RequestLog& log() { return servers_.log(); }
 private:
  ScopedCoreState core_;
  dispatch::main_loop::TestScope mainLoop_;
  mock::MockServerGroup servers_;
};

// Every value the callbacks of one call handed over, and on which thread.
template <class T>
class Captured {
 public:
  void add(T value) {
    std::lock_guard lock(mutex_);
    values_.push_back(std::move(value));
    onMain_.push_back(dispatch::main_loop::isMainThread());
  }
  std::size_t count() const { std::lock_guard lock(mutex_); return values_.size(); }
  std::vector<T> all() const { std::lock_guard lock(mutex_); return values_; }
  T first() const { std::lock_guard lock(mutex_); return values_.front(); }
  bool firstOnMain() const { std::lock_guard lock(mutex_); return onMain_.front(); }
  // Runs the main loop until that many values came, then a little longer so that one too many
  // would show.
  bool waitFor(std::size_t expected = 1, std::chrono::milliseconds atMost = 20s) const {
    const bool arrived = dispatch::main_loop::runUntil([&] { return count() >= expected; }, atMost);
    dispatch::main_loop::runUntil([] { return false; }, 100ms);
    return arrived && count() == expected;
  }
 private:
  mutable std::mutex mutex_;
  std::vector<T> values_;
  std::vector<bool> onMain_;
};

// One callback as it arrived.
struct Call {
  std::optional<Error> error;  // none for a success
  std::string body;            // the raw body of a data route, or a summary of the record
  bool onMainThread = false;
};

// Callbacks of any kind, as successes with a text or failures.
class Recorder : public Captured<Call> {
 public:
  void success(std::string body = {}) { add(Call{std::nullopt, std::move(body), dispatch::main_loop::isMainThread()}); }
  void failure(Error error) { add(Call{std::move(error), {}, dispatch::main_loop::isMainThread()}); }
  std::vector<Call> calls() const { return all(); }
};

}  // namespace velkor::testing
