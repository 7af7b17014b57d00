// A bitmap: straight (not premultiplied) RGBA pixels, row by row, with the scale that turns pixels
// into points. Copies share their pixels, which never change after creation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/ui/geometry.h"

namespace ui {

class ImageBundle;

class Image {
 public:
  // PNG or JPEG bytes, told apart by their signature; none for anything else or a damaged file.
  static std::optional<Image> fromData(std::span<const std::uint8_t> bytes, double scale = 1.0);
  static std::optional<Image> fromPng(std::span<const std::uint8_t> bytes, double scale = 1.0);
  static std::optional<Image> fromJpeg(std::span<const std::uint8_t> bytes, double scale = 1.0);
  // Width × height × 4 bytes of straight RGBA; none when the sizes do not agree or are zero.
  static std::optional<Image> fromRgba(int pixelWidth, int pixelHeight, std::vector<std::uint8_t> rgba,
                                       double scale = 1.0);
  // The image of that name in a bundle's images; none when the bundle has no such image.
  static std::optional<Image> named(std::string_view name, const ImageBundle& bundle);

  int pixelWidth() const { return width_; }
  int pixelHeight() const { return height_; }
  double scale() const { return scale_; }
  // In points: pixels divided by the scale.
  Size size() const { return {width_ / scale_, height_ / scale_}; }
  std::span<const std::uint8_t> rgba() const { return *pixels_; }
  // The four bytes of one pixel (x, y in pixels, inside the image).
  const std::uint8_t* pixel(int x, int y) const { return pixels_->data() + (std::size_t(y) * width_ + x) * 4; }

  // True for two copies of one image (not for two equal images).
  bool isSameImage(const Image& other) const { return pixels_ == other.pixels_; }

 private:
  using Decoder = bool (*)(std::span<const std::uint8_t>, int& width, int& height, std::vector<std::uint8_t>& rgba);
  static std::optional<Image> decoded(Decoder decode, std::span<const std::uint8_t> bytes, double scale);
  Image(int width, int height, std::shared_ptr<const std::vector<std::uint8_t>> pixels, double scale);
  int width_;
  int height_;
  std::shared_ptr<const std::vector<std::uint8_t>> pixels_;
  double scale_;
};

// A set of named images in PNG form: an app's or a framework's resources. Images decode on first
// use and are kept, so every lookup of a name gives the same image.
class ImageBundle {
 public:
  struct Entry {
    std::string_view name;
    std::span<const std::uint8_t> png;
    double scale = 1.0;
  };
  explicit ImageBundle(std::vector<Entry> entries);
  ~ImageBundle();
  ImageBundle(const ImageBundle&) = delete;
  ImageBundle& operator=(const ImageBundle&) = delete;

  std::optional<Image> image(std::string_view name) const;
  bool contains(std::string_view name) const;
  std::vector<std::string_view> names() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace ui
