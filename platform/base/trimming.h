// Taking blanks off the ends of a text, as the phone platform's trimming with the white-space-and-
// newline set does: every character with the Unicode White_Space property (ASCII blanks and line
// ends, no-break and ideographic spaces, line and paragraph separators, NEL, ...).
#pragma once

#include <string_view>

namespace base {

// The text without its leading and trailing white space and line ends. Bytes that are no UTF-8
// count as text and stop the trimming.
std::string_view trimmingWhitespaceAndNewlines(std::string_view text);

}  // namespace base
