#include "platform/ui/label.h"

#include <cmath>
#include <limits>

namespace ui {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr std::size_t kKeptMeasures = 4;

}  // namespace

Label::Label() : Label(Rect{}) {}

Label::Label(const Rect& frame) : View(frame) {
  setUserInteractionEnabled(false);
  style_.textColor = Color::label();
}

void Label::setText(std::string_view text) {
  attributedText_ = base::AttributedString(text);
  textChanged();
}

void Label::setAttributedText(base::AttributedString text) {
  attributedText_ = std::move(text);
  textChanged();
}

void Label::applyToWholeText(const base::Attributes& attributes) {
  if (attributedText_.length() > 0) attributedText_.addAttributes(attributes, {0, attributedText_.length()});
}

void Label::setFont(const Font& font) {
  style_.font = font;
  base::Attributes attributes;
  attributes.font = font.toFontDescription();
  applyToWholeText(attributes);
  textChanged();
}

void Label::setTextColor(const Color& color) {
  style_.textColor = color;
  base::Attributes attributes;
  attributes.foregroundColor = color.toColorDescription();
  applyToWholeText(attributes);
  setNeedsDisplay();
}

void Label::setTextAlignment(TextAlignment alignment) {
  style_.alignment = alignment;
  // Paragraph styles of the text take the alignment too; their other settings stay.
  for (const auto& run : attributedText_.runs()) {
    if (!run.attributes.paragraphStyle) continue;
    base::Attributes attributes;
    attributes.paragraphStyle = *run.attributes.paragraphStyle;
    attributes.paragraphStyle->alignment = alignment;
    attributedText_.addAttributes(attributes, run.range);
  }
  textChanged();
}

void Label::setNumberOfLines(int lines) {
  style_.numberOfLines = std::max(0, lines);
  textChanged();
}

void Label::setLineBreakMode(LineBreakMode mode) {
  style_.lineBreakMode = mode;
  textChanged();
}

void Label::setHighlightedTextColor(std::optional<Color> color) {
  highlightedTextColor_ = std::move(color);
  setNeedsDisplay();
}

void Label::setHighlighted(bool highlighted) {
  highlighted_ = highlighted;
  setNeedsDisplay();
}

void Label::setPreferredMaxLayoutWidth(double width) {
  preferredMaxLayoutWidth_ = width;
  textChanged();
}

void Label::textChanged() {
  measures_.clear();
  invalidateIntrinsicContentSize();
  setNeedsDisplay();
}

TextStyle Label::textStyle() const {
  TextStyle style = style_;
  style.rightToLeft = effectiveUserInterfaceLayoutDirection() == UserInterfaceLayoutDirection::rightToLeft;
  return style;
}

Rect Label::textRect(const Rect& bounds, int numberOfLines) const {
  const double width = bounds.width() > 0 ? bounds.width() : kInfinity;
  const double height = bounds.height() > 0 ? bounds.height() : kInfinity;
  for (const auto& measure : measures_) {
    if (measure.width == width && measure.height == height && measure.lines == numberOfLines) {
      return {bounds.origin, measure.result.size};
    }
  }
  TextStyle style = textStyle();
  style.numberOfLines = numberOfLines;
  const Size size = TextLayout(attributedText_, style, width, height).ceiledSize();
  if (measures_.size() == kKeptMeasures) measures_.erase(measures_.begin());
  measures_.push_back({width, height, numberOfLines, {{}, size}});
  return {bounds.origin, size};
}

Size Label::intrinsicContentSize() const {
  const bool wraps = numberOfLines() != 1 && preferredMaxLayoutWidth_ > 0;
  return textRect(Rect(0, 0, wraps ? preferredMaxLayoutWidth_ : kInfinity, kInfinity), numberOfLines()).size;
}

Size Label::intrinsicContentSizeForWidth(double width) const {
  const Size natural = intrinsicContentSize();
  if (numberOfLines() == 1 || !(width > 0)) return natural;
  return {natural.width, textRect(Rect(0, 0, width, kInfinity), numberOfLines()).size.height};
}

Size Label::sizeThatFits(Size size) const {
  const double width = size.width > 0 ? size.width : kInfinity;
  return textRect(Rect(0, 0, width, kInfinity), numberOfLines()).size;
}

void Label::drawText(const Rect& rect) {
  if (!recording_ || attributedText_.length() == 0) return;
  std::optional<Color> overrideColor;
  if (highlighted_ && highlightedTextColor_) overrideColor = highlightedTextColor_;
  recording_->push_back({rect, attributedText_, textStyle(), overrideColor});
}

std::vector<Label::TextDrawing> Label::recordTextDrawing() {
  std::vector<TextDrawing> drawings;
  recording_ = &drawings;
  drawText(bounds());
  recording_ = nullptr;
  return drawings;
}

void Label::TextDrawing::paint(cairo_t* cr, const TraitCollection& traits) const {
  const double height = rect.height() > 0 ? rect.height() : kInfinity;
  TextLayout layout(text, style, rect.width(), height);
  const double textHeight = layout.size().height;
  const double top = std::isfinite(height) ? rect.y() + (rect.height() - textHeight) / 2 : rect.y();
  layout.draw(cr, Rect(rect.x(), top, rect.width(), textHeight), traits, overrideColor);
}

}  // namespace ui
