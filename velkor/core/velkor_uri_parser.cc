#include "velkor/core/velkor_uri_parser.h"

#include <mutex>

#include "platform/net/header_fields.h"

namespace velkor {
namespace {

struct FactorySlot {
  std::mutex mutex;
  VelkorUriParser::InAppBrowserFactory factory;
};

FactorySlot& factorySlot() {
  static auto* slot = new FactorySlot();
  return *slot;
}

constexpr auto kPrefix = VelkorUriParser::inAppBrowserPrefix;
// Scheme and host are compared in any case, as the system reads them; the "url" item as written.
constexpr auto kLinkStart = kPrefix.substr(0, kPrefix.find('?'));
constexpr auto kUrlItem = kPrefix.substr(kLinkStart.size());
constexpr std::string_view kTitleItem = "&title=";

bool startsInAppBrowserLink(std::string_view link) {
  return link.size() >= kPrefix.size() &&
         net::equalsIgnoringCase(link.substr(0, kLinkStart.size()), kLinkStart) &&
         link.substr(kLinkStart.size()).starts_with(kUrlItem);
}

}  // namespace

std::optional<VelkorUriParser::InAppBrowserLink> VelkorUriParser::inAppBrowserLink(std::string_view link) {
  if (!startsInAppBrowserLink(link)) return std::nullopt;
  std::string_view address = link.substr(kPrefix.size());
  std::string_view title;
  if (const auto at = address.rfind(kTitleItem); at != std::string_view::npos) {
    title = address.substr(at + kTitleItem.size());
    title = title.substr(0, title.find('&'));
    address = address.substr(0, at);
  }
  auto decoded = base::removingPercentEncoding(address);
  if (!decoded) return std::nullopt;
  // A title that does not decode is shown as written, as query items are.
  return InAppBrowserLink{std::move(*decoded),
                          base::removingPercentEncoding(title).value_or(std::string(title))};
}

std::shared_ptr<ui::ViewController> VelkorUriParser::parseUri(const base::Url& url) {
  auto link = inAppBrowserLink(url.absoluteString());
  if (!link) return nullptr;
  InAppBrowserFactory factory;
  {
    std::lock_guard lock(factorySlot().mutex);
    factory = factorySlot().factory;
  }
  return factory ? factory(link->url, link->title) : nullptr;
}

void VelkorUriParser::setInAppBrowserFactory(InAppBrowserFactory factory) {
  std::lock_guard lock(factorySlot().mutex);
  factorySlot().factory = std::move(factory);
}

}  // namespace velkor
