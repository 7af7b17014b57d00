// A random (version 4) UUID; its text form is upper-case hex with hyphens, 36 characters.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace base {

class Uuid {
 public:
  // A new random UUID from the system's random source.
  Uuid();
  // Reads the 8-4-4-4-12 hex form in either case; empty for anything else.
  static std::optional<Uuid> parse(std::string_view text);

  std::string uuidString() const;
  const std::array<std::uint8_t, 16>& bytes() const { return bytes_; }

  friend bool operator==(const Uuid&, const Uuid&) = default;

 private:
  explicit Uuid(const std::array<std::uint8_t, 16>& bytes) : bytes_(bytes) {}
  std::array<std::uint8_t, 16> bytes_{};
};

}  // namespace base
