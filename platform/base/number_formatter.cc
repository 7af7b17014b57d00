#include "platform/base/number_formatter.h"

#include <unicode/numberformatter.h>

#include <memory>
#include <mutex>

namespace base {
namespace {

using icu::number::LocalizedNumberFormatter;

struct CurrentLocale {
  std::mutex mutex;
  std::string id;
  std::shared_ptr<const LocalizedNumberFormatter> formatter;
};

std::shared_ptr<const LocalizedNumberFormatter> makeFormatter(const icu::Locale& locale) {
  return std::make_shared<const LocalizedNumberFormatter>(
      icu::number::NumberFormatter::withLocale(locale)
          .precision(icu::number::Precision::minMaxFraction(0, 3))
          .roundingMode(UNUM_ROUND_HALFEVEN));
}

CurrentLocale& current() {
  static CurrentLocale* state = [] {
    auto* made = new CurrentLocale;
    made->id = "en_US";
    made->formatter = makeFormatter(icu::Locale("en_US"));
    return made;
  }();
  return *state;
}

std::shared_ptr<const LocalizedNumberFormatter> currentFormatter() {
  auto& state = current();
  std::lock_guard lock(state.mutex);
  return state.formatter;
}

std::string toUtf8(const icu::number::FormattedNumber& number, UErrorCode status) {
  icu::UnicodeString text = number.toString(status);
  std::string out;
  if (U_SUCCESS(status)) text.toUTF8String(out);
  return out;
}

// ICU takes any text for a locale id; one whose language is no ISO 639 language names no locale.
bool namesALanguage(const icu::Locale& locale) {
  if (locale.isBogus()) return false;
  const std::string_view language = locale.getLanguage();
  for (const char* const* known = icu::Locale::getISOLanguages(); *known != nullptr; ++known) {
    if (language == *known) return true;
  }
  return false;
}

}  // namespace

std::string NumberFormatter::decimalString(double value) {
  UErrorCode status = U_ZERO_ERROR;
  auto number = currentFormatter()->formatDouble(value, status);
  return toUtf8(number, status);
}

std::string NumberFormatter::decimalString(std::int64_t value) {
  UErrorCode status = U_ZERO_ERROR;
  auto number = currentFormatter()->formatInt(value, status);
  return toUtf8(number, status);
}

bool NumberFormatter::setLocale(std::string_view localeId) {
  const icu::Locale locale = icu::Locale::createCanonical(std::string(localeId).c_str());
  if (!namesALanguage(locale)) return false;
  auto formatter = makeFormatter(locale);
  auto& state = current();
  std::lock_guard lock(state.mutex);
  state.id = std::string(localeId);
  state.formatter = std::move(formatter);
  return true;
}

std::string NumberFormatter::locale() {
  auto& state = current();
  std::lock_guard lock(state.mutex);
  return state.id;
}

}  // namespace base
