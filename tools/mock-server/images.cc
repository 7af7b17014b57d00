#include "tools/mock-server/images.h"

#include <cairo.h>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <webp/encode.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <regex>
#include <string>
#include <vector>

namespace mock {
namespace {

struct Size {
  int width = 120;
  int height = 120;
};

Size sizeFromName(const std::string& stem) {
  static const std::regex pattern("_([0-9]{1,4})x([0-9]{1,4})$");
  std::smatch match;
  if (!std::regex_search(stem, match, pattern)) return {};
  auto side = [](const std::string& text) { return std::clamp(std::atoi(text.c_str()), 1, 2000); };
  return {side(match[1].str()), side(match[2].str())};
}

uint32_t hashName(std::string_view name) {
  uint32_t hash = 2166136261u;
  for (unsigned char c : name) hash = (hash ^ c) * 16777619u;
  return hash;
}

// Opaque pixels, one 32-bit native-endian 0xAARRGGBB word each (Cairo's ARGB32).
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;

  std::vector<uint8_t> channels(bool withAlpha) const {
    std::vector<uint8_t> out;
    out.reserve(argb.size() * (withAlpha ? 4 : 3));
    for (uint32_t p : argb) {
      out.push_back(static_cast<uint8_t>(p >> 16));
      out.push_back(static_cast<uint8_t>(p >> 8));
      out.push_back(static_cast<uint8_t>(p));
      if (withAlpha) out.push_back(0xff);
    }
    return out;
  }
};

using SurfacePtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

// A plain colour field with a lighter disc, drawn with Cairo.
SurfacePtr drawSurface(std::string_view name, Size size) {
  SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.width, size.height),
                     &cairo_surface_destroy);
  const uint32_t hash = hashName(name);
  auto channel = [hash](int shift) { return (64 + ((hash >> shift) & 0x7f)) / 255.0; };
  cairo_t* cr = cairo_create(surface.get());
  cairo_set_source_rgb(cr, channel(0), channel(8), channel(16));
  cairo_paint(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.4);
  cairo_arc(cr, size.width / 2.0, size.height / 2.0, std::min(size.width, size.height) / 3.0, 0,
            2 * M_PI);
  cairo_fill(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface.get());
  return surface;
}

Pixels pixelsOf(cairo_surface_t* surface) {
  Pixels pixels{cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface), {}};
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  pixels.argb.reserve(static_cast<size_t>(pixels.width) * pixels.height);
  for (int y = 0; y < pixels.height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    pixels.argb.insert(pixels.argb.end(), row, row + pixels.width);
  }
  return pixels;
}

cairo_status_t appendToString(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

std::string encodePng(cairo_surface_t* surface) {
  std::string out;
  if (cairo_surface_write_to_png_stream(surface, &appendToString, &out) != CAIRO_STATUS_SUCCESS) return {};
  return out;
}

struct JpegErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void onJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

// libjpeg reports errors by calling error_exit, which must not return: it jumps back here. Nothing with
// a destructor lives between the setjmp and the jumps.
bool compressJpeg(const uint8_t* rgb, int width, int height, unsigned char** buffer,
                  unsigned long* size) {
  jpeg_compress_struct info{};
  JpegErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = &onJpegError;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, buffer, size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 85, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    auto* row = const_cast<JSAMPROW>(rgb + static_cast<size_t>(info.next_scanline) * width * 3);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

std::string encodeJpeg(const Pixels& pixels) {
  const std::vector<uint8_t> rgb = pixels.channels(false);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool ok = compressJpeg(rgb.data(), pixels.width, pixels.height, &buffer, &size);
  std::string out = ok ? std::string(reinterpret_cast<char*>(buffer), size) : std::string();
  std::free(buffer);
  return out;
}

std::string encodeWebp(const Pixels& pixels) {
  const std::vector<uint8_t> rgba = pixels.channels(true);
  uint8_t* output = nullptr;
  const size_t size =
      WebPEncodeRGBA(rgba.data(), pixels.width, pixels.height, pixels.width * 4, 80.0f, &output);
  std::string out = size > 0 ? std::string(reinterpret_cast<char*>(output), size) : std::string();
  WebPFree(output);
  return out;
}

}  // namespace

std::optional<EncodedImage> renderImage(std::string_view fileName) {
  const size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const std::string extension(fileName.substr(dot + 1));
  const bool jpeg = extension == "jpg" || extension == "jpeg";
  if (extension != "png" && extension != "webp" && !jpeg) return std::nullopt;

  SurfacePtr surface = drawSurface(fileName, sizeFromName(std::string(fileName.substr(0, dot))));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return std::nullopt;
  EncodedImage image;
  if (extension == "png") {
    image = {"image/png", encodePng(surface.get())};
  } else if (jpeg) {
    image = {"image/jpeg", encodeJpeg(pixelsOf(surface.get()))};
  } else {
    image = {"image/webp", encodeWebp(pixelsOf(surface.get()))};
  }
  if (image.bytes.empty()) return std::nullopt;
  return image;
}

}  // namespace mock
