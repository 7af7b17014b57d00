// Pictures the servers name by URL: fetched once per process, decoded off the main thread (WebP
// through libwebp when the platform decoder refuses the bytes), kept in one process-wide cache and
// set on an image view only while that view still waits for that very load.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>

#include "platform/base/url.h"
#include "platform/ui/button.h"
#include "platform/ui/image.h"
#include "platform/ui/image_view.h"

namespace velkor {

// Runs on the main thread, only when an image was obtained (from the cache or the network).
using RemoteImageCompletion = std::function<void(const ui::Image& image)>;

// Clears the view's image, then shows the URL's picture on a later main-loop turn. Main thread only.
// Only the view's latest load may set its image; an older one still fills the cache and still calls
// its own completion. The view is held weakly: one freed meanwhile is skipped.
void setImage(const std::shared_ptr<ui::ImageView>& view, const base::Url& url,
              RemoteImageCompletion completion = {});
// The same, showing the placeholder (nothing when absent) until the picture arrives.
void setImage(const std::shared_ptr<ui::ImageView>& view, const base::Url& url,
              std::optional<ui::Image> placeholder, RemoteImageCompletion completion);
// Offered to hosts for buttons and deliberately without effect: no button of the SDK loads a
// remote picture, and which control state one should go to is the host's business.
void setImage(ui::Button& button, const base::Url& url);

// PNG or JPEG through the platform decoder, else WebP; none for anything else. Any thread.
std::optional<ui::Image> parseToImage(std::span<const std::uint8_t> data);
// WebP bytes as an image; none when they are not WebP, fail to decode or are too large to address.
std::optional<ui::Image> decodeWebPImage(std::span<const std::uint8_t> data);

}  // namespace velkor
