#include "velkor/components/ofw_toast_message_label.h"

#include <memory>

namespace velkor {

void OfwToastMessageLabel::setIsEnabledInset(bool enabled) {
  isEnabledInset_ = enabled;
  invalidateIntrinsicContentSize();
}

void OfwToastMessageLabel::setLifecycleAnimation(double start, double startDelay, double end, double endDelay) {
  setAlpha(0.0);
  auto self = std::static_pointer_cast<OfwToastMessageLabel>(shared());
  if (!self) return;  // not a shared view: nothing could hold it through its life
  std::weak_ptr<OfwToastMessageLabel> weak = self;
  const auto easeOut = ui::AnimationOptions::curveEaseOut;
  ui::View::animate(start, startDelay, easeOut, [self] { self->setAlpha(1.0); }, [weak, end, endDelay, easeOut](bool) {
    auto label = weak.lock();
    if (!label) return;
    ui::View::animate(end, endDelay, easeOut, [label] { label->setAlpha(0.0); }, [weak](bool) {
      if (auto gone = weak.lock()) gone->removeFromSuperview();
    });
  });
}

void OfwToastMessageLabel::drawText(const ui::Rect& rect) { ui::Label::drawText(layoutMargins().inset(rect)); }

ui::Size OfwToastMessageLabel::intrinsicContentSize() const {
  ui::Size size = ui::Label::intrinsicContentSize();
  if (!isEnabledInset_) return size;
  const auto& margins = layoutMargins();
  return {size.width + margins.left + margins.right, size.height + margins.top + margins.bottom};
}

}  // namespace velkor
