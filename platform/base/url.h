// An absolute or relative URL that is known to be well-formed: it can only be made by parsing
// (which fails on characters no URL may hold, as the phone platform's does) or from parts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/url_components.h"

namespace base {

class Url {
 public:
  // Empty for text that is not a URL: a space, "{", "}", raw non-ASCII, a "%" without two hex
  // digits, an empty text, a port above 65535...
  static std::optional<Url> parse(std::string_view text);

  // The text exactly as parsed.
  const std::string& absoluteString() const { return text_; }
  const std::optional<std::string>& scheme() const { return parts_.scheme(); }
  // Decoded; empty when there is no host or it is empty ("file:///a").
  std::optional<std::string> host() const;
  const std::optional<int>& port() const { return parts_.port(); }
  // Decoded, without a trailing "/" (except for the root path "/").
  std::string path() const;
  // The query and the fragment as written (percent-encoded), without "?" or "#".
  const std::optional<std::string>& query() const { return parts_.percentEncodedQuery(); }
  const std::optional<std::string>& fragment() const { return parts_.percentEncodedFragment(); }
  // Decoded segments; an absolute path's first component is "/". Empty segments are skipped.
  std::vector<std::string> pathComponents() const;
  const UrlComponents& components() const { return parts_; }

  // Appends the text as path segments with exactly one "/" between the path and the text, however
  // many slashes either side brings; characters a path may not hold ("{", "?", "%", ...) are escaped.
  // The query and fragment are kept.
  Url appendingPathComponent(std::string_view component) const;

  friend bool operator==(const Url& a, const Url& b) { return a.text_ == b.text_; }

 private:
  friend class UrlComponents;
  Url(std::string text, UrlComponents parts) : text_(std::move(text)), parts_(std::move(parts)) {}

  std::string text_;
  UrlComponents parts_;
};

}  // namespace base
