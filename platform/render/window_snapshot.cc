#include "platform/render/window_snapshot.h"

#include "platform/render/snapshot.h"

namespace render {

std::optional<ui::Image> snapshot(ui::Window& window, double scale) {
  // Presented controllers sit in containers laid over the window: drawing the window's tree in
  // order draws them above the root's view.
  window.layoutIfNeeded();
  return snapshot(static_cast<ui::View&>(window), scale);
}

}  // namespace render
