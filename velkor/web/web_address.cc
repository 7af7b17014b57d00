#include "velkor/web/web_address.h"

#include <variant>

#include "platform/base/log.h"
#include "platform/ui/application.h"
#include "velkor/core/velkor_uri_parser.h"
#include "velkor/offerwall/list/ofw_link_router.h"

namespace velkor {
namespace {

std::string lowercased(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// A link of the SDK's own that neither the link router nor the link parser reads.
bool isUnknownSdkLink(const base::Url& url) {
  if (url.scheme() != VelkorUriParser::scheme) return false;
  const std::string& link = url.absoluteString();
  const auto route = OfwLinkRouter::route(link);
  const bool routed = std::holds_alternative<OfwLinkRouter::AdDetail>(route) ||
                      std::holds_alternative<OfwLinkRouter::TabMove>(route);
  // The parser reads every in-app browser link the router does, and more.
  return !routed && !VelkorUriParser::inAppBrowserLink(link);
}

}  // namespace

AddressRoute routeOf(const base::Url& url) {
  if (!url.scheme()) return AddressRoute::refused;
  const std::string scheme = lowercased(*url.scheme());
  if (scheme == "http" || scheme == "https") return AddressRoute::webPage;
  if (scheme == "javascript" || scheme == "file" || scheme == "data") return AddressRoute::refused;
  return AddressRoute::system;
}

bool openInSystem(const base::Url& url) {
  if (routeOf(url) == AddressRoute::refused || isUnknownSdkLink(url)) {
    base::log("Error", "refused to open " + url.absoluteString());
    return false;
  }
  ui::Application::shared().open(url);
  return true;
}

}  // namespace velkor
