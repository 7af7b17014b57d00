// A font without a size: the system font at a weight, or a font by its PostScript or full name.
#pragma once

#include <string>
#include <variant>

#include "platform/ui/font.h"

namespace velkor {

class OfwFont {
 public:
  // A font by name; any name is accepted (an unknown one falls back when sized).
  explicit OfwFont(std::string name) : type_(Custom{std::move(name)}) {}
  static OfwFont system(ui::FontWeight weight) { return OfwFont(System{weight}); }

  // The system font of that size and weight; or the named font of that size, or the regular
  // system font of that size when no installed or registered font has the name.
  ui::Font instance(double size) const;

  friend bool operator==(const OfwFont&, const OfwFont&) = default;

 private:
  struct Custom {
    std::string name;
    friend bool operator==(const Custom&, const Custom&) = default;
  };
  struct System {
    ui::FontWeight weight;
    friend bool operator==(const System&, const System&) = default;
  };
  explicit OfwFont(System system) : type_(system) {}
  std::variant<Custom, System> type_;
};

}  // namespace velkor
