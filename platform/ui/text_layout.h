// Text laid out with Pango: an attributed string broken into lines at a width, limited to a number
// of lines (and a height), truncated as a label's line-break mode says, measured, and drawn with
// Cairo. Labels, buttons and the renderer all measure and draw text through this one type.
//
// Lines and paragraphs. The text's paragraphs (split at line feeds, carriage returns and U+2029)
// are laid out one by one, each with the paragraph style of its first character: alignment, head
// indent, tab stops and default tab interval shape its lines; line spacing goes between its lines,
// the line-height multiple makes each line box that many times the font's line height (the extra
// room above the text, as the platform places it), and paragraph spacing goes after it when
// another paragraph follows. No spacing follows the last line. Hangul words break at spaces, as
// on the platform, and only fall back to breaking between syllables when a word is wider than the
// line.
//
// Truncation. When the text needs more lines than allowed (or than fit in the height), the last
// line shown ends the text: word and character wrapping cut it where the line broke; the truncating
// modes ellipsize the rest of that line's paragraph at its tail, middle or head; clipping shows the
// rest of the paragraph unwrapped, cut off at the width.
//
// Measurement runs on one shared Pango context, made on first use: main thread only, like every
// view. Metrics are unhinted and glyph positions unrounded, so text measures the same at every
// drawing scale.
#pragma once

#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/attributed_string.h"
#include "platform/ui/color.h"
#include "platform/ui/font.h"
#include "platform/ui/geometry.h"
#include "platform/ui/trait_collection.h"

typedef struct _cairo cairo_t;

namespace ui {

using TextAlignment = base::TextAlignment;
using ParagraphStyle = base::ParagraphStyle;
using TabStop = base::TabStop;

// Raw values as the platform numbers them.
enum class LineBreakMode {
  byWordWrapping = 0,
  byCharWrapping = 1,
  byClipping = 2,
  byTruncatingHead = 3,
  byTruncatingTail = 4,
  byTruncatingMiddle = 5,
};

// What characters without attributes of their own look like, and how the lines are broken.
struct TextStyle {
  Font font = Font::systemFont(17);
  Color textColor = Color::black();
  // For paragraphs without a paragraph style; natural is left (right for right-to-left).
  TextAlignment alignment = TextAlignment::natural;
  LineBreakMode lineBreakMode = LineBreakMode::byTruncatingTail;
  // 0: as many as the text needs.
  int numberOfLines = 1;
  bool rightToLeft = false;
};

inline constexpr double kUnboundedTextWidth = std::numeric_limits<double>::infinity();

class TextLayout {
 public:
  // Lays the text out in lines of at most `width` points (infinite or not positive: lines break
  // only where the text does), showing only the lines whose bottom lies within `maxHeight` (at
  // least one).
  TextLayout(const base::AttributedString& text, const TextStyle& style, double width = kUnboundedTextWidth,
             double maxHeight = std::numeric_limits<double>::infinity());
  ~TextLayout();
  TextLayout(TextLayout&&) noexcept;
  TextLayout& operator=(TextLayout&&) noexcept;

  // The exact extent of the lines shown; zero for an empty text.
  Size size() const;
  // size() rounded up to whole points, as a label reports its size.
  Size ceiledSize() const;
  int lineCount() const;
  // True when lines were dropped or a line was ellipsized or clipped.
  bool isTruncated() const;
  // The characters each shown line holds, "…" standing for elided text (for tests and logs).
  std::vector<std::string> lineTexts() const;

  // Paints the lines into `rect` (in the context's user space, in points): the block of lines at
  // the rect's top, each line aligned within the rect's width. Colours resolve against the traits;
  // `overrideColor` (a highlighted label's) replaces every foreground colour.
  void draw(cairo_t* cr, const Rect& rect, const TraitCollection& traits,
            const std::optional<Color>& overrideColor = std::nullopt) const;

  // Internal to the implementation.
  struct Composition;
  struct Input;

 private:
  std::unique_ptr<Input> input_;
  std::unique_ptr<Composition> measured_;
};

// A value rounded up to whole points; values a rounding error above a whole point stay on it.
double ceilToPoints(double value);

}  // namespace ui
