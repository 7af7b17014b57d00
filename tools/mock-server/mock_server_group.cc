#include "tools/mock-server/mock_server_group.h"

#include <cstdlib>
#include <iostream>

namespace mock {

MockServerGroup::MockServerGroup(MockServerOptions options) : log_(std::make_shared<RequestLog>()) {
  options.log = log_;
  for (std::string_view kind : kServerKinds) {
    servers_.emplace(std::string(kind), std::make_unique<MockServer>(std::string(kind), options));
  }
}

bool MockServerGroup::start() {
  for (auto& [kind, server] : servers_) {
    if (server->start()) continue;
    error_ = kind + ": " + server->error();
    stop();
    return false;
  }
  return true;
}

void MockServerGroup::stop() {
  for (auto& [kind, server] : servers_) server->stop();
}

MockServer& MockServerGroup::server(std::string_view kind) {
  auto found = servers_.find(kind);
  // The five kinds are the only keys; any other name is a test's typo and fails loudly.
  if (found == servers_.end()) {
    std::cerr << "MockServerGroup: no server of kind \"" << kind << "\"\n";
    std::abort();
  }
  return *found->second;
}

std::map<std::string, std::string> MockServerGroup::serverTable() const {
  std::map<std::string, std::string> table;
  for (const auto& [kind, server] : servers_) table[kind] = server->baseUrl();
  table[std::string(kContact)] += "/help_requests/new?headless=true";
  table[std::string(kLumberjack)] += "/topics/ofw_lumberjack";
  return table;
}

void MockServerGroup::clearFaults() {
  for (auto& [kind, server] : servers_) server->clearFaults();
}

}  // namespace mock
