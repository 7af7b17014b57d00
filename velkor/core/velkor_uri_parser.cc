#include "velkor/core/velkor_uri_parser.h"

#include <mutex>

#include "platform/net/header_fields.h"
#include "velkor/core/uri_handler.h"

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

bool equalsIgnoringCase(const std::optional<std::string>& text, std::string_view expected) {
  return text && net::equalsIgnoringCase(*text, expected);
}

}  // namespace

std::optional<VelkorUriParser::InAppBrowserLink> VelkorUriParser::inAppBrowserLink(const base::Url& url) {
  if (!equalsIgnoringCase(url.scheme(), scheme)) return std::nullopt;
  // Offerwall links ("velkor://offerwall/...") are the presentation routine's business.
  if (!equalsIgnoringCase(url.host(), inAppBrowserHost)) return std::nullopt;
  auto parameters = queryParameters(url);
  if (!parameters) return std::nullopt;
  auto page = parameters->find("url");
  if (page == parameters->end()) return std::nullopt;
  auto title = parameters->find("title");
  return InAppBrowserLink{page->second, title == parameters->end() ? std::string() : title->second};
}

std::shared_ptr<ui::ViewController> VelkorUriParser::parseUri(const base::Url& url) {
  auto link = inAppBrowserLink(url);
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
