#include "platform/ui/label.h"

#include <gtest/gtest.h>

#include "platform/ui/constraint.h"
#include "tests/platform/ui/test_views.h"

namespace ui {
namespace {

std::shared_ptr<Label> makeLabel(const std::string& text, const Font& font = Font::systemFont(16), int lines = 1) {
  auto label = std::make_shared<Label>();
  label->setText(text);
  label->setFont(font);
  label->setNumberOfLines(lines);
  label->setTranslatesAutoresizingMaskIntoConstraints(false);
  return label;
}

Size textSize(const std::string& text, const Font& font, double width = kUnboundedTextWidth, int lines = 1) {
  TextStyle style;
  style.font = font;
  style.numberOfLines = lines;
  return TextLayout(base::AttributedString(text), style, width).ceiledSize();
}

TEST(LabelTest, MultiLineLabelWrapsAtTheWidthTheLayoutGives) {
  auto root = std::make_shared<View>(Rect{0, 0, 320, 400});
  auto label = makeLabel("안녕하세요 여러분 오늘도 반갑습니다", Font::systemFont(16), 0);
  root->addSubview(label);
  auto width = label->widthAnchor().constraintEqualToConstant(90);
  Constraint::activate({label->leadingAnchor().constraintEqualTo(root->leadingAnchor()),
                        label->topAnchor().constraintEqualTo(root->topAnchor()), width});
  root->layoutIfNeeded();
  const Size wrapped = textSize(label->text(), label->font(), 90, 0);
  EXPECT_EQ(label->frame(), (Rect{0, 0, 90, wrapped.height}));
  EXPECT_GT(wrapped.height, label->intrinsicContentSize().height * 2);

  // Wider: fewer lines, re-measured.
  width->setConstant(200);
  root->layoutIfNeeded();
  EXPECT_EQ(label->frame().height(), textSize(label->text(), label->font(), 200, 0).height);

  // Text changes are measured again.
  label->setText("짧은 글");
  root->layoutIfNeeded();
  EXPECT_EQ(label->frame().height(), textSize("짧은 글", label->font()).height);
}

}  // namespace
}  // namespace ui
