// Draws a view tree with Cairo and Pango: the view's bounds at a scale of pixels per point, with
// its layers' backgrounds, rounded and masked corners, borders, shadows, gradients, shape layers
// and masks, custom drawing, images in their content modes and labels' text, under each layer's
// opacity, hiding, clipping and transform. Animations show their end values (the model's state).
// Main thread only, like the views it reads.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/base/error.h"
#include "platform/ui/image.h"
#include "platform/ui/view.h"

namespace render {

inline constexpr const char* kRenderErrorDomain = "render.RenderErrorDomain";

// The view and its subviews as an image of bounds × scale pixels (rounded up), its scale set to
// `scale`. None for an empty view, a scale that is not positive or an image too large to make.
std::optional<ui::Image> snapshot(ui::View& view, double scale = 2.0);

// snapshot() written as a PNG file. Errors in kRenderErrorDomain: 1 nothing to draw, 2 the file
// could not be written.
std::optional<base::Error> writePng(ui::View& view, const std::filesystem::path& path, double scale = 2.0);
// An image written as a PNG file.
std::optional<base::Error> writePng(const ui::Image& image, const std::filesystem::path& path);

}  // namespace render
