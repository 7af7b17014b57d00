// A view's layout margins or safe area as something constraints can use: the view's bounds inset
// by its layout margins, or by its safe-area insets. Owned by its view.
#pragma once

#include "platform/ui/geometry.h"
#include "platform/ui/layout_item.h"

namespace ui {

class LayoutGuide : public LayoutItem {
 public:
  enum class Kind { layoutMargins, safeArea };

  LayoutGuide(View* owner, Kind kind) : owner_(owner), kind_(kind) {}

  Kind kind() const { return kind_; }
  View* owningView() const override { return owner_; }
  // The insets from the owner's bounds that the guide stands for.
  EdgeInsets insets() const;
  // In the owner's bounds coordinates.
  Rect layoutFrame() const;

 private:
  friend class View;
  View* owner_;
  Kind kind_;
};

}  // namespace ui
