#include "velkor/core/version.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

namespace velkor {
namespace {

std::vector<std::string_view> pieces(std::string_view text) {
  std::vector<std::string_view> result;
  while (!text.empty()) {
    const auto dot = text.find('.');
    const auto piece = text.substr(0, dot);
    if (!piece.empty()) result.push_back(piece);
    if (dot == std::string_view::npos) break;
    text.remove_prefix(dot + 1);
  }
  return result;
}

// Servers send plain decimal pieces; anything else still compares by its optional sign and its
// leading digits (none count as 0), and a number too large for 64 bits sticks at the limit rather
// than wrapping, so "99999999999999999999" stays above "1".
std::int64_t pieceValue(std::string_view piece) {
  bool negative = false;
  if (!piece.empty() && (piece.front() == '+' || piece.front() == '-')) {
    negative = piece.front() == '-';
    piece.remove_prefix(1);
  }
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
  std::int64_t value = 0;
  for (char c : piece) {
    if (c < '0' || c > '9') break;
    const int digit = c - '0';
    if (negative) {
      if (value < (kMin + digit) / 10) return kMin;
      value = value * 10 - digit;
    } else {
      if (value > (kMax - digit) / 10) return kMax;
      value = value * 10 + digit;
    }
  }
  return value;
}

std::int64_t valueAt(const std::vector<std::string_view>& list, std::size_t index) {
  return index < list.size() ? pieceValue(list[index]) : 0;
}

}  // namespace

int Version::compare(const std::optional<Version>& other) const {
  if (!other) return 1;
  if (other->version_.empty()) return -1;
  const auto mine = pieces(version_);
  const auto theirs = pieces(other->version_);
  const auto count = std::max(mine.size(), theirs.size());
  for (std::size_t i = 0; i < count; ++i) {
    const auto a = valueAt(mine, i);
    const auto b = valueAt(theirs, i);
    if (a != b) return a < b ? -1 : 1;
  }
  return 0;
}

}  // namespace velkor
