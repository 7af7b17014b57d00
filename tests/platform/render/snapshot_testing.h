// Comparing snapshots with the committed reference PNGs beside this file.
//
// The fonts are pinned before anything touches fontconfig: FONTCONFIG_FILE names fonts.conf here,
// which loads only the fonts-nanum files, unhinted and grey-antialiased.
//
// With VELKOR_UPDATE_SNAPSHOTS=1 in the environment (scripts/update-snapshots) each comparison
// writes its reference instead. On a mismatch the test writes NAME.actual.png and NAME.diff.png
// beside NAME.png (both ignored by git): the diff shows the reference faded, with the differing
// pixels in red.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/render/snapshot.h"

namespace render::testing {

inline std::filesystem::path testDirectory() { return std::filesystem::path(__FILE__).parent_path(); }

// Runs before main(), so before the first font lookup of the process.
inline const bool kFontsPinned = [] {
  ::setenv("FONTCONFIG_FILE", (testDirectory() / "fonts.conf").c_str(), 1);
  return true;
}();

// A pixel differs when a channel is this far off; a snapshot matches while at most this share of
// its pixels differ (anti-aliased edges may move by a shade between library builds).
inline constexpr int kChannelTolerance = 16;
inline constexpr double kDifferingShare = 0.001;

inline std::optional<ui::Image> readPng(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return ui::Image::fromPng(bytes);
}

inline bool differs(const std::uint8_t* a, const std::uint8_t* b) {
  for (int c = 0; c < 4; ++c) {
    if (std::abs(int(a[c]) - int(b[c])) > kChannelTolerance) return true;
  }
  return false;
}

// The reference faded to a quarter, with differing pixels in opaque red.
inline ui::Image diffImage(const ui::Image& actual, const ui::Image& reference) {
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(actual.pixelWidth()) * actual.pixelHeight() * 4);
  for (int y = 0; y < actual.pixelHeight(); ++y) {
    for (int x = 0; x < actual.pixelWidth(); ++x) {
      std::uint8_t* out = rgba.data() + (static_cast<std::size_t>(y) * actual.pixelWidth() + x) * 4;
      const std::uint8_t* a = actual.pixel(x, y);
      const std::uint8_t* r = reference.pixel(x, y);
      if (differs(a, r)) {
        out[0] = 255, out[1] = 0, out[2] = 0, out[3] = 255;
      } else {
        for (int c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>(191 + r[c] / 4);
        out[3] = 255;
      }
    }
  }
  return *ui::Image::fromRgba(actual.pixelWidth(), actual.pixelHeight(), std::move(rgba));
}

inline bool updating() {
  const char* update = std::getenv("VELKOR_UPDATE_SNAPSHOTS");
  return update && std::string(update) == "1";
}

// Compares a snapshot with references/NAME.png.
inline void expectMatchesReference(const std::optional<ui::Image>& actual, const std::string& name) {
  ASSERT_TRUE(actual) << "nothing was drawn for " << name;
  const auto folder = testDirectory() / "references";
  const auto reference = folder / (name + ".png");
  const auto actualPath = folder / (name + ".actual.png");
  const auto diffPath = folder / (name + ".diff.png");
  std::filesystem::remove(actualPath);
  std::filesystem::remove(diffPath);
  if (updating()) {
    std::filesystem::create_directories(folder);
    ASSERT_FALSE(writePng(*actual, reference)) << "could not write " << reference;
    return;
  }
  auto expected = readPng(reference);
  if (!expected) {
    writePng(*actual, actualPath);
    FAIL() << "no reference " << reference << "; run scripts/update-snapshots (the actual image is in "
           << actualPath << ")";
  }
  if (expected->pixelWidth() != actual->pixelWidth() || expected->pixelHeight() != actual->pixelHeight()) {
    writePng(*actual, actualPath);
    FAIL() << name << ": size " << actual->pixelWidth() << "x" << actual->pixelHeight() << ", reference "
           << expected->pixelWidth() << "x" << expected->pixelHeight() << "; see " << actualPath;
  }
  long differing = 0;
  for (int y = 0; y < actual->pixelHeight(); ++y) {
    for (int x = 0; x < actual->pixelWidth(); ++x) differing += differs(actual->pixel(x, y), expected->pixel(x, y));
  }
  const double allowed = kDifferingShare * actual->pixelWidth() * actual->pixelHeight();
  if (differing > allowed) {
    writePng(*actual, actualPath);
    writePng(diffImage(*actual, *expected), diffPath);
    ADD_FAILURE() << name << ": " << differing << " pixels differ from the reference (at most " << allowed
                  << " may); see " << actualPath << " and " << diffPath;
  }
}

}  // namespace render::testing
