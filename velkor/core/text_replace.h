// Plain text replacement, as the SDK's addresses and image names need it.
#pragma once

#include <string>
#include <string_view>

namespace velkor {

// Every occurrence of `target` (exact, case-sensitive, left to right, none overlapping) replaced by
// `replacement`; an empty target replaces nothing.
std::string replacingOccurrences(std::string_view text, std::string_view target, std::string_view replacement);

}  // namespace velkor
