#include "platform/base/string_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace base {

std::string fixedString(double value, int fractionDigits) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // The largest double has 309 integer digits; 17 fraction digits are all a double can tell.
  std::array<char, 400> buffer;
  const int digits = std::clamp(fractionDigits, 0, 17);
  auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, digits);
  if (error != std::errc()) return std::string();
  return std::string(buffer.data(), end);
}

std::string zeroPadded(long long value, int width) {
  std::array<char, 24> buffer;
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  std::string text(buffer.data(), written.ptr);
  const std::size_t sign = value < 0 ? 1 : 0;
  const std::size_t wanted = static_cast<std::size_t>(std::clamp(width, 0, 64));
  if (text.size() < wanted) text.insert(sign, wanted - text.size(), '0');
  return text;
}

}  // namespace base
