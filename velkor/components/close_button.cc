#include "velkor/components/close_button.h"

#include "platform/ui/bezier_path.h"
#include "platform/ui/graphics_context.h"

namespace velkor {

void CloseButton::draw(const ui::Rect& rect) {
  auto* context = ui::GraphicsContext::current();
  if (!context) return;
  const double left = (rect.size.width - iconSize_) * 0.5;
  const double top = (rect.size.height - iconSize_) * 0.5;
  ui::BezierPath path;
  path.setLineWidth(lineWidth_);
  path.setLineCapStyle(ui::LineCap::round);
  path.move({left, top});
  path.addLine({left + iconSize_, top + iconSize_});
  path.move({left + iconSize_, top});
  path.addLine({left, top + iconSize_});
  context->setStrokeColor(lineColor_);
  context->stroke(path);
}

}  // namespace velkor
