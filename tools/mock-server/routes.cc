#include "tools/mock-server/routes.h"

#include <array>
#include <charconv>
#include <regex>
#include <string>

namespace mock {
namespace {

struct RouteEntry {
  Route route;
  std::string_view name;
  std::string_view method;
  std::regex pattern;  // the ad id, when there is one, is the first group
};

const std::array<RouteEntry, 18>& routeTable() {
  static const std::array<RouteEntry, 18> table{{
      {Route::adList, "ad_list", "GET", std::regex("/api/ads")},
      {Route::placements, "placements", "GET", std::regex("/api/placements")},
      {Route::tags, "tags", "GET", std::regex("/api/tags")},
      {Route::banners, "banners", "GET", std::regex("/api/banners")},
      {Route::popups, "popups", "GET", std::regex("/api/popups")},
      {Route::adDetail, "ad_detail", "GET", std::regex("/api/ads/(-?[0-9]+)")},
      {Route::findChildAd, "find_child_ad", "GET", std::regex("/api/ads/(-?[0-9]+)/find_child_ad")},
      {Route::participate, "participate", "POST", std::regex("/api/ads/(-?[0-9]+)/participate")},
      {Route::optout, "optout", "POST", std::regex("/api/ads/(-?[0-9]+)/optout")},
      {Route::impression, "impression", "POST", std::regex("/api/ads/impression")},
      {Route::agreement, "agreement", "POST", std::regex("/api/uids/agreement")},
      {Route::shareLinkAdList, "share_link_ad_list", "POST", std::regex("/api/share_links/ad_list")},
      {Route::shareLinkAdDetail, "share_link_ad_detail", "POST",
       std::regex("/api/share_links/ad_detail")},
      {Route::postback, "postback", "POST", std::regex("/api/postbacks/sdk")},
      {Route::lumberjack, "lumberjack", "POST", std::regex("/topics/ofw_lumberjack")},
      {Route::help, "help", "GET", std::regex("/help_requests/new")},
      {Route::image, "image", "GET", std::regex("/images/[^/]+\\.(png|jpg|jpeg|webp)")},
      {Route::page, "page", "GET", std::regex("/pages/([a-z0-9_-]+)\\.html")},
  }};
  return table;
}

std::optional<long long> parseId(const std::string& text) {
  long long value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::string_view routeName(Route route) {
  for (const auto& entry : routeTable()) {
    if (entry.route == route) return entry.name;
  }
  return "unknown";
}

RouteMatch matchRoute(std::string_view method, std::string_view path) {
  const std::string target(path);
  for (const auto& entry : routeTable()) {
    std::smatch match;
    if (entry.method != method || !std::regex_match(target, match, entry.pattern)) continue;
    RouteMatch result{entry.route, std::nullopt};
    // An id beyond the integer range stays absent: the route answers as for an unknown ad.
    if (entry.route != Route::image && entry.route != Route::page && match.size() > 1) result.adId = parseId(match[1].str());
    return result;
  }
  return {};
}

}  // namespace mock
