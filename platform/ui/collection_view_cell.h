// A collection item's view: a reusable cell (content view, reuse identifier, selection).
#pragma once

#include "platform/ui/reusable_cell.h"

namespace ui {

class CollectionViewCell : public ReusableCell {
 public:
  using ReusableCell::ReusableCell;
};

}  // namespace ui
