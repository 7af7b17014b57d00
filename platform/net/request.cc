#include "platform/net/request.h"

#include <atomic>

namespace net {

namespace {

// Negative while no override is set.
std::atomic<double> timeoutOverrideSeconds{-1.0};

}  // namespace

Request::Request(base::Url url, CachePolicy cachePolicy, dispatch::Seconds timeoutInterval)
    : url_(std::move(url)), cachePolicy_(cachePolicy), timeoutInterval_(timeoutInterval) {}

void setTimeoutOverride(std::optional<dispatch::Seconds> timeout) {
  timeoutOverrideSeconds.store(timeout ? timeout->count() : -1.0);
}

dispatch::Seconds effectiveTimeout(const Request& request) {
  double override = timeoutOverrideSeconds.load();
  return override >= 0 ? dispatch::Seconds(override) : request.timeoutInterval();
}

}  // namespace net
