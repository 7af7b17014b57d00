// The addresses of the SDK's own web pages (help, contract, ad detail pages): each page is opened at
// an address that tells it the app, device, user and visit it runs for. Also the query of an address
// read as a name-to-value map, which the link parser and the screens share.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/url.h"

namespace velkor {

// Nothing when the address has no query; an empty map for a query without items. Items are read in
// order: one with a value sets its name to it (a later one of the same name wins), one without a value
// removes what its name held so far.
std::optional<std::map<std::string, std::string>> queryParameters(const base::Url& url);

class UriHandler {
 public:
  // The page address with the query "headless=false", then the address's own query items as written
  // (less any of the names that follow or "headless"), then one item per web-page parameter (the
  // placeholder's name without braces, in lower case) and the current session's ids, these in the
  // REST clients' query encoding. Text that is no address comes back unchanged.
  static std::string buildUrl(std::string_view address);
};

}  // namespace velkor
