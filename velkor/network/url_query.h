// Query strings of the SDK's addresses: the strict encoding its servers are sent (every character but
// the RFC 3986 unreserved ones escaped), and the query operations of the web pages and list screens.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/base/url.h"
#include "platform/base/url_components.h"

namespace velkor {

// ASCII letters and digits, "-", ".", "_" and "~".
const base::CharacterSet& rfc3986Unreserved();

// "name=value" pairs in the items' order, each side escaped with rfc3986Unreserved (non-ASCII as its
// UTF-8 bytes), joined with "&"; an item without a value gives "name=". Empty when a name or value
// is not UTF-8: such a query cannot say what the caller gave.
std::optional<std::string> percentEncodedQuery(const std::vector<base::QueryItem>& items);

// Sets the strict encoding of the items as the components' query; false (query unchanged) when it
// cannot be made.
bool setPercentEncodedQueryItems(base::UrlComponents& components, const std::vector<base::QueryItem>& items);

// Pairs to put in a query; a pair without a value only removes.
using QueryPairs = std::vector<std::pair<std::string, std::optional<std::string>>>;

// Drops the query items whose name, lower-cased, is one of the pairs' names lower-cased, then appends
// the pairs that have a value, in order, with the names as given. The URL unchanged when there are
// no pairs or the result is not a URL.
base::Url appendingQueryItems(const base::Url& url, const QueryPairs& pairs);
// The same for one pair.
base::Url appendingQueryItem(const base::Url& url, std::string_view name, std::optional<std::string> value);
base::Url removeQueryItem(const base::Url& url, std::string_view name);
// The value of the first item of that name in any letter case; none without such an item or value.
std::optional<std::string> queryItem(const base::Url& url, std::string_view name);

}  // namespace velkor
