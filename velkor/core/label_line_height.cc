#include "velkor/core/label_line_height.h"

namespace velkor {
namespace {

bool hasAttributes(const base::AttributedString& text) {
  for (const auto& run : text.runs()) {
    if (!run.attributes.empty()) return true;
  }
  return false;
}

}  // namespace

void setLineHeight(ui::Label& label, double lineHeightMultiple) {
  base::AttributedString text = label.attributedText();
  const base::Range whole{0, text.length()};
  if (!hasAttributes(text)) {
    base::Attributes font;
    font.font = label.font().toFontDescription();
    text.addAttributes(font, whole);
  }
  base::Attributes paragraph;
  paragraph.paragraphStyle = base::ParagraphStyle{};
  paragraph.paragraphStyle->lineSpacing = 1.0;
  paragraph.paragraphStyle->lineHeightMultiple = lineHeightMultiple;
  paragraph.paragraphStyle->alignment = label.textAlignment();
  text.addAttributes(paragraph, whole);
  label.setAttributedText(std::move(text));
}

}  // namespace velkor
