#include "tools/mock-server/request_log.h"

#include <algorithm>
#include <cctype>

namespace mock {
namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
    return std::tolower(x) == std::tolower(y);
  });
}

}  // namespace

std::optional<std::string> LoggedRequest::header(std::string_view name) const {
  std::optional<std::string> value;
  for (const auto& [key, text] : headers) {
    if (!equalsIgnoringCase(key, name)) continue;
    value = value ? *value + ", " + text : text;
  }
  return value;
}

std::optional<std::string> LoggedRequest::queryValue(std::string_view name) const {
  auto found = query.find(std::string(name));
  if (found == query.end()) return std::nullopt;
  return found->second;
}

nlohmann::json LoggedRequest::json() const {
  return nlohmann::json::parse(body, nullptr, false);
}

void RequestLog::record(LoggedRequest request) {
  {
    std::lock_guard lock(mutex_);
    entries_.push_back(std::move(request));
  }
  arrived_.notify_all();
}

void RequestLog::clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

std::vector<LoggedRequest> RequestLog::entries() const {
  std::lock_guard lock(mutex_);
  return entries_;
}

std::vector<LoggedRequest> RequestLog::entries(Route route) const {
  return select([route](const LoggedRequest& r) { return r.route == route; });
}

std::vector<LoggedRequest> RequestLog::entries(std::string_view path) const {
  return select([path](const LoggedRequest& r) { return r.path == path; });
}

size_t RequestLog::count(Route route) const { return entries(route).size(); }

bool RequestLog::waitFor(Route route, size_t count, std::chrono::milliseconds timeout) const {
  return waitFor([route](const LoggedRequest& r) { return r.route == route; }, count, timeout);
}

bool RequestLog::waitFor(std::string_view path, size_t count, std::chrono::milliseconds timeout) const {
  return waitFor([path](const LoggedRequest& r) { return r.path == path; }, count, timeout);
}

bool RequestLog::waitFor(const std::function<bool(const LoggedRequest&)>& match, size_t count,
                         std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return arrived_.wait_for(lock, timeout, [&] {
    return static_cast<size_t>(std::ranges::count_if(entries_, match)) >= count;
  });
}

std::vector<LoggedRequest> RequestLog::select(
    const std::function<bool(const LoggedRequest&)>& match) const {
  std::lock_guard lock(mutex_);
  std::vector<LoggedRequest> selected;
  std::ranges::copy_if(entries_, std::back_inserter(selected), match);
  return selected;
}

}  // namespace mock
