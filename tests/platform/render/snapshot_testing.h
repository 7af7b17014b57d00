// Comparing snapshots with the committed reference PNGs in references/. Fonts are pinned before
// anything touches fontconfig: fonts.conf here loads only the fonts-nanum files, unhinted.
// VELKOR_UPDATE_SNAPSHOTS=1 (scripts/update-snapshots) writes the references instead. On a mismatch
// NAME.actual.png and NAME.diff.png (the reference faded, differing pixels red) go beside NAME.png.
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

inline std::filesystem::path testDirectory() {
  return std::filesystem::path(VELKOR_SOURCE_DIR) / "tests" / "platform" / "render";
}

// Runs before main(), so before the first font lookup of the process.
inline const bool kFontsPinned = [] {
  ::setenv("FONTCONFIG_FILE", (testDirectory() / "fonts.conf").c_str(), 1);
  return true;
}();

// Anti-aliased edges may move by a shade between library builds: a pixel differs when a channel is
// more than 16 off, and at most 0.1% of the pixels may differ.
inline bool differs(const std::uint8_t* a, const std::uint8_t* b) {
  for (int c = 0; c < 4; ++c) {
    if (std::abs(int(a[c]) - int(b[c])) > 16) return true;
  }
  return false;
}

inline ui::Image diffImage(const ui::Image& actual, const ui::Image& reference) {
  std::vector<std::uint8_t> rgba;
  for (int y = 0; y < actual.pixelHeight(); ++y) {
    for (int x = 0; x < actual.pixelWidth(); ++x) {
      const std::uint8_t* r = reference.pixel(x, y);
      const bool red = differs(actual.pixel(x, y), r);
      for (int c = 0; c < 3; ++c) rgba.push_back(red ? (c ? 0 : 255) : std::uint8_t(191 + r[c] / 4));
      rgba.push_back(255);
    }
  }
  return *ui::Image::fromRgba(actual.pixelWidth(), actual.pixelHeight(), std::move(rgba));
}

// Compares a snapshot with references/NAME.png.
inline void expectMatchesReference(const std::optional<ui::Image>& actual, const std::string& name) {
  ASSERT_TRUE(actual) << "nothing was drawn for " << name;
  const auto folder = testDirectory() / "references";
  const auto reference = folder / (name + ".png"), actualPath = folder / (name + ".actual.png"),
             diffPath = folder / (name + ".diff.png");
  std::filesystem::remove(actualPath);
  std::filesystem::remove(diffPath);
  if (const char* update = std::getenv("VELKOR_UPDATE_SNAPSHOTS"); update && std::string(update) == "1") {
    ASSERT_FALSE(writePng(*actual, reference)) << "could not write " << reference;
    return;
  }
  std::ifstream file(reference, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const auto expected = file ? ui::Image::fromPng(bytes) : std::nullopt;
  if (!expected || expected->pixelWidth() != actual->pixelWidth() ||
      expected->pixelHeight() != actual->pixelHeight()) {
    writePng(*actual, actualPath);
    FAIL() << name << ": no reference of size " << actual->pixelWidth() << "x" << actual->pixelHeight()
           << "; run scripts/update-snapshots (the actual image is in " << actualPath << ")";
  }
  long differing = 0;
  for (int y = 0; y < actual->pixelHeight(); ++y) {
    for (int x = 0; x < actual->pixelWidth(); ++x) differing += differs(actual->pixel(x, y), expected->pixel(x, y));
  }
  const double allowed = 0.001 * actual->pixelWidth() * actual->pixelHeight();
  if (differing > allowed) {
    writePng(*actual, actualPath);
    writePng(diffImage(*actual, *expected), diffPath);
    ADD_FAILURE() << name << ": " << differing << " pixels differ from the reference (at most " << allowed
                  << " may); see " << actualPath << " and " << diffPath;
  }
}

}  // namespace render::testing
