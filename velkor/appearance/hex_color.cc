#include "velkor/appearance/hex_color.h"

#include <cstdint>
#include <limits>

#include "platform/base/trimming.h"

namespace velkor {
namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One hexadecimal number at the start (after blanks and an optional 0x), saturating at 32 bits;
// 0 when there is none.
std::uint32_t scanHex(std::string_view text) {
  text = base::trimmingWhitespaceAndNewlines(text);
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
  std::string_view text = base::trimmingWhitespaceAndNewlines(hex);
  if (!text.empty() && text.front() == '#') text.remove_prefix(1);
  const std::uint32_t value = scanHex(text);
  const double red = (value >> 16) & 0xff;
  const double green = (value >> 8) & 0xff;
  const double blue = value & 0xff;
  return ui::Color(red / 255.0, green / 255.0, blue / 255.0, alpha);
}

}  // namespace velkor
