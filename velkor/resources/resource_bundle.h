// The framework's own bundle: the images its screens load by name, drawn by tools/draw-resources
// and embedded in the library.
#pragma once

#include <vector>

#include "platform/ui/image.h"

namespace velkor {

// Made once, on first use.
const ui::ImageBundle& resourceBundle();

// The embedded PNGs (generated into resource_images.cc).
std::vector<ui::ImageBundle::Entry> resourceImageEntries();

}  // namespace velkor
