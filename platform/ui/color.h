// A colour: red, green, blue and alpha in 0...1, or a dynamic pair that resolves to its light or
// dark member against a trait collection when it is drawn.
#pragma once

#include <memory>
#include <string>

#include "platform/base/attributed_string.h"
#include "platform/ui/trait_collection.h"

namespace ui {

class Color {
 public:
  // Clear (all components zero).
  Color() = default;
  // Components are kept as given; drawing clamps them.
  Color(double red, double green, double blue, double alpha = 1.0);
  // A colour that is `light` in the light (and unspecified) style and `dark` in the dark one.
  static Color dynamic(const Color& light, const Color& dark);

  static Color clear();
  static Color white();
  static Color black();
  static Color gray();
  static Color lightGray();
  static Color darkGray();
  // Dynamic system colours: a screen's background, and primary text.
  static Color systemBackground();
  static Color label();

  bool isDynamic() const { return dark_ != nullptr; }
  // The static colour this one shows under the traits; a static colour resolves to itself.
  Color resolved(const TraitCollection& traits) const;

  // Components of the light (or only) appearance.
  double red() const { return red_; }
  double green() const { return green_; }
  double blue() const { return blue_; }
  double alpha() const { return alpha_; }

  // The same colour (both appearances, if dynamic) with another alpha.
  Color withAlphaComponent(double alpha) const;

  // The plain form attributed strings carry, and back.
  base::ColorDescription toColorDescription() const;
  static Color fromColorDescription(const base::ColorDescription& description);

  // "#RRGGBBAA" of the light appearance, for logs and test failures.
  std::string description() const;

  // Equal when every appearance has equal components.
  friend bool operator==(const Color& a, const Color& b);

 private:
  double red_ = 0, green_ = 0, blue_ = 0, alpha_ = 0;
  // The dark appearance of a dynamic colour; shared because colours are copied freely.
  std::shared_ptr<const Color> dark_;
};

}  // namespace ui
