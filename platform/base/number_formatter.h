// Decimal-style numbers in the current locale: its digits and grouping ("1,500" in the default
// locale, "1.500" in German), as the phone platform's decimal number formatter writes them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace base {

class NumberFormatter {
 public:
  // At most three fraction digits, rounded half to even; grouping by the locale's own rule.
  static std::string decimalString(double value);
  static std::string decimalString(std::int64_t value);

  // The process-wide locale, as an ICU locale id ("en_US", "ko_KR", "de_DE"); "en_US" until set.
  // False, and nothing changes, for an id that names no locale.
  static bool setLocale(std::string_view localeId);
  static std::string locale();
};

}  // namespace base
