// The route addresses of one REST client: each a server address of the current stage with a path
// appended. Built as a whole at the first request and rebuilt as a whole by reset() after a stage
// change; requests read them from any thread while the main thread resets, so every access takes
// the lock and a request keeps the address it was built with.
#pragma once

#include <cstddef>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/base/url.h"
#include "platform/net/header_fields.h"
#include "velkor/network/error.h"
#include "velkor/network/request_builder.h"

namespace velkor {

class RouteUrls {
 public:
  struct Route {
    const char* serverKey;  // a Constants kind key
    const char* path;       // appended as a path component
  };

  explicit RouteUrls(std::vector<Route> routes) : routes_(std::move(routes)) {}

  // Rebuilds every route from the current stage's addresses.
  void reset();

  // The route's address; a bad-URL error when its server's address is not a URL.
  Result<base::Url> url(std::size_t route) const;

  // A request of the route (makeGetRequest, makePostRequest).
  template <class E>
  Result<net::Request> get(E route, Parameters parameters, QueryEncoding encoding) const {
    auto address = url(static_cast<std::size_t>(route));
    if (!address) return address.error();
    return makeGetRequest(*address, std::move(parameters), encoding);
  }
  template <class E>
  Result<net::Request> post(E route, Parameters parameters, const net::HeaderFields& extraHeaders = {}) const {
    auto address = url(static_cast<std::size_t>(route));
    if (!address) return address.error();
    return makePostRequest(*address, std::move(parameters), extraHeaders);
  }

 private:
  std::vector<std::optional<base::Url>> build() const;

  const std::vector<Route> routes_;
  mutable std::mutex mutex_;
  mutable std::optional<std::vector<std::optional<base::Url>>> urls_;
};

}  // namespace velkor
