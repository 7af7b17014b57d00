// The remove button at a tag chip's trailing edge: a drawn cross centred in its bounds.
#pragma once

#include <memory>

#include "platform/ui/button.h"

namespace velkor {

class ANTagView;

class CloseButton : public ui::Button {
 public:
  CloseButton() = default;
  explicit CloseButton(const ui::Rect& frame) : ui::Button(frame) {}

  // Plain values: the next drawing uses them; changing one does not redraw.
  double iconSize() const { return iconSize_; }
  void setIconSize(double size) { iconSize_ = size; }
  double lineWidth() const { return lineWidth_; }
  void setLineWidth(double width) { lineWidth_ = width; }
  const ui::Color& lineColor() const { return lineColor_; }
  void setLineColor(const ui::Color& color) { lineColor_ = color; }
  // The chip this button belongs to; held weakly so a tap finds the chip without keeping it alive.
  std::shared_ptr<ANTagView> tagView() const { return tagView_.lock(); }
  void setTagView(std::weak_ptr<ANTagView> tagView) { tagView_ = std::move(tagView); }

  // Two strokes corner to corner of an iconSize square centred in the rectangle (past its edges
  // when the rectangle is smaller).
  void draw(const ui::Rect& rect) override;

 private:
  double iconSize_ = 10.0;
  double lineWidth_ = 1.0;
  ui::Color lineColor_ = ui::Color::white().withAlphaComponent(0.54);
  std::weak_ptr<ANTagView> tagView_;
};

}  // namespace velkor
