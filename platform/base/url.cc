#include "platform/base/url.h"

namespace base {

std::optional<Url> Url::parse(std::string_view text) {
  auto parts = UrlComponents::parse(text);
  if (!parts) return std::nullopt;
  return Url(std::string(text), std::move(*parts));
}

std::optional<Url> UrlComponents::url() const {
  auto text = string();
  if (!text) return std::nullopt;
  return Url(std::move(*text), *this);
}

std::optional<std::string> Url::host() const {
  auto host = parts_.host();
  if (!host || host->empty()) return std::nullopt;
  return host;
}

std::string Url::path() const {
  std::string path = parts_.path();
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::vector<std::string> Url::pathComponents() const {
  std::vector<std::string> components;
  std::string_view rest = parts_.percentEncodedPath();
  if (rest.starts_with('/')) components.emplace_back("/");
  while (!rest.empty()) {
    const auto slash = rest.find('/');
    const auto segment = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (!segment.empty()) components.push_back(removingPercentEncoding(segment).value_or(std::string(segment)));
  }
  return components;
}

Url Url::appendingPathComponent(std::string_view component) const {
  // Every "/" in the component survives except the leading ones, which the joint replaces.
  UrlComponents escaped;
  escaped.setPath(component);
  std::string_view tail = escaped.percentEncodedPath();
  while (tail.starts_with('/')) tail.remove_prefix(1);
  std::string_view base = parts_.percentEncodedPath();
  while (base.ends_with('/')) base.remove_suffix(1);
  UrlComponents parts = parts_;
  parts.path_ = std::string(base) + '/' + std::string(tail);
  std::string text = parts.compose();
  return Url(std::move(text), std::move(parts));
}

}  // namespace base
