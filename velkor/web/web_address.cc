#include "velkor/web/web_address.h"

#include "platform/base/log.h"
#include "platform/ui/application.h"

namespace velkor {
namespace {

std::string lowercased(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

AddressRoute routeOf(const base::Url& url) {
  const std::string scheme = lowercased(url.scheme().value_or(""));
  if (scheme == "http" || scheme == "https") return AddressRoute::webPage;
  if (scheme == "javascript" || scheme == "file" || scheme == "data") return AddressRoute::refused;
  return AddressRoute::system;
}

bool openInSystem(const base::Url& url) {
  if (routeOf(url) == AddressRoute::refused) {
    base::log("Error", "refused to open " + url.absoluteString());
    return false;
  }
  ui::Application::shared().open(url);
  return true;
}

}  // namespace velkor
