#include "velkor/core/text_replace.h"

namespace velkor {

std::string replacingOccurrences(std::string_view text, std::string_view target, std::string_view replacement) {
  if (target.empty()) return std::string(text);
  std::string result;
  std::size_t from = 0;
  for (auto at = text.find(target); at != std::string_view::npos; at = text.find(target, from)) {
    result.append(text.substr(from, at - from)).append(replacement);
    from = at + target.size();
  }
  return result.append(text.substr(from));
}

}  // namespace velkor
