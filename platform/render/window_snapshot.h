// A whole window as its screen shows it: the root view controller's view with the views of every
// controller presented above it, each in its container, laid out first. Main thread only.
#pragma once

#include <optional>

#include "platform/ui/image.h"
#include "platform/ui/screen.h"
#include "platform/ui/window.h"

namespace render {

// The window's bounds × scale pixels (the main screen's scale unless given); none for an empty
// window or a scale that is not positive.
std::optional<ui::Image> snapshot(ui::Window& window, double scale = ui::Screen::main().scale);

}  // namespace render
