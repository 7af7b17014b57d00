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
  if (!setPercentEncodedQueryItems(components, webPageQueryItems())) return std::string(address);
  return components.string().value_or(std::string(address));
}

}  // namespace velkor
