// The local ad server: every route of the SDK's servers, answered from the fixtures on a loopback port,
// with faults a test chooses per route and a log of every request. A test starts one instance per server
// kind it needs (MockServerGroup starts all five); every instance answers every route, and the log
// records which kind received what.
#pragma once

#include <memory>
#include <string>

#include "tools/mock-server/fault.h"
#include "tools/mock-server/fixtures.h"
#include "tools/mock-server/request_log.h"
#include "tools/mock-server/routes.h"

namespace mock {

struct MockServerOptions {
  std::string fixturesDirectory = Fixtures::defaultDirectory();
  int port = 0;                     // 0: an ephemeral port
  std::shared_ptr<RequestLog> log;  // shared by the servers of one test; a new log when null
  // Connections served at once. Threads are made only as connections arrive; each stays with its
  // connection while the client keeps it alive, so a burst of clients needs as many.
  int threads = 512;
};

class MockServer {
 public:
  explicit MockServer(std::string kind = "all", MockServerOptions options = {});
  ~MockServer();
  MockServer(const MockServer&) = delete;
  MockServer& operator=(const MockServer&) = delete;

  // Reads the fixtures and listens on 127.0.0.1; false with error() set when either fails. Once only.
  bool start();
  // Stops listening and waits for the requests in progress (delays are cut short). Idempotent.
  void stop();
  bool isRunning() const;
  const std::string& error() const;

  const std::string& kind() const;
  int port() const;
  std::string baseUrl() const;  // "http://127.0.0.1:<port>", no trailing slash

  RequestLog& log() const;
  std::shared_ptr<RequestLog> sharedLog() const;
  // The fixtures being served; empty before a successful start().
  const Fixtures& fixtures() const;

  // Queues a fault for the route's next request (or, sticky, for every later one). Faults of one route
  // apply in the order they were set; a sticky fault stays at the front until cleared.
  void setFault(Route route, Fault fault);
  void clearFaults();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace mock
