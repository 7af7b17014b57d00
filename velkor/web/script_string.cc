#include "velkor/web/script_string.h"

#include <cstdio>

namespace velkor {
namespace {

// U+2028 and U+2029 in UTF-8: E2 80 A8 and E2 80 A9.
bool isScriptLineSeparator(std::string_view text, std::size_t at) {
  return at + 2 < text.size() && static_cast<unsigned char>(text[at]) == 0xE2 &&
         static_cast<unsigned char>(text[at + 1]) == 0x80 &&
         (static_cast<unsigned char>(text[at + 2]) == 0xA8 || static_cast<unsigned char>(text[at + 2]) == 0xA9);
}

void appendUnicodeEscape(std::string& out, unsigned code) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "\\u%04X", code);
  out += buffer;
}

}  // namespace

std::string escapeScriptString(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\\': out += "\\\\"; continue;
      case '\'': out += "\\'"; continue;
      case '"': out += "\\\""; continue;
      case '\n': out += "\\n"; continue;
      case '\r': out += "\\r"; continue;
      default: break;
    }
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      appendUnicodeEscape(out, static_cast<unsigned char>(c));
    } else if (isScriptLineSeparator(text, i)) {
      appendUnicodeEscape(out, static_cast<unsigned char>(text[i + 2]) == 0xA8 ? 0x2028 : 0x2029);
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

std::string messageReceiveScript(std::string_view id, std::string_view answer) {
  return "onMessageReceive('" + escapeScriptString(id) + "', '" + escapeScriptString(answer) + "')";
}

}  // namespace velkor
