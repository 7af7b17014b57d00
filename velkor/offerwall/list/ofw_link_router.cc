#include "velkor/offerwall/list/ofw_link_router.h"

#include <charconv>
#include <optional>

#include "platform/base/url.h"
#include "velkor/core/text_replace.h"
#include "velkor/core/velkor_uri_parser.h"

namespace velkor {
namespace {

// The value of the first item with that name; "all" when there is none or it has no value.
std::string firstValue(const std::vector<base::QueryItem>& items, std::string_view name) {
  for (const auto& item : items) {
    if (item.name == name) return item.value.value_or("all");
  }
  return "all";
}

OfwLinkRouter::Route adDetail(std::string_view link) {
  auto id = OfwLinkRouter::parseAdId(replacingOccurrences(link, OfwLinkRouter::adPrefix, ""));
  if (!id) return std::monostate{};
  return OfwLinkRouter::AdDetail{*id};
}

OfwLinkRouter::Route tabMove(std::string_view link) {
  auto url = base::Url::parse(link);
  if (!url) return std::monostate{};
  auto items = url->components().queryItems().value_or(std::vector<base::QueryItem>{});
  return OfwLinkRouter::TabMove{firstValue(items, "tab_slug"), firstValue(items, "tag_slug")};
}

// The address up to the link's "title" item, decoded once; the title is never part of it.
OfwLinkRouter::Route webPage(std::string_view link) {
  auto page = VelkorUriParser::inAppBrowserLink(link);
  if (!page) return std::monostate{};
  return OfwLinkRouter::WebPage{page->url};
}

OfwLinkRouter::Route external(std::string_view link) {
  auto decoded = base::removingPercentEncoding(link);
  if (!decoded) return std::monostate{};
  return OfwLinkRouter::External{*decoded};
}

}  // namespace

OfwLinkRouter::Route OfwLinkRouter::route(std::string_view link) {
  if (link.starts_with(adPrefix)) return adDetail(link);
  if (link.starts_with(tabPrefix)) return tabMove(link);
  if (link.starts_with(inAppBrowserPrefix)) return webPage(link);
  return external(link);
}

std::optional<std::int64_t> OfwLinkRouter::parseAdId(std::string_view text) {
  // from_chars takes a "-" but not a "+"; a "+" may not be followed by another sign.
  if (text.starts_with('+')) {
    text.remove_prefix(1);
    if (text.starts_with('-')) return std::nullopt;
  }
  std::int64_t id = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, id);
  if (error != std::errc() || stop != end) return std::nullopt;
  return id;
}

}  // namespace velkor
