#include "platform/ui/color.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ui {

Color::Color(double red, double green, double blue, double alpha)
    : red_(red), green_(green), blue_(blue), alpha_(alpha) {}

Color Color::dynamic(const Color& light, const Color& dark) {
  Color result = light.resolved({UserInterfaceStyle::light});
  result.dark_ = std::make_shared<const Color>(dark.resolved({UserInterfaceStyle::dark}));
  return result;
}

Color Color::clear() { return Color(0, 0, 0, 0); }
Color Color::white() { return Color(1, 1, 1, 1); }
Color Color::black() { return Color(0, 0, 0, 1); }
Color Color::gray() { return Color(0.5, 0.5, 0.5, 1); }
Color Color::lightGray() { return Color(2.0 / 3.0, 2.0 / 3.0, 2.0 / 3.0, 1); }
Color Color::darkGray() { return Color(1.0 / 3.0, 1.0 / 3.0, 1.0 / 3.0, 1); }
Color Color::systemBackground() { return dynamic(white(), black()); }
Color Color::label() { return dynamic(black(), white()); }

Color Color::resolved(const TraitCollection& traits) const {
  if (dark_ && traits.isDark()) return *dark_;
  return Color(red_, green_, blue_, alpha_);
}

Color Color::withAlphaComponent(double alpha) const {
  Color result(red_, green_, blue_, alpha);
  if (dark_) result.dark_ = std::make_shared<const Color>(dark_->withAlphaComponent(alpha));
  return result;
}

base::ColorDescription Color::toColorDescription() const {
  base::ColorDescription result{{red_, green_, blue_, alpha_}, std::nullopt};
  if (dark_) result.dark = base::Rgba{dark_->red_, dark_->green_, dark_->blue_, dark_->alpha_};
  return result;
}

Color Color::fromColorDescription(const base::ColorDescription& description) {
  const base::Rgba& light = description.light;
  Color result(light.red, light.green, light.blue, light.alpha);
  if (!description.dark) return result;
  const base::Rgba& dark = *description.dark;
  return dynamic(result, Color(dark.red, dark.green, dark.blue, dark.alpha));
}

std::string Color::description() const {
  auto byte = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); };
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X%02X", byte(red_), byte(green_), byte(blue_), byte(alpha_));
  std::string result = text;
  if (dark_) result += " (dark " + dark_->description() + ")";
  return result;
}

bool operator==(const Color& a, const Color& b) {
  if (a.red_ != b.red_ || a.green_ != b.green_ || a.blue_ != b.blue_ || a.alpha_ != b.alpha_) return false;
  if (!a.dark_ || !b.dark_) return !a.dark_ && !b.dark_;
  return *a.dark_ == *b.dark_;
}

}  // namespace ui
