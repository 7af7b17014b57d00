#include "platform/ui/table_view_cell.h"

namespace ui {

TableViewCell::TableViewCell() = default;

TableViewCell::TableViewCell(const Rect& frame) : ReusableCell(frame) {}

void TableViewCell::setSeparatorInset(const EdgeInsets& inset) {
  separatorInset_ = inset;
  setNeedsLayout();
}

void TableViewCell::showSeparator(bool shown, const Color& color) {
  if (!shown) {
    if (separator_) separator_->setHidden(true);
    return;
  }
  if (!separator_) {
    separator_ = std::make_shared<View>();
    separator_->setUserInteractionEnabled(false);
    addSubview(separator_);
  }
  separator_->setHidden(false);
  separator_->setBackgroundColor(color);
  setNeedsLayout();
}

void TableViewCell::layoutSubviews() {
  ReusableCell::layoutSubviews();
  if (!separator_) return;
  // Drawn over the bottom of the content, as the platform's line is.
  Rect b = bounds();
  double width = b.width() - separatorInset_.left - separatorInset_.right;
  separator_->setFrame({separatorInset_.left, b.height() - kSeparatorHeight, width > 0 ? width : 0, kSeparatorHeight});
  bringSubviewToFront(*separator_);
}

}  // namespace ui
