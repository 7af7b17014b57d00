#include "velkor/network/url_query.h"

#include <algorithm>

#include "platform/net/header_fields.h"

namespace velkor {

const base::CharacterSet& rfc3986Unreserved() {
  static const base::CharacterSet set("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~");
  return set;
}

std::optional<std::string> percentEncodedQuery(const std::vector<base::QueryItem>& items) {
  std::string query;
  for (const base::QueryItem& item : items) {
    auto name = base::addingPercentEncoding(item.name, rfc3986Unreserved());
    auto value = base::addingPercentEncoding(item.value.value_or(""), rfc3986Unreserved());
    if (!name || !value) return std::nullopt;
    if (!query.empty()) query += '&';
    query += *name + '=' + *value;
  }
  return query;
}

bool setPercentEncodedQueryItems(base::UrlComponents& components, const std::vector<base::QueryItem>& items) {
  auto query = percentEncodedQuery(items);
  if (!query) return false;
  components.setPercentEncodedQuery(std::move(*query));
  return true;
}

base::Url appendingQueryItems(const base::Url& url, const QueryPairs& pairs) {
  if (pairs.empty()) return url;
  base::UrlComponents components = url.components();
  std::vector<base::QueryItem> items = components.queryItems().value_or(std::vector<base::QueryItem>());
  std::erase_if(items, [&](const base::QueryItem& item) {
    return std::any_of(pairs.begin(), pairs.end(),
                       [&](const auto& pair) { return net::equalsIgnoringCase(item.name, pair.first); });
  });
  for (const auto& [name, value] : pairs) {
    if (value) items.push_back({name, value});
  }
  components.setQueryItems(items.empty() ? std::nullopt : std::optional(std::move(items)));
  return components.url().value_or(url);
}

base::Url appendingQueryItem(const base::Url& url, std::string_view name, std::optional<std::string> value) {
  return appendingQueryItems(url, {{std::string(name), std::move(value)}});
}

base::Url removeQueryItem(const base::Url& url, std::string_view name) {
  return appendingQueryItem(url, name, std::nullopt);
}

std::optional<std::string> queryItem(const base::Url& url, std::string_view name) {
  auto items = url.components().queryItems();
  if (!items) return std::nullopt;
  for (const base::QueryItem& item : *items) {
    if (net::equalsIgnoringCase(item.name, name)) return item.value;
  }
  return std::nullopt;
}

}  // namespace velkor
