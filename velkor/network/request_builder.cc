#include "velkor/network/request_builder.h"

#include "platform/base/json_value.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_parameters.h"
#include "velkor/core/velkor_session.h"
#include "velkor/network/url_query.h"

namespace velkor {
namespace {

// A placeholder component is "{name}".
std::optional<std::string> placeholderName(std::string_view component) {
  if (component.size() < 2 || component.front() != '{') return std::nullopt;
  return std::string(component.substr(1, component.size() - 2));
}

std::optional<std::string> textOf(const nlohmann::json& value) {
  if (value.is_string()) return value.get<std::string>();
  auto text = base::dumpJson(value);
  return text ? std::optional(std::move(text).value()) : std::nullopt;
}

// The URL with an empty path, its query kept.
std::optional<base::Url> withoutPath(const base::Url& url) {
  base::UrlComponents components = url.components();
  components.setPath("");
  return components.url();
}

}  // namespace

Parameters requestParameters(WithSession withSession) {
  Parameters parameters = Parameters::object();
  for (auto& [key, value] : VelkorParameters::commonParameters()) parameters[key] = std::move(value);
  if (withSession == WithSession::yes) {
    for (auto& [key, value] : VelkorInternal::shared().session()->toHash()) parameters[key] = std::move(value);
  }
  return parameters;
}

std::optional<base::Url> fillPathParameters(const base::Url& url, Parameters& parameters) {
  const std::vector<std::string> components = url.pathComponents();
  const bool hasPlaceholder =
      std::any_of(components.begin(), components.end(), [](const auto& c) { return placeholderName(c).has_value(); });
  if (!hasPlaceholder) return url;
  auto filled = withoutPath(url);
  if (!filled) return std::nullopt;
  Parameters remaining = parameters;
  for (const std::string& component : components) {
    if (component == "/") continue;
    std::string segment = component;
    if (auto name = placeholderName(component)) {
      auto value = remaining.find(*name);
      if (value == remaining.end()) return std::nullopt;
      auto text = textOf(*value);
      if (!text) return std::nullopt;
      segment = std::move(*text);
      remaining.erase(*name);
    }
    filled = filled->appendingPathComponent(segment);
  }
  parameters = std::move(remaining);
  return filled;
}

std::vector<base::QueryItem> queryItems(const Parameters& parameters) {
  std::vector<base::QueryItem> items;
  for (const auto& [name, value] : parameters.items()) {
    items.push_back({name, value.is_string() ? std::optional(value.get<std::string>()) : std::nullopt});
  }
  return items;
}

Result<net::Request> makeGetRequest(const base::Url& route, Parameters parameters, QueryEncoding encoding) {
  auto filled = fillPathParameters(route, parameters);
  if (!filled) return badUrlError("a path placeholder has no value");
  base::UrlComponents components = filled->components();
  const auto items = queryItems(parameters);
  // Text that is not UTF-8 has no faithful encoding: the request would carry another value.
  if (!percentEncodedQuery(items)) return badUrlError("a parameter is not UTF-8 text");
  if (encoding == QueryEncoding::strict) {
    setPercentEncodedQueryItems(components, items);
  } else {
    components.setQueryItems(items);
  }
  auto url = components.url();
  if (!url) return badUrlError("Could not create URL from components");
  net::Request request(std::move(*url));
  addHeaders(request);
  request.setHttpMethod("GET");
  return request;
}

Result<net::Request> makePostRequest(const base::Url& route, Parameters parameters,
                                     const net::HeaderFields& extraHeaders) {
  auto url = fillPathParameters(route, parameters);
  if (!url) return badUrlError("a path placeholder has no value");
  auto body = base::dumpJson(parameters, 2);
  if (!body) return Error(body.error());
  net::Request request(std::move(*url));
  addHeaders(request);
  request.setHttpMethod("POST");
  request.setValue("application/json", "Content-Type");
  for (const auto& [name, value] : extraHeaders.all()) request.setValue(value, name);
  request.setHttpBody(std::move(body).value());
  return request;
}

const net::HeaderFields& defaultHeaders() {
  static const net::HeaderFields headers{{"X-Tracking-Id", VelkorParameters::commonParameters()["tracking_id"]}};
  return headers;
}

void addHeaders(net::Request& request, const net::HeaderFields& headers) {
  net::HeaderFields merged = defaultHeaders();
  for (const auto& [name, value] : headers.all()) merged.set(name, value);
  for (const auto& [name, value] : merged.all()) request.addValue(value, name);
}

Error badUrlError(std::string_view detail) { return Error(net::Error::make(net::ErrorCode::BadUrl, detail)); }

}  // namespace velkor
