#include "platform/base/utf16.h"

#include <unicode/unistr.h>

namespace base {

std::u16string toUtf16(std::string_view utf8) {
  icu::UnicodeString text = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), utf8.size()));
  return std::u16string(text.getBuffer(), text.getBuffer() + text.length());
}

std::string toUtf8(std::u16string_view utf16) {
  icu::UnicodeString text(utf16.data(), static_cast<int32_t>(utf16.size()));
  std::string out;
  text.toUTF8String(out);
  return out;
}

std::size_t utf16Length(std::string_view utf8) { return toUtf16(utf8).size(); }

}  // namespace base
