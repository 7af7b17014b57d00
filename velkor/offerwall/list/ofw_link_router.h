// Where a link tapped inside the offerwall leads. The list pages and the pager route every row,
// banner and popup link the same way, by exact, case-sensitive prefixes:
//   "velkor://offerwall/ads/<id>"                      an ad's detail
//   "velkor://offerwall/ads?tab_slug=..&tag_slug=.."   a tab and tag of the pager
//   "velkor://inappbrowser?url=<address>"              the detail web page on that address
// and any other link is opened by the system. Reading a link touches no screen; each caller carries
// out the route its own way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "velkor/core/velkor_uri_parser.h"

namespace velkor {

class OfwLinkRouter {
 public:
  static constexpr std::string_view adPrefix = "velkor://offerwall/ads/";
  static constexpr std::string_view tabPrefix = "velkor://offerwall/ads?";
  static constexpr std::string_view inAppBrowserPrefix = VelkorUriParser::inAppBrowserPrefix;

  struct AdDetail {
    std::int64_t adId = 0;
    friend bool operator==(const AdDetail&, const AdDetail&) = default;
  };
  // A missing item, or one without a value, is "all"; an empty value stays empty.
  struct TabMove {
    std::string tabSlug;
    std::string tagSlug;
    friend bool operator==(const TabMove&, const TabMove&) = default;
  };
  // The page's address, decoded, before the SDK's parameters are added.
  struct WebPage {
    std::string address;
    friend bool operator==(const WebPage&, const WebPage&) = default;
  };
  // The link decoded, before the SDK's parameters are added.
  struct External {
    std::string address;
    friend bool operator==(const External&, const External&) = default;
  };
  // Nothing: a link that fits its form badly leads nowhere.
  using Route = std::variant<std::monostate, AdDetail, TabMove, WebPage, External>;

  static Route route(std::string_view link);

  // A whole decimal integer (an optional sign, then digits) that fits 64 bits; nothing otherwise.
  static std::optional<std::int64_t> parseAdId(std::string_view text);
};

}  // namespace velkor
