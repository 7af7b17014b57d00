// A position in a list: a section and a row (tables) or an item (collections), ordered section
// first. kNotFound stands for no position, as a row that a caller could not find.
#pragma once

#include <compare>
#include <limits>

namespace ui {

inline constexpr int kNotFound = std::numeric_limits<int>::max();

struct IndexPath {
  int section = 0;
  int item = 0;

  static constexpr IndexPath forRow(int row, int section) { return {section, row}; }
  static constexpr IndexPath forItem(int item, int section) { return {section, item}; }
  // Tables call the item a row.
  constexpr int row() const { return item; }

  friend constexpr auto operator<=>(const IndexPath&, const IndexPath&) = default;
};

}  // namespace ui
