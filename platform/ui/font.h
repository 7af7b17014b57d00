// A font: a face (by family and weight, or by a name fontconfig knows) at a point size. The system
// font is a Korean-capable Nanum family, pinned so that text measures the same on every machine.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/base/attributed_string.h"

namespace ui {

// The family behind the system font (installed with fonts-nanum).
inline constexpr const char* kSystemFontFamily = "NanumGothic";

// The system font's weights, as the phone platform names them.
enum class FontWeight { regular, medium, semibold, bold };

// 400, 500, 600 or 700: the numeric weight text engines (and CSS) use.
int weightValue(FontWeight weight);

class Font {
 public:
  using Weight = FontWeight;

  static Font systemFont(double size, Weight weight = Weight::regular);
  static Font boldSystemFont(double size) { return systemFont(size, Weight::bold); }
  // The installed or registered font whose PostScript name, full name or family is exactly `name`;
  // none when no such font exists (the caller decides on a fallback).
  static std::optional<Font> named(std::string_view name, double size);

  // PostScript name of a named font; for the system font, its family and weight ("NanumGothic-Bold").
  const std::string& fontName() const { return fontName_; }
  const std::string& familyName() const { return familyName_; }
  // 100 to 900; see weightValue().
  int weight() const { return weight_; }
  bool isItalic() const { return italic_; }
  double pointSize() const { return pointSize_; }
  bool isSystemFont() const { return system_; }

  Font withSize(double size) const;

  // The plain form attributed strings carry (no name for the system font), and back: a system
  // description takes the nearest system weight; a name no font has gives the regular system font.
  base::FontDescription toFontDescription() const;
  static Font fromFontDescription(const base::FontDescription& description);
  // "NanumGothic-Bold 17pt", for logs and test failures.
  std::string description() const;

  friend bool operator==(const Font&, const Font&) = default;

 private:
  Font() = default;
  std::string fontName_;
  std::string familyName_;
  int weight_ = 400;
  bool italic_ = false;
  double pointSize_ = 0;
  bool system_ = false;
};

}  // namespace ui
