// A view whose content is made elsewhere (a web engine's page). Before a snapshot the renderer asks
// each such view of the tree to bring its image up to date, then draws the image over the view's
// bounds, under its subviews.
#pragma once

#include <optional>

#include "platform/ui/image.h"

namespace render {

class ExternalContent {
 public:
  virtual ~ExternalContent() = default;
  // May run the main loop while the image is made.
  virtual void updateContentImage() = 0;
  virtual std::optional<ui::Image> contentImage() const = 0;
};

}  // namespace render
