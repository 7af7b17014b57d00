#include "platform/ui/text_layout.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace ui {
namespace {

using Lines = std::vector<std::string>;

const std::string kEllipsis = "\xE2\x80\xA6";

TextStyle styleOf(double size, int lines, LineBreakMode mode = LineBreakMode::byTruncatingTail) {
  TextStyle style;
  style.font = Font::systemFont(size);
  style.numberOfLines = lines;
  style.lineBreakMode = mode;
  return style;
}

double lineHeight(double size) { return TextLayout(base::AttributedString("Ag"), styleOf(size, 1)).size().height; }

TEST(TextLayoutTest, WrapsAtTheWidth) {
  const struct {
    const char* text;
    double width;
    int lines;
    LineBreakMode mode;
    Lines expected;
  } cases[] = {
      {"The quick brown fox", 90, 0, LineBreakMode::byWordWrapping, {"The quick ", "brown fox"}},
      {"one\ntwo\n\nfour", kUnboundedTextWidth, 0, LineBreakMode::byWordWrapping, {"one", "two", "", "four"}},
      {"crlf\r\nends", kUnboundedTextWidth, 0, LineBreakMode::byWordWrapping, {"crlf", "ends"}},
      // Hangul words break at spaces, not between syllables.
      {"안녕하세요 여러분 반갑습니다", 90, 0, LineBreakMode::byWordWrapping, {"안녕하세요 ", "여러분 ", "반갑습니다"}},
      // A word wider than the line breaks within after all.
      {"가나다라마바사아자차카", 90, 0, LineBreakMode::byWordWrapping, {"가나다라마", "바사아자차", "카"}},
      // Character wrapping fills each line.
      {"안녕하세요 여러분", 50, 0, LineBreakMode::byCharWrapping, {"안녕하", "세요 여", "러분"}},
      // Wrapping modes cut the text at the last line allowed.
      {"The quick brown fox jumps", 90, 2, LineBreakMode::byWordWrapping, {"The quick ", "brown fox "}},
  };
  for (const auto& c : cases) {
    TextLayout layout(base::AttributedString(c.text), styleOf(16, c.lines, c.mode), c.width);
    EXPECT_EQ(layout.lineTexts(), c.expected) << c.text << " at " << c.width;
    if (std::isfinite(c.width)) {
      EXPECT_LE(layout.size().width, c.width) << c.text;
    }
    EXPECT_NEAR(layout.size().height, c.expected.size() * lineHeight(16), 0.01) << c.text;
  }
}

TEST(TextLayoutTest, TruncatesTheLastLineAsTheModeSays) {
  const char* text = "The quick brown fox jumps over the lazy dog";
  const struct {
    LineBreakMode mode;
    int lines;
    Lines expected;
  } cases[] = {
      {LineBreakMode::byTruncatingTail, 2, {"The quick ", "brown fox " + kEllipsis}},
      {LineBreakMode::byTruncatingMiddle, 1, {"The qu" + kEllipsis + "zy dog"}},
      {LineBreakMode::byTruncatingHead, 2, {"The quick ", kEllipsis + "e lazy dog"}},
      // Clipping shows the rest of the paragraph on the last line, cut at the width.
      {LineBreakMode::byClipping, 2, {"The quick ", "brown fox jumps over the lazy dog"}},
  };
  for (const auto& c : cases) {
    TextLayout layout(base::AttributedString(text), styleOf(16, c.lines, c.mode), 90);
    const Lines lines = layout.lineTexts();
    ASSERT_EQ(lines.size(), c.expected.size()) << static_cast<int>(c.mode);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_EQ(lines[i], c.expected[i]);
    // Where the ellipsis falls depends on glyph widths; its side does not.
    const std::string& last = lines.back();
    const std::string& want = c.expected.back();
    if (c.mode == LineBreakMode::byTruncatingTail) {
      EXPECT_TRUE(last.ends_with(kEllipsis)) << last;
    }
    if (c.mode == LineBreakMode::byTruncatingHead) {
      EXPECT_TRUE(last.starts_with(kEllipsis)) << last;
    }
    if (c.mode == LineBreakMode::byTruncatingMiddle) {
      EXPECT_TRUE(last.starts_with("The") && last.ends_with("dog") && last.find(kEllipsis) != std::string::npos) << last;
    }
    if (c.mode == LineBreakMode::byClipping) {
      EXPECT_EQ(last, want);
    }
    EXPECT_TRUE(layout.isTruncated());
    EXPECT_LE(layout.size().width, 90);
    EXPECT_NEAR(layout.size().height, c.lines * lineHeight(16), 0.01);
  }
}

TEST(TextLayoutTest, LinesBeyondTheHeightAreDropped) {
  const double line = lineHeight(16);
  TextLayout layout(base::AttributedString("one two three four"), styleOf(16, 0), 40, 2.5 * line);
  EXPECT_EQ(layout.lineCount(), 2);
  EXPECT_TRUE(layout.isTruncated());
  // At least one line shows, however short the height.
  EXPECT_EQ(TextLayout(base::AttributedString("one two"), styleOf(16, 0), 40, 1).lineCount(), 1);
}

// Paints into an ARGB image and reports the columns that got ink.
struct Painted {
  int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1;
  double red = 0, blue = 0;
};

Painted paint(const TextLayout& layout, int width, int height, const Rect& rect,
              std::optional<Color> override = std::nullopt) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  layout.draw(cr, rect, TraitCollection{}, override);
  cairo_surface_flush(surface);
  Painted painted;
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = data + y * stride + x * 4;  // B G R A, premultiplied
      if (p[3] < 128) continue;
      painted.minX = std::min(painted.minX, x);
      painted.maxX = std::max(painted.maxX, x);
      painted.minY = std::min(painted.minY, y);
      painted.maxY = std::max(painted.maxY, y);
      painted.red += p[2];
      painted.blue += p[0];
    }
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return painted;
}

TEST(TextLayoutTest, DrawsAlignedInItsWidthWithItsColours) {
  base::Attributes red;
  red.foregroundColor = Color(1, 0, 0).toColorDescription();
  const struct {
    TextAlignment alignment;
    int minX, maxX;  // where the ink must fall in a 200-point rect at x 10
  } cases[] = {
      {TextAlignment::left, 10, 70},
      {TextAlignment::center, 80, 140},
      {TextAlignment::right, 150, 210},
  };
  for (const auto& c : cases) {
    ParagraphStyle paragraph{.alignment = c.alignment};
    base::Attributes attributes = red;
    attributes.paragraphStyle = paragraph;
    TextLayout layout(base::AttributedString("Hello", attributes), styleOf(20, 1), 200);
    Painted painted = paint(layout, 240, 40, Rect(10, 5, 200, 30));
    EXPECT_GE(painted.minX, c.minX) << static_cast<int>(c.alignment);
    EXPECT_LE(painted.maxX, c.maxX) << static_cast<int>(c.alignment);
    EXPECT_GE(painted.minY, 5);
    EXPECT_GT(painted.red, 0);
    EXPECT_EQ(painted.blue, 0);
  }
  // A highlighted colour replaces every colour of the text.
  TextLayout layout(base::AttributedString("Hello", red), styleOf(20, 1), 200);
  Painted blue = paint(layout, 240, 40, Rect(10, 5, 200, 30), Color(0, 0, 1));
  EXPECT_EQ(blue.red, 0);
  EXPECT_GT(blue.blue, 0);
}

}  // namespace
}  // namespace ui
