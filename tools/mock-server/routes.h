// The routes the local ad server answers, and how a request's method and path select one.
#pragma once

#include <optional>
#include <string_view>

namespace mock {

enum class Route {
  adList,             // GET  /api/ads
  placements,         // GET  /api/placements
  tags,               // GET  /api/tags
  banners,            // GET  /api/banners
  popups,             // GET  /api/popups
  adDetail,           // GET  /api/ads/{ad_id}
  findChildAd,        // GET  /api/ads/{ad_id}/find_child_ad
  participate,        // POST /api/ads/{ad_id}/participate
  optout,             // POST /api/ads/{ad_id}/optout
  impression,         // POST /api/ads/impression
  agreement,          // POST /api/uids/agreement
  shareLinkAdList,    // POST /api/share_links/ad_list
  shareLinkAdDetail,  // POST /api/share_links/ad_detail
  postback,           // POST /api/postbacks/sdk
  lumberjack,         // POST /topics/ofw_lumberjack
  help,               // GET  /help_requests/new
  image,              // GET  /images/<name>.png|.jpg|.jpeg|.webp
  page,               // GET  /pages/<name>.html
  unknown,            // anything else: 404
};

// A short snake_case name ("ad_list", "find_child_ad", ...), for logs and test names.
std::string_view routeName(Route route);

struct RouteMatch {
  Route route = Route::unknown;
  std::optional<long long> adId;  // the "{ad_id}" path component, when the route has one
};

RouteMatch matchRoute(std::string_view method, std::string_view path);

}  // namespace mock
