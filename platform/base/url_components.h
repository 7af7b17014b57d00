// The parts of a URL, each settable, and the percent-encoding the parts are written in. Parsing is
// strict RFC 3986: text holding a character no URL may hold (a space, "{", "}", raw non-ASCII, a
// stray "%") is not a URL, and callers rely on that to escape or reject such addresses.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace base {

class Url;

// A set of Unicode characters that percent-encoding leaves as they are.
class CharacterSet {
 public:
  // Exactly the given characters (UTF-8 text).
  explicit CharacterSet(std::string_view characters);

  // The characters each part of a URL may hold unescaped.
  static const CharacterSet& urlQueryAllowed();
  static const CharacterSet& urlFragmentAllowed();
  static const CharacterSet& urlPathAllowed();
  static const CharacterSet& urlHostAllowed();
  static const CharacterSet& urlUserAllowed();
  // Unicode letters, marks and digits of every script (Korean syllables included), not just ASCII.
  static const CharacterSet& alphanumerics();

  bool contains(char32_t character) const { return contains_(character); }
  CharacterSet unioned(const CharacterSet& other) const;
  CharacterSet subtracting(const CharacterSet& other) const;

 private:
  explicit CharacterSet(std::function<bool(char32_t)> contains) : contains_(std::move(contains)) {}
  std::function<bool(char32_t)> contains_;
};

// Every character outside `allowed` becomes "%XX" for each of its UTF-8 bytes (upper-case hex).
// Empty when the text is not well-formed UTF-8.
std::optional<std::string> addingPercentEncoding(std::string_view text, const CharacterSet& allowed);
// Empty when a "%" is not followed by two hex digits or the decoded bytes are not UTF-8.
std::optional<std::string> removingPercentEncoding(std::string_view text);

// One name/value pair of a query; an item without "=" has no value.
struct QueryItem {
  std::string name;
  std::optional<std::string> value;
  friend bool operator==(const QueryItem&, const QueryItem&) = default;
};

// A URL taken apart. The percent-encoded parts are kept as written; the plain accessors decode.
class UrlComponents {
 public:
  UrlComponents() = default;
  // Empty when the text is not a URL or relative reference (see the top of this file).
  static std::optional<UrlComponents> parse(std::string_view text);

  const std::optional<std::string>& scheme() const { return scheme_; }
  // Decoded; present (possibly empty) exactly when the URL has an authority ("//").
  std::optional<std::string> host() const;
  const std::optional<int>& port() const { return port_; }
  std::string path() const;
  const std::string& percentEncodedPath() const { return path_; }
  std::optional<std::string> query() const;
  const std::optional<std::string>& percentEncodedQuery() const { return query_; }
  std::optional<std::string> fragment() const;
  const std::optional<std::string>& percentEncodedFragment() const { return fragment_; }

  // Escapes what a path may not hold ("?", "#", "%", spaces, non-ASCII...).
  void setPath(std::string_view path);
  // Escapes what a query may not hold; "&" and "=" stay, as the caller wrote the whole query.
  void setQuery(std::optional<std::string_view> query);
  // Taken as written; a query that is not well-formed makes string() and url() empty.
  void setPercentEncodedQuery(std::optional<std::string> query) { query_ = std::move(query); }

  // Split at "&" and at the first "=", decoded; empty pieces are skipped. Empty when no query.
  std::optional<std::vector<QueryItem>> queryItems() const;
  // Replaces the whole query (no items: no query). Names and values are escaped with the query's
  // character set less "&", "=" and "+", so that every item reads back exactly as it was set,
  // whatever the server takes a "+" for.
  void setQueryItems(std::optional<std::vector<QueryItem>> items);

  // The URL text; empty when the parts do not make a URL (a malformed query, a relative path with
  // a host...).
  std::optional<std::string> string() const;
  std::optional<Url> url() const;

  friend bool operator==(const UrlComponents&, const UrlComponents&) = default;

 private:
  friend class Url;
  bool parseAuthority(std::string_view authority);
  std::string compose() const;

  std::optional<std::string> scheme_;
  std::optional<std::string> userInfo_;
  std::optional<std::string> host_;
  std::optional<int> port_;
  std::string path_;
  std::optional<std::string> query_;
  std::optional<std::string> fragment_;
};

}  // namespace base
