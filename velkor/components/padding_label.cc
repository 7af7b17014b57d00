#include "velkor/components/padding_label.h"

namespace velkor {

void PaddingLabel::drawText(const ui::Rect& rect) {
  ui::Label::drawText(ui::Rect(rect.origin.x + leftInset, rect.origin.y + topInset,
                               rect.size.width - (leftInset + rightInset),
                               rect.size.height - (topInset + bottomInset)));
}

ui::Size PaddingLabel::intrinsicContentSize() const {
  const ui::Size size = ui::Label::intrinsicContentSize();
  return {size.width + leftInset + rightInset, size.height + topInset + bottomInset};
}

}  // namespace velkor
