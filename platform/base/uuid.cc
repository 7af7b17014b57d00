#include "platform/base/uuid.h"

#include <sys/random.h>

#include <cerrno>
#include <charconv>
#include <random>

namespace base {
namespace {

constexpr std::size_t kTextLength = 36;

bool isHyphenAt(std::size_t index) { return index == 8 || index == 13 || index == 18 || index == 23; }

void fillRandom(std::array<std::uint8_t, 16>& bytes) {
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
    if (got > 0) {
      filled += static_cast<std::size_t>(got);
    } else if (got < 0 && errno != EINTR) {
      break;
    }
  }
  if (filled == bytes.size()) return;
  // No kernel source (a very old kernel or a sandbox without the call): fall back on the library's.
  std::random_device device;
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(device());
}

}  // namespace

Uuid::Uuid() {
  fillRandom(bytes_);
  bytes_[6] = static_cast<std::uint8_t>((bytes_[6] & 0x0F) | 0x40);  // version 4
  bytes_[8] = static_cast<std::uint8_t>((bytes_[8] & 0x3F) | 0x80);  // RFC 4122 variant
}

std::optional<Uuid> Uuid::parse(std::string_view text) {
  if (text.size() != kTextLength) return std::nullopt;
  std::array<std::uint8_t, 16> bytes{};
  std::size_t byte = 0;
  for (std::size_t i = 0; i < kTextLength;) {
    if (isHyphenAt(i)) {
      if (text[i] != '-') return std::nullopt;
      ++i;
      continue;
    }
    const char* begin = text.data() + i;
    auto [end, error] = std::from_chars(begin, begin + 2, bytes[byte], 16);
    if (error != std::errc() || end != begin + 2) return std::nullopt;
    ++byte;
    i += 2;
  }
  return Uuid(bytes);
}

std::string Uuid::uuidString() const {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(kTextLength);
  for (std::size_t i = 0; i < bytes_.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
    text += kHex[bytes_[i] >> 4];
    text += kHex[bytes_[i] & 0xF];
  }
  return text;
}

}  // namespace base
