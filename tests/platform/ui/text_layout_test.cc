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

double lineHeight(double size) {
  return TextLayout(base::AttributedString("Ag"), styleOf(size, 1)).size().height;
}

base::AttributedString withParagraph(const std::string& text, const ParagraphStyle& paragraph) {
  base::Attributes attributes;
  attributes.paragraphStyle = paragraph;
  return base::AttributedString(text, attributes);
}

TEST(TextLayoutTest, OneLineGrowsWithItsTextInLatinAndKorean) {
  const double height = lineHeight(16);
  EXPECT_GT(height, 16);
  EXPECT_LT(height, 16 * 1.5);
  for (const char* text : {"Hello", "안녕하세요", "참여하고 500 포인트 받기"}) {
    TextLayout one(base::AttributedString(text), styleOf(16, 1));
    TextLayout twice(base::AttributedString(std::string(text) + text), styleOf(16, 1));
    EXPECT_EQ(one.lineCount(), 1) << text;
    EXPECT_DOUBLE_EQ(one.size().height, height) << text;
    EXPECT_NEAR(twice.size().width, 2 * one.size().width, 0.5) << text;
    EXPECT_FALSE(one.isTruncated());
  }
  // Hangul syllables are full-width in the system font: five of them take about five ems.
  EXPECT_NEAR(TextLayout(base::AttributedString("안녕하세요"), styleOf(16, 1)).size().width, 5 * 16, 5 * 16 * 0.1);
}

TEST(TextLayoutTest, SizeRoundsUpToWholePoints) {
  TextLayout layout(base::AttributedString("Hello"), styleOf(16, 1));
  const Size exact = layout.size();
  const Size ceiled = layout.ceiledSize();
  EXPECT_NE(exact.width, std::floor(exact.width)) << "the test needs a fractional width";
  EXPECT_EQ(ceiled.width, std::ceil(exact.width));
  EXPECT_EQ(ceiled.height, std::ceil(exact.height));
  EXPECT_EQ(ceilToPoints(20.0000001), 20);
  EXPECT_EQ(ceilToPoints(20.01), 21);
}

TEST(TextLayoutTest, EmptyTextHasNoSizeAndNoLines) {
  TextLayout layout(base::AttributedString(""), styleOf(16, 0), 100);
  EXPECT_EQ(layout.size(), (Size{0, 0}));
  EXPECT_EQ(layout.lineCount(), 0);
  EXPECT_TRUE(layout.lineTexts().empty());
}

TEST(TextLayoutTest, WrapsAtTheWidth) {
  const struct {
    const char* text;
    double width;
    int lines;
    LineBreakMode mode;
    Lines expected;
  } cases[] = {
      {"The quick brown fox", 90, 0, LineBreakMode::byWordWrapping, {"The quick ", "brown fox"}},
      {"The quick brown fox", kUnboundedTextWidth, 0, LineBreakMode::byWordWrapping, {"The quick brown fox"}},
      {"one\ntwo\n\nfour", kUnboundedTextWidth, 0, LineBreakMode::byWordWrapping, {"one", "two", "", "four"}},
      {"crlf\r\nends", kUnboundedTextWidth, 0, LineBreakMode::byWordWrapping, {"crlf", "ends"}},
      // Hangul words break at spaces, not between syllables.
      {"안녕하세요 여러분 반갑습니다", 90, 0, LineBreakMode::byWordWrapping, {"안녕하세요 ", "여러분 ", "반갑습니다"}},
      {"참여하고 500포인트 받기", 90, 0, LineBreakMode::byWordWrapping, {"참여하고 ", "500포인트 ", "받기"}},
      // A word wider than the line breaks within after all.
      {"가나다라마바사아자차카", 90, 0, LineBreakMode::byWordWrapping, {"가나다라마", "바사아자차", "카"}},
      {"Supercalifragilistic", 60, 0, LineBreakMode::byWordWrapping, {"Superc", "alifragi", "listic"}},
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
      {LineBreakMode::byTruncatingTail, 1, {"The quick b" + kEllipsis}},
      {LineBreakMode::byTruncatingTail, 2, {"The quick ", "brown fox " + kEllipsis}},
      {LineBreakMode::byTruncatingMiddle, 1, {"The qu" + kEllipsis + "zy dog"}},
      {LineBreakMode::byTruncatingHead, 1, {kEllipsis + "e lazy dog"}},
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

TEST(TextLayoutTest, KoreanTruncatesToTwoLinesAtTheButtonWidth) {
  // A call-to-action title: bold 16, centred, two lines in a 90-point box.
  TextStyle style = styleOf(16, 2);
  style.font = Font::boldSystemFont(16);
  style.alignment = TextAlignment::center;
  TextLayout fits(base::AttributedString("참여하고 포인트 받기"), style, 90);
  EXPECT_EQ(fits.lineTexts(), (Lines{"참여하고 ", "포인트 받기"}));
  EXPECT_EQ(fits.lineCount(), 2);
  EXPECT_FALSE(fits.isTruncated());
  TextLayout cut(base::AttributedString("지금 참여하고 500 포인트 바로 받기"), style, 90);
  ASSERT_EQ(cut.lineCount(), 2);
  EXPECT_TRUE(cut.isTruncated());
  EXPECT_TRUE(cut.lineTexts()[1].ends_with(kEllipsis)) << cut.lineTexts()[1];
  EXPECT_DOUBLE_EQ(cut.size().height, fits.size().height);
}

TEST(TextLayoutTest, LinesBeyondTheHeightAreDropped) {
  const double line = lineHeight(16);
  TextLayout layout(base::AttributedString("one two three four"), styleOf(16, 0), 40, 2.5 * line);
  EXPECT_EQ(layout.lineCount(), 2);
  EXPECT_TRUE(layout.isTruncated());
  // At least one line shows, however short the height.
  EXPECT_EQ(TextLayout(base::AttributedString("one two"), styleOf(16, 0), 40, 1).lineCount(), 1);
}

TEST(TextLayoutTest, ParagraphStylesSpaceTheLines) {
  const double line = lineHeight(16);
  const std::string threeLines = "alpha beta gamma";  // one word a line at 60 points
  const struct {
    const char* name;
    ParagraphStyle paragraph;
    std::string text;
    double expectedHeight;
  } cases[] = {
      {"plain", {}, threeLines, 3 * line},
      {"line spacing between lines only", {.lineSpacing = 4}, threeLines, 3 * line + 2 * 4},
      {"line-height multiple", {.lineHeightMultiple = 1.5}, threeLines, 3 * line * 1.5},
      {"multiple of zero is one", {.lineHeightMultiple = 0}, threeLines, 3 * line},
      {"paragraph spacing between paragraphs", {.paragraphSpacing = 7}, "one\ntwo\nthree", 3 * line + 2 * 7},
      {"paragraph spacing not inside a paragraph", {.paragraphSpacing = 7}, threeLines, 3 * line},
      {"both", {.lineSpacing = 2, .paragraphSpacing = 7}, "one\ntwo", 2 * line + 2 + 7},
  };
  for (const auto& c : cases) {
    TextLayout layout(withParagraph(c.text, c.paragraph), styleOf(16, 0), 60);
    EXPECT_EQ(layout.lineCount(), 3 - (c.text == "one\ntwo")) << c.name;
    EXPECT_NEAR(layout.size().height, c.expectedHeight, 0.01) << c.name;
  }
}

TEST(TextLayoutTest, HeadIndentAndTabStopsMoveTheText) {
  const double bulletWidth = TextLayout(base::AttributedString("•"), styleOf(14, 1)).size().width;
  const double wordWidth = TextLayout(base::AttributedString("item"), styleOf(14, 1)).size().width;
  // A bullet list line: the bullet, a tab to the indent, the item; wrapped lines start at the indent.
  ParagraphStyle bullet{.headIndent = 18, .defaultTabInterval = 18, .tabStops = {{TextAlignment::left, 18}}};
  TextLayout one(withParagraph("•\titem", bullet), styleOf(14, 0), 200);
  EXPECT_NEAR(one.size().width, 18 + wordWidth, 0.01);
  TextLayout wrapped(withParagraph("•\titem item item item item item", bullet), styleOf(14, 0), 100);
  ASSERT_GT(wrapped.lineCount(), 1);
  TextLayout unindented(base::AttributedString("item item item item item item"), styleOf(14, 0), 100 - 18);
  EXPECT_EQ(wrapped.lineCount(), unindented.lineCount());
  EXPECT_NEAR(wrapped.size().width, 18 + unindented.size().width, 0.01);

  // Without stops, tabs fall every default interval.
  ParagraphStyle interval{.defaultTabInterval = 50};
  EXPECT_NEAR(TextLayout(withParagraph("•\titem", interval), styleOf(14, 1)).size().width, 50 + wordWidth, 0.01);
  EXPECT_NEAR(TextLayout(withParagraph("•\t\titem", interval), styleOf(14, 1)).size().width, 100 + wordWidth, 0.01);
  // A right-aligned stop ends the text at it.
  ParagraphStyle right{.tabStops = {{TextAlignment::right, 120}}};
  EXPECT_NEAR(TextLayout(withParagraph("•\titem", right), styleOf(14, 1)).size().width, 120, 0.01);
  EXPECT_LT(bulletWidth, 18);
}

TEST(TextLayoutTest, FontsOfRunsChangeTheMeasure) {
  base::AttributedString text("small ");
  base::Attributes big;
  big.font = Font::boldSystemFont(30).toFontDescription();
  text.append(base::AttributedString("BIG", big));
  TextLayout layout(text, styleOf(12, 1));
  EXPECT_NEAR(layout.size().height, lineHeight(30), 0.01);
  EXPECT_GT(layout.size().width, TextLayout(base::AttributedString("small BIG"), styleOf(12, 1)).size().width);
  // A stroke changes nothing in the measure.
  base::Attributes stroked;
  stroked.strokeWidth = -3;
  EXPECT_EQ(TextLayout(base::AttributedString("small BIG", stroked), styleOf(12, 1)).size(),
            TextLayout(base::AttributedString("small BIG"), styleOf(12, 1)).size());
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
      {TextAlignment::natural, 10, 70},
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

TEST(TextLayoutTest, StrokeDrawsHeavierGlyphs) {
  base::Attributes stroked;
  stroked.strokeWidth = -3;
  TextLayout plain(base::AttributedString("Reward"), styleOf(20, 1));
  TextLayout bold(base::AttributedString("Reward", stroked), styleOf(20, 1));
  auto ink = [](const TextLayout& layout) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 120, 40);
    cairo_t* cr = cairo_create(surface);
    layout.draw(cr, Rect(0, 0, 120, 40), TraitCollection{});
    cairo_surface_flush(surface);
    long sum = 0;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    for (int i = 0; i < cairo_image_surface_get_stride(surface) * 40; ++i) sum += data[i];
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return sum;
  };
  EXPECT_GT(ink(bold), ink(plain) * 11 / 10);
}

TEST(TextLayoutTest, ClippedLineStaysInsideItsWidth) {
  TextLayout layout(base::AttributedString("The quick brown fox jumps over"), styleOf(16, 1, LineBreakMode::byClipping),
                    60);
  Painted painted = paint(layout, 300, 30, Rect(0, 0, 60, 30));
  EXPECT_LE(painted.maxX, 60);
  EXPECT_GT(painted.maxX, 50);
}

}  // namespace
}  // namespace ui
