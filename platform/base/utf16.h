// Conversions between UTF-8, which our strings hold, and UTF-16 code units, the unit in which text
// lengths, ranges and match positions are counted (as on the phone platform).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace base {

// Ill-formed UTF-8 becomes U+FFFD, one per bad sequence.
std::u16string toUtf16(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string toUtf8(std::u16string_view utf16);
// Length in UTF-16 code units.
std::size_t utf16Length(std::string_view utf8);

// A range of UTF-16 code units, as the platform's NSRange.
struct Range {
  std::size_t location = 0;
  std::size_t length = 0;
  std::size_t end() const { return location + length; }
  friend bool operator==(const Range&, const Range&) = default;
};

}  // namespace base
