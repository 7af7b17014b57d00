#include "velkor/components/gradient_view.h"

#include <memory>

namespace velkor {

GradientView::GradientView() : ui::View(std::make_shared<ui::GradientLayer>()) {
  gradientLayer().setColors({ui::Color::white(), ui::Color::black()});
}

}  // namespace velkor
