// The user's gender as the host app sets it; raw values as they travel to servers and are stored.
#pragma once

#include <optional>

namespace velkor {

enum class Gender : int { unknown = 0, male = 1, female = 2 };

// The case whose raw value is `raw`, or none outside 0 to 2.
constexpr std::optional<Gender> genderFromRaw(int raw) {
  if (raw < 0 || raw > 2) return std::nullopt;
  return static_cast<Gender>(raw);
}

constexpr int rawValue(Gender gender) {
  return static_cast<int>(gender);
}

}  // namespace velkor
