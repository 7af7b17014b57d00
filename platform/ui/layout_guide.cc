#include "platform/ui/layout_guide.h"

#include "platform/ui/view.h"

namespace ui {

EdgeInsets LayoutGuide::insets() const {
  if (!owner_) return {};
  if (kind_ == Kind::safeArea) return owner_->safeAreaInsets();
  EdgeInsets margins = owner_->layoutMargins();
  return owner_->insetsLayoutMarginsFromSafeArea() ? margins + owner_->safeAreaInsets() : margins;
}

Rect LayoutGuide::layoutFrame() const { return owner_ ? insets().inset(owner_->bounds()) : Rect(); }

}  // namespace ui
