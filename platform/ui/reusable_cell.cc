#include "platform/ui/reusable_cell.h"

namespace ui {

ReusableCell::ReusableCell() : contentView_(std::make_shared<View>()) {
  // The content view follows the cell's size at once, so that a cell is measured and laid out at
  // the size it is given.
  contentView_->setAutoresizingMask(AutoresizingMask::flexibleWidth | AutoresizingMask::flexibleHeight);
  addSubview(contentView_);
}

ReusableCell::ReusableCell(const Rect& frame) : ReusableCell() { setFrame(frame); }

void ReusableCell::setSelected(bool selected, bool animated) {
  (void)animated;
  selected_ = selected;
  setNeedsDisplay();
}

void ReusableCell::setHighlighted(bool highlighted, bool animated) {
  (void)animated;
  highlighted_ = highlighted;
  setNeedsDisplay();
}

}  // namespace ui
