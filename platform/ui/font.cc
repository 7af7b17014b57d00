#include "platform/ui/font.h"

#include <cstdio>
#include <cstdlib>

#include "platform/ui/font_manager.h"

namespace ui {
namespace {

const char* weightSuffix(FontWeight weight) {
  switch (weight) {
    case FontWeight::regular: return "";
    case FontWeight::medium: return "-Medium";
    case FontWeight::semibold: return "-SemiBold";
    case FontWeight::bold: return "-Bold";
  }
  return "";
}

}  // namespace

int weightValue(FontWeight weight) {
  switch (weight) {
    case FontWeight::regular: return 400;
    case FontWeight::medium: return 500;
    case FontWeight::semibold: return 600;
    case FontWeight::bold: return 700;
  }
  return 400;
}

Font Font::systemFont(double size, Weight weight) {
  Font font;
  font.familyName_ = kSystemFontFamily;
  font.fontName_ = std::string(kSystemFontFamily) + weightSuffix(weight);
  font.weight_ = weightValue(weight);
  font.pointSize_ = size;
  font.system_ = true;
  return font;
}

std::optional<Font> Font::named(std::string_view name, double size) {
  auto face = font_manager::face(name);
  if (!face) return std::nullopt;
  Font font;
  font.fontName_ = face->postScriptName.empty() ? std::string(name) : face->postScriptName;
  font.familyName_ = face->familyName;
  font.weight_ = face->weight;
  font.italic_ = face->italic;
  font.pointSize_ = size;
  return font;
}

base::FontDescription Font::toFontDescription() const {
  return base::FontDescription{system_ ? std::string() : fontName_, pointSize_, weight_};
}

Font Font::fromFontDescription(const base::FontDescription& description) {
  if (!description.name.empty()) {
    if (auto named = Font::named(description.name, description.pointSize)) return *named;
    return systemFont(description.pointSize);
  }
  FontWeight nearest = FontWeight::regular;
  for (FontWeight weight : {FontWeight::medium, FontWeight::semibold, FontWeight::bold}) {
    if (std::abs(weightValue(weight) - description.weight) < std::abs(weightValue(nearest) - description.weight)) {
      nearest = weight;
    }
  }
  return systemFont(description.pointSize, nearest);
}

Font Font::withSize(double size) const {
  Font font = *this;
  font.pointSize_ = size;
  return font;
}

std::string Font::description() const {
  char size[32];
  std::snprintf(size, sizeof size, " %gpt", pointSize_);
  return fontName_ + size;
}

}  // namespace ui
