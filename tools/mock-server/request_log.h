// What the local ad servers received, in arrival order: tests read it to assert what the SDK sent and
// to which server. Safe to use from any thread; several servers may share one log.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "tools/mock-server/routes.h"

namespace mock {

struct LoggedRequest {
  std::string server;  // the kind the receiving server was given ("LOGIC", "LOGIC_LIST", ...)
  Route route = Route::unknown;
  std::string method;
  std::string path;      // percent-decoded
  std::string rawQuery;  // as sent, without the "?"
  std::multimap<std::string, std::string> query;  // decoded names and values
  std::vector<std::pair<std::string, std::string>> headers;  // as sent, in order
  std::string body;

  // Case-insensitive; repeated headers joined with ", ".
  std::optional<std::string> header(std::string_view name) const;
  // The first value of the query parameter.
  std::optional<std::string> queryValue(std::string_view name) const;
  // The body as JSON; a discarded value when it is not JSON.
  nlohmann::json json() const;
};

class RequestLog {
 public:
  void record(LoggedRequest request);
  void clear();

  std::vector<LoggedRequest> entries() const;
  std::vector<LoggedRequest> entries(Route route) const;
  std::vector<LoggedRequest> entries(std::string_view path) const;
  size_t count(Route route) const;

  // Waits, at most the given real time, until at least `count` logged requests match; true when they did.
  bool waitFor(Route route, size_t count, std::chrono::milliseconds timeout) const;
  bool waitFor(std::string_view path, size_t count, std::chrono::milliseconds timeout) const;
  bool waitFor(const std::function<bool(const LoggedRequest&)>& match, size_t count,
               std::chrono::milliseconds timeout) const;

 private:
  std::vector<LoggedRequest> select(const std::function<bool(const LoggedRequest&)>& match) const;

  mutable std::mutex mutex_;
  mutable std::condition_variable arrived_;
  std::vector<LoggedRequest> entries_;
};

}  // namespace mock
