// A view whose own layer is a gradient: white at the top to black at the bottom until the screen that
// owns it recolours it.
#pragma once

#include "platform/ui/gradient_layer.h"
#include "platform/ui/view.h"

namespace velkor {

class GradientView : public ui::View {
 public:
  GradientView();

  ui::GradientLayer& gradientLayer() const { return static_cast<ui::GradientLayer&>(layer()); }
};

}  // namespace velkor
