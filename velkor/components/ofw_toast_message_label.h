// The short message that fades in over a screen, stays a moment, fades out and removes itself. Its
// text is drawn inside the label's layout margins.
#pragma once

#include "platform/ui/label.h"

namespace velkor {

class OfwToastMessageLabel : public ui::Label {
 public:
  // Whether the natural size counts the margins; the text is drawn inset either way.
  bool isEnabledInset() const { return isEnabledInset_; }
  void setIsEnabledInset(bool enabled);

  // Fades in over `start` seconds after `startDelay`, then out over `end` after `endDelay`, then
  // leaves its superview. Only the fade-in keeps the label alive: a label let go before its
  // fade-out does nothing more.
  virtual void setLifecycleAnimation(double start, double startDelay, double end, double endDelay);

  void drawText(const ui::Rect& rect) override;
  ui::Size intrinsicContentSize() const override;

 private:
  bool isEnabledInset_ = false;
};

}  // namespace velkor
