#include "tools/mock-server/placeholders.h"

#include <charconv>
#include <ctime>

namespace mock {
namespace {

std::optional<long long> parseOffset(std::string_view text) {
  if (text.empty()) return 0;
  if (text.size() < 2 || (text[0] != '+' && text[0] != '-')) return std::nullopt;
  long long seconds = 0;
  auto [end, error] = std::from_chars(text.data() + 1, text.data() + text.size(), seconds);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return text[0] == '-' ? -seconds : seconds;
}

std::optional<std::string> resolve(std::string_view token, const ServeContext& context) {
  if (token == "BASE_URL") return context.baseUrl;
  if (token == "AD_ID") {
    if (!context.adId) return std::nullopt;
    return std::to_string(*context.adId);
  }
  if (!token.starts_with("NOW")) return std::nullopt;
  auto offset = parseOffset(token.substr(3));
  if (!offset) return std::nullopt;
  return formatServerDate(context.now + std::chrono::seconds(*offset));
}

}  // namespace

std::string formatServerDate(std::chrono::system_clock::time_point time) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
  std::tm parts{};
  gmtime_r(&seconds, &parts);
  char text[40];
  const size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S+0000", &parts);
  return std::string(text, length);
}

std::string expandPlaceholders(std::string_view text, const ServeContext& context) {
  std::string out;
  out.reserve(text.size());
  size_t position = 0;
  while (position < text.size()) {
    const size_t open = text.find('{', position);
    const size_t close = open == std::string_view::npos ? open : text.find('}', open);
    if (close == std::string_view::npos) break;
    out.append(text.substr(position, open - position));
    if (auto value = resolve(text.substr(open + 1, close - open - 1), context)) {
      out += *value;
      position = close + 1;
    } else {
      out += '{';
      position = open + 1;
    }
  }
  if (position < text.size()) out.append(text.substr(position));
  return out;
}

}  // namespace mock
