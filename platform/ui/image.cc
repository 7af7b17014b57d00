#include "platform/ui/image.h"

#include <jpeglib.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <new>
#include <string>

namespace ui {
namespace {

// A picture larger than this is refused rather than allocated: a few bytes of a hostile header can
// claim any size.
constexpr std::uint64_t kMaxPixels = 64ull * 1024 * 1024;

bool acceptableSize(std::uint64_t width, std::uint64_t height) {
  return width > 0 && height > 0 && width * height <= kMaxPixels;
}

bool isPng(std::span<const std::uint8_t> bytes) {
  static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  return bytes.size() >= 8 && std::memcmp(bytes.data(), signature, 8) == 0;
}

bool isJpeg(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 3 && bytes[0] == 0xff && bytes[1] == 0xd8 && bytes[2] == 0xff;
}

// libjpeg reports fatal errors through error_exit, which must not return; we jump back to the
// decode call, whose locals were all constructed before the jump point.
struct JpegErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void jpegErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

void jpegSilence(j_common_ptr, int) {}

bool decodeJpeg(std::span<const std::uint8_t> bytes, int& width, int& height, std::vector<std::uint8_t>& out) {
  jpeg_decompress_struct info;
  JpegErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = jpegErrorExit;
  errors.base.emit_message = jpegSilence;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || !acceptableSize(info.image_width, info.image_height)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_EXT_RGBA;
  jpeg_start_decompress(&info);
  width = static_cast<int>(info.output_width);
  height = static_cast<int>(info.output_height);
  out.assign(std::size_t(width) * height * 4, 0);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out.data() + std::size_t(info.output_scanline) * width * 4;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

bool decodePng(std::span<const std::uint8_t> bytes, int& width, int& height, std::vector<std::uint8_t>& out) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return false;
  if (!acceptableSize(image.width, image.height)) {
    png_image_free(&image);
    return false;
  }
  image.format = PNG_FORMAT_RGBA;
  out.assign(PNG_IMAGE_SIZE(image), 0);
  if (!png_image_finish_read(&image, nullptr, out.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  return true;
}

}  // namespace

Image::Image(int width, int height, std::shared_ptr<const std::vector<std::uint8_t>> pixels, double scale)
    : width_(width), height_(height), pixels_(std::move(pixels)), scale_(scale > 0 ? scale : 1.0) {}

std::optional<Image> Image::fromRgba(int pixelWidth, int pixelHeight, std::vector<std::uint8_t> rgba,
                                     double scale) {
  if (pixelWidth <= 0 || pixelHeight <= 0 || !acceptableSize(pixelWidth, pixelHeight)) return std::nullopt;
  if (rgba.size() != std::size_t(pixelWidth) * pixelHeight * 4) return std::nullopt;
  auto pixels = std::make_shared<const std::vector<std::uint8_t>>(std::move(rgba));
  return Image(pixelWidth, pixelHeight, std::move(pixels), scale);
}

std::optional<Image> Image::decoded(Decoder decode, std::span<const std::uint8_t> bytes, double scale) {
  int width = 0, height = 0;
  std::vector<std::uint8_t> pixels;
  try {
    if (!decode(bytes, width, height, pixels)) return std::nullopt;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  return fromRgba(width, height, std::move(pixels), scale);
}

std::optional<Image> Image::fromPng(std::span<const std::uint8_t> bytes, double scale) {
  if (!isPng(bytes)) return std::nullopt;
  return decoded(decodePng, bytes, scale);
}

std::optional<Image> Image::fromJpeg(std::span<const std::uint8_t> bytes, double scale) {
  if (!isJpeg(bytes)) return std::nullopt;
  return decoded(decodeJpeg, bytes, scale);
}

std::optional<Image> Image::fromData(std::span<const std::uint8_t> bytes, double scale) {
  if (isPng(bytes)) return fromPng(bytes, scale);
  if (isJpeg(bytes)) return fromJpeg(bytes, scale);
  return std::nullopt;
}

std::optional<Image> Image::named(std::string_view name, const ImageBundle& bundle) {
  return bundle.image(name);
}

struct ImageBundle::State {
  std::vector<Entry> entries;
  std::mutex mutex;
  std::map<std::string, std::optional<Image>, std::less<>> decoded;

  const Entry* find(std::string_view name) const {
    for (const Entry& entry : entries) {
      if (entry.name == name) return &entry;
    }
    return nullptr;
  }
};

ImageBundle::ImageBundle(std::vector<Entry> entries) : state_(std::make_unique<State>()) {
  state_->entries = std::move(entries);
}

ImageBundle::~ImageBundle() = default;

std::optional<Image> ImageBundle::image(std::string_view name) const {
  const Entry* entry = state_->find(name);
  if (!entry) return std::nullopt;
  std::lock_guard guard(state_->mutex);
  auto found = state_->decoded.find(name);
  if (found == state_->decoded.end()) {
    found = state_->decoded.emplace(std::string(name), Image::fromPng(entry->png, entry->scale)).first;
  }
  return found->second;
}

bool ImageBundle::contains(std::string_view name) const { return state_->find(name) != nullptr; }

std::vector<std::string_view> ImageBundle::names() const {
  std::vector<std::string_view> result;
  for (const Entry& entry : state_->entries) result.push_back(entry.name);
  return result;
}

}  // namespace ui
