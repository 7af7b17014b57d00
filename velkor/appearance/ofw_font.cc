#include "velkor/appearance/ofw_font.h"

namespace velkor {

ui::Font OfwFont::instance(double size) const {
  if (const auto* system = std::get_if<System>(&type_)) return ui::Font::systemFont(size, system->weight);
  const auto& custom = std::get<Custom>(type_);
  if (auto named = ui::Font::named(custom.name, size)) return *named;
  return ui::Font::systemFont(size);
}

}  // namespace velkor
