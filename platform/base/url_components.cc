#include "platform/base/url_components.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <memory>

#include "platform/base/utf16.h"

namespace base {
namespace {

constexpr std::string_view kUnreserved =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~";
constexpr std::string_view kSubDelims = "!$&'()*+,;=";

bool isHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }
bool isAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool isPlainUrlCharacter(char c, std::string_view extra) {
  return kUnreserved.find(c) != std::string_view::npos || kSubDelims.find(c) != std::string_view::npos ||
         extra.find(c) != std::string_view::npos;
}

// True when every character is unreserved, a sub-delimiter, one of `extra`, or a "%XX" escape.
bool isValidPart(std::string_view part, std::string_view extra) {
  for (std::size_t i = 0; i < part.size(); ++i) {
    if (part[i] == '%') {
      if (i + 2 >= part.size() || !isHexDigit(part[i + 1]) || !isHexDigit(part[i + 2])) return false;
      i += 2;
    } else if (!isPlainUrlCharacter(part[i], extra)) {
      return false;
    }
  }
  return true;
}

bool isValidScheme(std::string_view scheme) {
  if (scheme.empty() || !isAsciiAlpha(scheme.front())) return false;
  return std::all_of(scheme.begin(), scheme.end(), [](char c) {
    return isAsciiAlpha(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
  });
}

// False for a port that is not digits or beyond 65535; an empty port is no port.
bool parsePort(std::string_view text, std::optional<int>& port) {
  if (text.empty()) return true;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
  unsigned long value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || value > 65535) return false;
  port = static_cast<int>(value);
  return true;
}

bool isValidHost(std::string_view host) {
  if (!host.starts_with('[')) return isValidPart(host, "");
  // An IP literal: IPv6 (with an escaped zone) or a future form; both stay within these characters.
  return host.size() > 2 && host.ends_with(']') && isValidPart(host.substr(1, host.size() - 2), ":");
}

std::string decodedOrRaw(std::string_view text) {
  return removingPercentEncoding(text).value_or(std::string(text));
}

// Ill-formed UTF-8 is mended (U+FFFD) rather than dropped, so that a setter never loses the value.
std::string encodeMending(std::string_view text, const CharacterSet& allowed) {
  if (auto encoded = addingPercentEncoding(text, allowed)) return *encoded;
  return addingPercentEncoding(toUtf8(toUtf16(text)), allowed).value_or(std::string());
}

const CharacterSet& queryItemAllowed() {
  static const CharacterSet set = CharacterSet::urlQueryAllowed().subtracting(CharacterSet("&=+"));
  return set;
}

}  // namespace

CharacterSet::CharacterSet(std::string_view characters) {
  auto points = std::make_shared<std::u32string>();
  for (int32_t i = 0, length = static_cast<int32_t>(characters.size()); i < length;) {
    UChar32 c = 0;
    U8_NEXT(characters.data(), i, length, c);
    if (c >= 0) points->push_back(static_cast<char32_t>(c));
  }
  std::sort(points->begin(), points->end());
  contains_ = [points](char32_t c) { return std::binary_search(points->begin(), points->end(), c); };
}

const CharacterSet& CharacterSet::urlQueryAllowed() {
  static const CharacterSet set(std::string(kUnreserved) + std::string(kSubDelims) + ":@/?");
  return set;
}

const CharacterSet& CharacterSet::urlFragmentAllowed() { return urlQueryAllowed(); }

const CharacterSet& CharacterSet::urlPathAllowed() {
  static const CharacterSet set(std::string(kUnreserved) + std::string(kSubDelims) + ":@/");
  return set;
}

const CharacterSet& CharacterSet::urlHostAllowed() {
  static const CharacterSet set(std::string(kUnreserved) + std::string(kSubDelims) + ":[]");
  return set;
}

const CharacterSet& CharacterSet::urlUserAllowed() {
  static const CharacterSet set(std::string(kUnreserved) + std::string(kSubDelims));
  return set;
}

const CharacterSet& CharacterSet::alphanumerics() {
  static const CharacterSet set([](char32_t c) {
    return (U_GET_GC_MASK(static_cast<UChar32>(c)) & (U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK)) != 0;
  });
  return set;
}

CharacterSet CharacterSet::unioned(const CharacterSet& other) const {
  return CharacterSet([a = contains_, b = other.contains_](char32_t c) { return a(c) || b(c); });
}

CharacterSet CharacterSet::subtracting(const CharacterSet& other) const {
  return CharacterSet([a = contains_, b = other.contains_](char32_t c) { return a(c) && !b(c); });
}

std::optional<std::string> addingPercentEncoding(std::string_view text, const CharacterSet& allowed) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (int32_t i = 0, length = static_cast<int32_t>(text.size()); i < length;) {
    const int32_t start = i;
    UChar32 c = 0;
    U8_NEXT(text.data(), i, length, c);
    if (c < 0) return std::nullopt;
    if (allowed.contains(static_cast<char32_t>(c))) {
      out.append(text.substr(start, i - start));
      continue;
    }
    for (int32_t j = start; j < i; ++j) {
      const auto byte = static_cast<unsigned char>(text[j]);
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

std::optional<std::string> removingPercentEncoding(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size() || !isHexDigit(text[i + 1]) || !isHexDigit(text[i + 2])) return std::nullopt;
    unsigned value = 0;
    std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
    out += static_cast<char>(value);
    i += 2;
  }
  for (int32_t i = 0, length = static_cast<int32_t>(out.size()); i < length;) {
    UChar32 c = 0;
    U8_NEXT(out.data(), i, length, c);
    if (c < 0) return std::nullopt;
  }
  return out;
}

std::optional<UrlComponents> UrlComponents::parse(std::string_view text) {
  if (text.empty()) return std::nullopt;
  UrlComponents parts;
  if (auto hash = text.find('#'); hash != std::string_view::npos) {
    parts.fragment_ = std::string(text.substr(hash + 1));
    text = text.substr(0, hash);
    if (!isValidPart(*parts.fragment_, ":@/?")) return std::nullopt;
  }
  if (auto question = text.find('?'); question != std::string_view::npos) {
    parts.query_ = std::string(text.substr(question + 1));
    text = text.substr(0, question);
    if (!isValidPart(*parts.query_, ":@/?")) return std::nullopt;
  }
  // A ":" before the first "/" ends a scheme; a relative path may not hold one in its first segment.
  if (auto colon = text.find(':'); colon != std::string_view::npos && colon < text.find('/')) {
    if (!isValidScheme(text.substr(0, colon))) return std::nullopt;
    parts.scheme_ = std::string(text.substr(0, colon));
    text = text.substr(colon + 1);
  }
  if (text.starts_with("//")) {
    text.remove_prefix(2);
    const auto slash = text.find('/');
    if (!parts.parseAuthority(text.substr(0, slash))) return std::nullopt;
    text = slash == std::string_view::npos ? std::string_view() : text.substr(slash);
  }
  if (!isValidPart(text, ":@/")) return std::nullopt;
  parts.path_ = std::string(text);
  return parts;
}

bool UrlComponents::parseAuthority(std::string_view authority) {
  if (auto at = authority.rfind('@'); at != std::string_view::npos) {
    userInfo_ = std::string(authority.substr(0, at));
    if (!isValidPart(*userInfo_, ":")) return false;
    authority = authority.substr(at + 1);
  }
  // The port follows the last ":" that is not inside an IP literal's brackets.
  const auto bracket = authority.rfind(']');
  auto colon = authority.rfind(':');
  if (bracket != std::string_view::npos && colon != std::string_view::npos && colon < bracket) {
    colon = std::string_view::npos;
  }
  const auto host = authority.substr(0, colon);
  if (!isValidHost(host)) return false;
  host_ = std::string(host);
  if (colon == std::string_view::npos) return true;
  return parsePort(authority.substr(colon + 1), port_);
}

std::optional<std::string> UrlComponents::host() const {
  if (!host_) return std::nullopt;
  return decodedOrRaw(*host_);
}

std::string UrlComponents::path() const { return decodedOrRaw(path_); }

std::optional<std::string> UrlComponents::query() const {
  if (!query_) return std::nullopt;
  return decodedOrRaw(*query_);
}

std::optional<std::string> UrlComponents::fragment() const {
  if (!fragment_) return std::nullopt;
  return decodedOrRaw(*fragment_);
}

void UrlComponents::setPath(std::string_view path) { path_ = encodeMending(path, CharacterSet::urlPathAllowed()); }

void UrlComponents::setQuery(std::optional<std::string_view> query) {
  if (!query) {
    query_.reset();
    return;
  }
  query_ = encodeMending(*query, CharacterSet::urlQueryAllowed());
}

std::optional<std::vector<QueryItem>> UrlComponents::queryItems() const {
  if (!query_) return std::nullopt;
  std::vector<QueryItem> items;
  std::string_view rest = *query_;
  while (!rest.empty()) {
    const auto amp = rest.find('&');
    const auto piece = rest.substr(0, amp);
    rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
    if (piece.empty()) continue;
    const auto equals = piece.find('=');
    QueryItem item{decodedOrRaw(piece.substr(0, equals)), std::nullopt};
    if (equals != std::string_view::npos) item.value = decodedOrRaw(piece.substr(equals + 1));
    items.push_back(std::move(item));
  }
  return items;
}

void UrlComponents::setQueryItems(std::optional<std::vector<QueryItem>> items) {
  if (!items) {
    query_.reset();
    return;
  }
  std::string query;
  for (const auto& item : *items) {
    if (&item != &items->front()) query += '&';
    query += encodeMending(item.name, queryItemAllowed());
    if (item.value) query += '=' + encodeMending(*item.value, queryItemAllowed());
  }
  query_ = std::move(query);
}

std::string UrlComponents::compose() const {
  std::string text;
  if (scheme_) text += *scheme_ + ':';
  if (host_) {
    text += "//";
    if (userInfo_) text += *userInfo_ + '@';
    text += *host_;
    if (port_) text += ':' + std::to_string(*port_);
  }
  text += path_;
  if (query_) text += '?' + *query_;
  if (fragment_) text += '#' + *fragment_;
  return text;
}

std::optional<std::string> UrlComponents::string() const {
  std::string text = compose();
  // Parts that do not read back as themselves (a malformed query, a path that would turn into a
  // scheme or an authority) make no URL.
  auto reparsed = parse(text);
  if (!reparsed || !(*reparsed == *this)) return std::nullopt;
  return text;
}

}  // namespace base
