// A label whose text keeps insets from its edges, in drawing and in its natural size.
#pragma once

#include "platform/ui/label.h"

namespace velkor {

class PaddingLabel : public ui::Label {
 public:
  PaddingLabel() = default;
  explicit PaddingLabel(const ui::Rect& frame) : ui::Label(frame) {}

  // Stored only: the next drawing and measuring use them.
  double topInset = 0;
  double bottomInset = 0;
  double leftInset = 0;
  double rightInset = 0;

  void drawText(const ui::Rect& rect) override;
  ui::Size intrinsicContentSize() const override;
};

}  // namespace velkor
