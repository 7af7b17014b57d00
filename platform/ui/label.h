// A label: read-only text, plain or attributed, measured and drawn with Pango (see text_layout.h).
// Its intrinsic size is its text's size rounded up to whole points; a label of more than one line
// wraps at the width the layout gives it, or at preferredMaxLayoutWidth when that is set.
//
// Subclasses that inset their text override textRect(bounds, numberOfLines) and drawText(rect), as
// on the platform: the intrinsic size and the size for a width are both measured through
// textRect(), and the renderer paints through drawText(bounds).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/attributed_string.h"
#include "platform/ui/text_layout.h"
#include "platform/ui/view.h"

namespace ui {

class Label : public View {
 public:
  Label();
  explicit Label(const Rect& frame);

  // --- text ---
  // The characters of the text.
  std::string text() const { return attributedText_.string(); }
  // Replaces the text (and any attributes) by plain text in the label's font and colour.
  void setText(std::string_view text);
  const base::AttributedString& attributedText() const { return attributedText_; }
  // Characters without a font or colour of their own show in the label's.
  void setAttributedText(base::AttributedString text);

  // --- appearance ---
  // The system font of 17 points at first. Setting it applies it to the whole text, attributed
  // runs included, as on the platform; so does setting the colour and the alignment.
  const Font& font() const { return style_.font; }
  void setFont(const Font& font);
  // The dynamic label colour at first (black in light mode, white in dark).
  const Color& textColor() const { return style_.textColor; }
  void setTextColor(const Color& color);
  TextAlignment textAlignment() const { return style_.alignment; }
  void setTextAlignment(TextAlignment alignment);
  // 1 at first; 0 shows as many lines as the text needs.
  int numberOfLines() const { return style_.numberOfLines; }
  void setNumberOfLines(int lines);
  // Truncating the tail at first.
  LineBreakMode lineBreakMode() const { return style_.lineBreakMode; }
  void setLineBreakMode(LineBreakMode mode);
  // Drawn instead of every text colour while the label is highlighted.
  const std::optional<Color>& highlightedTextColor() const { return highlightedTextColor_; }
  void setHighlightedTextColor(std::optional<Color> color);
  bool isHighlighted() const { return highlighted_; }
  virtual void setHighlighted(bool highlighted);

  // The width a multi-line label wraps at for its intrinsic size; 0 (the default) measures the
  // text unwrapped and leaves wrapping to the width the layout gives it.
  double preferredMaxLayoutWidth() const { return preferredMaxLayoutWidth_; }
  void setPreferredMaxLayoutWidth(double width);

  // The style the text is laid out in (font, colour, alignment, lines, break mode, direction).
  TextStyle textStyle() const;

  // --- measuring and drawing; overridden by inset labels ---
  // The rectangle the text takes within the bounds (at their origin), at most numberOfLines lines
  // (0: any number) and no taller than the bounds (an infinite height for no limit).
  virtual Rect textRect(const Rect& bounds, int numberOfLines) const;
  // Paints the text within the rectangle, centred vertically in it.
  virtual void drawText(const Rect& rect);

  Size intrinsicContentSize() const override;
  Size intrinsicContentSizeForWidth(double width) const override;
  Size sizeThatFits(Size size) const override;

  // One piece of text to paint: what drawText() asked for.
  struct TextDrawing {
    Rect rect;  // the rectangle given to drawText
    base::AttributedString text;
    TextStyle style;
    std::optional<Color> overrideColor;  // the highlighted colour, while highlighted
    // Lays the text out in the rectangle, its block of lines centred vertically.
    void paint(cairo_t* cr, const TraitCollection& traits) const;
  };
  // Runs drawText(bounds) and returns what it painted; for the renderer and tests.
  std::vector<TextDrawing> recordTextDrawing();

 private:
  void textChanged();
  // Sets fields of the attributes over the whole text (the platform's whole-text styling).
  void applyToWholeText(const base::Attributes& attributes);

  base::AttributedString attributedText_;
  TextStyle style_;
  std::optional<Color> highlightedTextColor_;
  bool highlighted_ = false;
  double preferredMaxLayoutWidth_ = 0;
  std::vector<TextDrawing>* recording_ = nullptr;

  // The last measures, so unchanged labels do not lay their text out again at every layout pass.
  struct Measure {
    double width;
    double height;
    int lines;
    Rect result;
  };
  mutable std::vector<Measure> measures_;
};

}  // namespace ui
