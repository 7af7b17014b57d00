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

// The call-to-action box of the feed row: a 90-point box at least 43 high, centred in a 68-point
// bar, whose title (bold 16, centred, at most two lines) is pinned 1 point below its top and to its
// other edges.
struct CtaBox {
  std::shared_ptr<View> bar = std::make_shared<View>(Rect{0, 0, 320, 68});
  std::shared_ptr<View> box = std::make_shared<View>();
  std::shared_ptr<Label> title = makeLabel("", Font::boldSystemFont(16), 2);

  CtaBox() {
    box->setTranslatesAutoresizingMaskIntoConstraints(false);
    title->setTextAlignment(TextAlignment::center);
    bar->addSubview(box);
    box->addSubview(title);
    Constraint::activate({
        box->centerYAnchor().constraintEqualTo(bar->centerYAnchor()),
        box->trailingAnchor().constraintEqualTo(bar->trailingAnchor(), -15),
        box->widthAnchor().constraintEqualToConstant(90),
        box->heightAnchor().constraintGreaterThanOrEqualToConstant(43),
        title->topAnchor().constraintEqualTo(box->topAnchor(), 1),
        title->leadingAnchor().constraintEqualTo(box->leadingAnchor()),
        title->trailingAnchor().constraintEqualTo(box->trailingAnchor()),
        title->bottomAnchor().constraintEqualTo(box->bottomAnchor()),
    });
  }
};

TEST(LabelTest, CallToActionTitleWrapsToTwoLinesAndGrowsItsBox) {
  const struct {
    const char* text;
    double size;
    int lines;
  } cases[] = {
      {"참여하기", 16, 1},
      {"지금 참여하고 500 포인트 바로 받기", 16, 2},  // cut to two
      {"참여하고 받기", 22, 2},                        // two lines of a larger font outgrow the box
  };
  for (const auto& c : cases) {
    CtaBox cta;
    cta.title->setFont(Font::boldSystemFont(c.size));
    cta.title->setText(c.text);
    cta.bar->layoutIfNeeded();
    const double titleHeight =
        textSize(c.lines == 2 ? "A\nB" : "A", Font::boldSystemFont(c.size), kUnboundedTextWidth, 0).height;
    EXPECT_EQ(cta.title->frame().width(), 90) << c.text;
    EXPECT_EQ(cta.title->frame().height(), std::max(titleHeight, 42.0)) << c.text;
    EXPECT_EQ(cta.box->frame().height(), std::max(1 + titleHeight, 43.0)) << c.text;
    EXPECT_EQ(cta.box->frame().x(), 320 - 15 - 90);
    EXPECT_NEAR(cta.box->frame().midY(), 34, 1e-6) << c.text;
    const auto drawings = cta.title->recordTextDrawing();
    ASSERT_EQ(drawings.size(), 1u);
    TextLayout shown(drawings[0].text, drawings[0].style, 90, drawings[0].rect.height());
    EXPECT_EQ(shown.lineCount(), c.lines) << c.text;
  }
}

}  // namespace
}  // namespace ui
