// Small generated images for the fixtures' image addresses: "/images/<name>[_<w>x<h>].<png|jpg|jpeg|webp>".
// The colour follows the name, so different addresses look different and the same address looks alike.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mock {

struct EncodedImage {
  std::string mimeType;  // "image/png", "image/jpeg" or "image/webp"
  std::string bytes;
};

// The image for a file name such as "thumb_1001_120x80.webp"; none for another extension or when the
// encoder fails. Sizes default to 120x120 and are kept within 1 to 2000 pixels a side.
std::optional<EncodedImage> renderImage(std::string_view fileName);

}  // namespace mock
