#include "platform/ui/image.h"

#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>

#include <array>

namespace ui {
namespace {

std::vector<std::uint8_t> checkerRgba(int width, int height) {
  std::vector<std::uint8_t> rgba;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bool on = (x + y) % 2 == 0;
      rgba.insert(rgba.end(), {std::uint8_t(on ? 255 : 0), std::uint8_t(x * 10), std::uint8_t(y * 10),
                               std::uint8_t(on ? 255 : 128)});
    }
  }
  return rgba;
}

std::vector<std::uint8_t> encodePng(int width, int height, const std::vector<std::uint8_t>& rgba) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr);
  std::vector<std::uint8_t> out(size);
  EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr));
  out.resize(size);
  return out;
}

// A flat grey JPEG, so lossy coding leaves the value exact enough to test.
std::vector<std::uint8_t> encodeJpeg(int width, int height, std::uint8_t grey) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<std::uint8_t> row(std::size_t(width) * 3, grey);
  while (info.next_scanline < info.image_height) {
    JSAMPROW pointer = row.data();
    jpeg_write_scanlines(&info, &pointer, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<std::uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  free(buffer);
  return out;
}

TEST(ImageTest, PngRoundTripsStraightAlphaAndScale) {
  auto rgba = checkerRgba(5, 3);
  auto image = Image::fromData(encodePng(5, 3, rgba), 2.0);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->size(), (Size{2.5, 1.5}));
  EXPECT_TRUE(std::equal(rgba.begin(), rgba.end(), image->rgba().begin(), image->rgba().end()));
  // Half-transparent pixels keep their colour (not premultiplied).
  EXPECT_EQ(image->pixel(1, 0)[0], 0);
  EXPECT_EQ(image->pixel(1, 0)[1], 10);
  EXPECT_EQ(image->pixel(1, 0)[3], 128);
}

TEST(ImageTest, JpegDecodesToOpaqueRgba) {
  auto image = Image::fromData(encodeJpeg(16, 8, 200));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixelWidth(), 16);
  EXPECT_EQ(image->pixelHeight(), 8);
  const std::uint8_t* p = image->pixel(15, 7);
  EXPECT_NEAR(p[0], 200, 2);
  EXPECT_NEAR(p[2], 200, 2);
  EXPECT_EQ(p[3], 255);
}

TEST(ImageTest, DamagedOrForeignBytesGiveNoImage) {
  auto png = encodePng(4, 4, checkerRgba(4, 4));
  auto jpeg = encodeJpeg(32, 32, 90);
  std::vector<std::uint8_t> truncatedPng(png.begin(), png.begin() + png.size() / 2);
  std::vector<std::uint8_t> truncatedJpeg(jpeg.begin(), jpeg.begin() + 20);
  std::vector<std::uint8_t> corruptPng = png;
  corruptPng[png.size() / 2] ^= 0xff;  // inside the compressed data: its checksum fails
  const std::vector<std::uint8_t> webpHeader = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'};
  const std::vector<std::vector<std::uint8_t>> inputs = {{}, truncatedPng, corruptPng, truncatedJpeg,
                                                         webpHeader, {0x89, 'P', 'N', 'G'}};
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    EXPECT_FALSE(Image::fromData(inputs[i])) << "input " << i;
  }
  // Each decoder refuses the other's format.
  EXPECT_FALSE(Image::fromPng(jpeg));
  EXPECT_FALSE(Image::fromJpeg(png));
}

TEST(ImageTest, HugeClaimedSizeIsRefusedNotAllocated) {
  auto png = encodePng(1, 1, {1, 2, 3, 4});
  // IHDR width and height sit at bytes 16..23; claim 60000 × 60000 (the CRC no longer matches, so
  // either guard may refuse it, but nothing may try to allocate 14 GB).
  const std::array<std::uint8_t, 8> huge = {0, 0, 0xea, 0x60, 0, 0, 0xea, 0x60};
  std::copy(huge.begin(), huge.end(), png.begin() + 16);
  EXPECT_FALSE(Image::fromPng(png));
  EXPECT_FALSE(Image::fromRgba(60000, 60000, {}));
}

}  // namespace
}  // namespace ui
