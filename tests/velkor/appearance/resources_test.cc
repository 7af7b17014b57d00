#include "velkor/resources/resource_bundle.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace velkor {
namespace {

// Every image the screens load from the framework's bundle, with its size in points.
const struct {
  const char* name;
  double width, height;
} kScreenImages[] = {
    {"empty", 1, 1},           {"nothing", 50, 50},        {"ico-mark-new", 15, 15},
    {"temp_thumb", 52, 52},    {"ico-info-timer", 24, 24}, {"ico-info-completed", 24, 24},
    {"velkorPlaceholder", 120, 72}, {"ic_dropdown_arrow", 10, 6}, {"btnTop", 46, 46},
    {"ic_retry", 40, 40},      {"ic_back", 24, 24},        {"ic_close", 24, 24},
    {"ic_help", 24, 24},       {"ic_reward", 24, 24},      {"ic_loading_1", 40, 10},
    {"ic_loading_2", 40, 10},  {"ic_loading_3", 40, 10},   {"ic_loading_4", 40, 10},
};

TEST(ResourceBundleTest, EveryImageTheScreensNameDecodesAtItsSize) {
  for (const auto& expected : kScreenImages) {
    auto image = ui::Image::named(expected.name, resourceBundle());
    ASSERT_TRUE(image) << expected.name;
    EXPECT_EQ(image->size(), (ui::Size{expected.width, expected.height})) << expected.name;
    EXPECT_EQ(image->scale(), 2.0);
  }
  EXPECT_EQ(resourceBundle().names().size(), std::size(kScreenImages));
  EXPECT_FALSE(ui::Image::named("Empty", resourceBundle()));
  EXPECT_FALSE(ui::Image::named("ico-mark-new.png", resourceBundle()));
}

TEST(ResourceBundleTest, EmbeddedBytesMatchTheCommittedPngs) {
  for (const auto& entry : resourceImageEntries()) {
    std::ifstream file(std::string(VELKOR_SOURCE_DIR) + "/velkor/resources/images/" + std::string(entry.name) + ".png",
                       std::ios::binary);
    ASSERT_TRUE(file) << entry.name;
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), entry.png.begin(), entry.png.end())) << entry.name;
  }
}

}  // namespace
}  // namespace velkor
