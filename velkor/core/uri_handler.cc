#include "velkor/core/uri_handler.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_parameters.h"
#include "velkor/core/velkor_session.h"
#include "velkor/network/url_query.h"

namespace velkor {
namespace {

// "{OS_VER}" -> "os_ver".
std::string parameterName(std::string placeholder) {
  std::erase(placeholder, '{');
  std::erase(placeholder, '}');
  std::transform(placeholder.begin(), placeholder.end(), placeholder.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return placeholder;
}

std::vector<base::QueryItem> webPageQueryItems() {
  std::vector<base::QueryItem> items{{"headless", "false"}};
  for (auto& [placeholder, value] : VelkorParameters::webPageParameters()) {
    items.push_back({parameterName(placeholder), value});
  }
  for (auto& [name, value] : VelkorInternal::shared().session()->toHash()) items.push_back({name, value});
  return items;
}

// The address's own query pieces as it wrote them, in order, less those named as one of `items`.
std::vector<std::string_view> ownQueryPieces(const base::UrlComponents& components,
                                             const std::vector<base::QueryItem>& items) {
  std::vector<std::string_view> pieces;
  const std::optional<std::string>& query = components.percentEncodedQuery();
  if (!query) return pieces;
  // Split as queryItems() splits, so that the two line up.
  const std::vector<base::QueryItem> own = components.queryItems().value_or(std::vector<base::QueryItem>{});
  std::size_t index = 0;
  for (std::string_view rest = *query; !rest.empty();) {
    const auto amp = rest.find('&');
    const std::string_view piece = rest.substr(0, amp);
    rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
    if (piece.empty()) continue;
    const std::string& name = own.at(index++).name;
    bool ours = std::any_of(items.begin(), items.end(),
                            [&](const base::QueryItem& item) { return item.name == name; });
    if (!ours) pieces.push_back(piece);
  }
  return pieces;
}

// "headless=false" (the first of `items`), then the address's own items, then the rest of `items`:
// a link's own query (a store page's id, a campaign's tracking items) survives, and the SDK's
// names win.
std::optional<std::string> pageQuery(const base::UrlComponents& components,
                                     const std::vector<base::QueryItem>& items) {
  std::optional<std::string> first = percentEncodedQuery({items.front()});
  std::optional<std::string> rest = percentEncodedQuery({items.begin() + 1, items.end()});
  if (!first || !rest) return std::nullopt;
  std::string query = *first;
  for (std::string_view piece : ownQueryPieces(components, items)) query.append("&").append(piece);
  if (!rest->empty()) query.append("&").append(*rest);
  return query;
}

}  // namespace

std::optional<std::map<std::string, std::string>> queryParameters(const base::Url& url) {
  auto items = url.components().queryItems();
  if (!items) return std::nullopt;
  std::map<std::string, std::string> parameters;
  for (auto& item : *items) {
    if (item.value) {
      parameters[item.name] = *item.value;
    } else {
      parameters.erase(item.name);
    }
  }
  return parameters;
}

std::string UriHandler::buildUrl(std::string_view address) {
  auto url = base::Url::parse(address);
  if (!url) return std::string(address);
  base::UrlComponents components = url->components();
  std::optional<std::string> query = pageQuery(components, webPageQueryItems());
  if (!query) return std::string(address);
  components.setPercentEncodedQuery(std::move(*query));
  return components.string().value_or(std::string(address));
}

}  // namespace velkor
