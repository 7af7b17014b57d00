// The few printf-style conversions the SDK formats numbers with, written as the phone platform's
// String(format:) writes them: "." as the decimal point whatever the C locale, printf's rounding.
#pragma once

#include <string>

namespace base {

// "%.Nf": fixed notation with `fractionDigits` digits (0 to 17), so "%.0f", "%.1f", "%.2f" and
// "%f" (6). Not-a-number and infinities read "nan", "inf", "-inf".
std::string fixedString(double value, int fractionDigits);
// "%0Nd": at least `width` digits, zero-padded after the sign, so "%02d" is zeroPadded(v, 2).
std::string zeroPadded(long long value, int width);

}  // namespace base
