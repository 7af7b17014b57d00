#include "platform/ui/reusable_cell.h"

#include <utility>

#include "platform/ui/layout_engine.h"

namespace ui {

ReusableCell::ReusableCell() : contentView_(std::make_shared<View>()) {
  // What a cell holds is solved apart from the list around it: adding, moving or dropping a cell
  // costs the list's engine nothing.
  makeLayoutRoot();
  // The content view follows the cell's size at once, so that a cell is measured and laid out at
  // the size it is given.
  contentView_->setAutoresizingMask(kFlexibleSize);
  addSubview(contentView_);
}

ReusableCell::ReusableCell(const Rect& frame) : ReusableCell() { setFrame(frame); }

Size ReusableCell::contentFittingSize(Size target, LayoutPriority horizontal, LayoutPriority vertical) {
  return ownEngine().fittingSize(*contentView_, target, horizontal, vertical);
}

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

void CellPressResponder::highlight(bool highlighted) {
  if (!pressed_) return;
  if (auto cell = cellOf(*pressed_)) cell->setHighlighted(highlighted);
}

void CellPressResponder::touchBegan(const Touch& touch) {
  if (touch_) return;
  pressed_ = itemUnder(touch);
  if (!pressed_) return;
  touch_ = &touch;
  highlight(true);
}

void CellPressResponder::touchMoved(const Touch& touch) {
  if (&touch == touch_) highlight(itemUnder(touch) == pressed_);
}

void CellPressResponder::touchEnded(const Touch& touch) {
  if (&touch != touch_) return;
  highlight(false);
  touch_ = nullptr;
  std::optional<IndexPath> item = std::exchange(pressed_, std::nullopt);
  if (item && itemUnder(touch) == item) itemPressed(*item);
}

void CellPressResponder::touchCancelled(const Touch& touch) {
  if (&touch != touch_) return;
  highlight(false);
  touch_ = nullptr;
  pressed_.reset();
}

}  // namespace ui
