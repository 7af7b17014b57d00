#include "velkor/network/route_urls.h"

#include <map>
#include <string>

#include "velkor/network/constants.h"

namespace velkor {

std::vector<std::optional<base::Url>> RouteUrls::build() const {
  // Each server's address is read once, so that the routes of one server share one stage.
  std::map<std::string, std::optional<base::Url>> bases;
  std::vector<std::optional<base::Url>> urls;
  for (const Route& route : routes_) {
    auto base = bases.find(route.serverKey);
    if (base == bases.end()) {
      base = bases.emplace(route.serverKey, base::Url::parse(Constants::serverURL(route.serverKey))).first;
    }
    urls.push_back(base->second ? std::optional(base->second->appendingPathComponent(route.path)) : std::nullopt);
  }
  return urls;
}

void RouteUrls::reset() {
  auto urls = build();
  std::lock_guard lock(mutex_);
  urls_ = std::move(urls);
}

Result<base::Url> RouteUrls::url(std::size_t route) const {
  std::lock_guard lock(mutex_);
  if (!urls_) urls_ = build();
  if (route >= urls_->size() || !(*urls_)[route]) return badUrlError("the server address of this stage is not a URL");
  return *(*urls_)[route];
}

}  // namespace velkor
