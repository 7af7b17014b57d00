#include "velkor/appearance/hex_color.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <limits>

namespace velkor {
namespace {

bool isBlank(UChar32 c) { return c >= 0 && u_hasBinaryProperty(c, UCHAR_WHITE_SPACE); }

// Drops white space and line ends (any Unicode ones) at the start.
std::string_view skipLeadingBlanks(std::string_view text) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  int32_t at = 0;
  const int32_t length = static_cast<int32_t>(text.size());
  while (at < length) {
    int32_t next = at;
    UChar32 c;
    U8_NEXT(bytes, next, length, c);
    if (!isBlank(c)) break;
    at = next;
  }
  return text.substr(at);
}

// ... and at both ends.
std::string_view trimmed(std::string_view text) {
  text = skipLeadingBlanks(text);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  int32_t end = static_cast<int32_t>(text.size());
  while (end > 0) {
    int32_t previous = end;
    UChar32 c;
    U8_PREV(bytes, 0, previous, c);
    if (!isBlank(c)) break;
    end = previous;
  }
  return text.substr(0, end);
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One hexadecimal number at the start (after blanks and an optional 0x), saturating at 32 bits;
// 0 when there is none.
std::uint32_t scanHex(std::string_view text) {
  text = skipLeadingBlanks(text);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') && hexDigit(text[2]) >= 0) {
    text.remove_prefix(2);
  }
  std::uint64_t value = 0;
  for (char c : text) {
    int digit = hexDigit(c);
    if (digit < 0) break;
    value = value * 16 + digit;
    if (value > std::numeric_limits<std::uint32_t>::max()) return std::numeric_limits<std::uint32_t>::max();
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

ui::Color colorFromHex(std::string_view hex, double alpha) {
  std::string_view text = trimmed(hex);
  if (!text.empty() && text.front() == '#') text.remove_prefix(1);
  const std::uint32_t value = scanHex(text);
  const double red = (value >> 16) & 0xff;
  const double green = (value >> 8) & 0xff;
  const double blue = value & 0xff;
  return ui::Color(red / 255.0, green / 255.0, blue / 255.0, alpha);
}

}  // namespace velkor
