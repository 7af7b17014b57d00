// What a data task sends: the URL, the method, header fields, a body and a time-out.
#pragma once

#include <optional>
#include <string>

#include "platform/base/url.h"
#include "platform/dispatch/clock.h"
#include "platform/net/header_fields.h"

namespace net {

// Accepted for the callers' sake; every request goes to the network.
enum class CachePolicy { UseProtocolCachePolicy = 0, ReloadIgnoringLocalCacheData = 1 };

class Request {
 public:
  static constexpr dispatch::Seconds defaultTimeoutInterval{60.0};

  explicit Request(base::Url url, CachePolicy cachePolicy = CachePolicy::UseProtocolCachePolicy,
                   dispatch::Seconds timeoutInterval = defaultTimeoutInterval);

  const base::Url& url() const { return url_; }
  void setUrl(base::Url url) { url_ = std::move(url); }

  // "GET" unless set.
  const std::string& httpMethod() const { return httpMethod_; }
  void setHttpMethod(std::string method) { httpMethod_ = std::move(method); }

  const HeaderFields& allHttpHeaderFields() const { return headers_; }
  void setAllHttpHeaderFields(HeaderFields fields) { headers_ = std::move(fields); }
  // Appends to a field that already holds a value.
  void addValue(std::string_view value, std::string_view field) { headers_.add(field, value); }
  void setValue(std::string_view value, std::string_view field) { headers_.set(field, value); }
  std::optional<std::string> value(std::string_view field) const { return headers_.value(field); }

  const std::optional<std::string>& httpBody() const { return httpBody_; }
  void setHttpBody(std::optional<std::string> body) { httpBody_ = std::move(body); }

  dispatch::Seconds timeoutInterval() const { return timeoutInterval_; }
  void setTimeoutInterval(dispatch::Seconds interval) { timeoutInterval_ = interval; }

  CachePolicy cachePolicy() const { return cachePolicy_; }

 private:
  base::Url url_;
  std::string httpMethod_ = "GET";
  HeaderFields headers_;
  std::optional<std::string> httpBody_;
  CachePolicy cachePolicy_;
  dispatch::Seconds timeoutInterval_;
};

// A time-out that replaces every request's own for tasks started from now on, so tests need not
// wait a minute; nullopt restores the requests' own.
void setTimeoutOverride(std::optional<dispatch::Seconds> timeout);
// The time-out a task started now uses for the request.
dispatch::Seconds effectiveTimeout(const Request& request);

}  // namespace net
