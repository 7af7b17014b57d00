// The environment a view is drawn in. Only the interface style matters to us: it decides how
// dynamic colours resolve.
#pragma once

namespace ui {

// Raw values as the phone platform numbers them (hosts pass them through configuration).
enum class UserInterfaceStyle { unspecified = 0, light = 1, dark = 2 };

struct TraitCollection {
  UserInterfaceStyle userInterfaceStyle = UserInterfaceStyle::unspecified;

  // Dark only when dark was asked for; unspecified draws as light, as the platform does.
  bool isDark() const { return userInterfaceStyle == UserInterfaceStyle::dark; }

  friend bool operator==(const TraitCollection&, const TraitCollection&) = default;
};

}  // namespace ui
