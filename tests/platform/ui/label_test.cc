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

// An inset label, as screens make them: insets around the text, in the drawing and in the size.
class PaddingLabel : public Label {
 public:
  EdgeInsets insets{4, 10, 6, 12};
  Rect textRect(const Rect& bounds, int lines) const override {
    const Rect inner = Label::textRect(insets.inset(bounds), lines);
    return {inner.x() - insets.left, inner.y() - insets.top, inner.width() + insets.left + insets.right,
            inner.height() + insets.top + insets.bottom};
  }
  void drawText(const Rect& rect) override { Label::drawText(insets.inset(rect)); }
};

// A toast label: always draws inset by its margins; reports them in its size only when asked to.
class ToastLabel : public Label {
 public:
  bool isEnabledInset = false;
  void drawText(const Rect& rect) override { Label::drawText(layoutMargins().inset(rect)); }
  Size intrinsicContentSize() const override {
    Size size = Label::intrinsicContentSize();
    if (!isEnabledInset) return size;
    const EdgeInsets& m = layoutMargins();
    return {size.width + m.left + m.right, size.height + m.top + m.bottom};
  }
};

TEST(LabelTest, StartsAsThePlatformsLabel) {
  Label label;  // touches go through a label to what lies beneath, and an empty one takes no room
  EXPECT_FALSE(label.isUserInteractionEnabled());
  EXPECT_EQ(label.intrinsicContentSize(), (Size{0, 0}));
}

TEST(LabelTest, IntrinsicSizeIsTheTextRoundedUp) {
  const struct {
    const char* text;
    Font font;
  } cases[] = {
      {"Offerwall", Font::systemFont(13)},
      {"이벤트 참여하면", Font::boldSystemFont(16)},
      {"500 포인트 받기", Font::systemFont(14)},
  };
  for (const auto& c : cases) {
    auto label = makeLabel(c.text, c.font);
    const Size size = label->intrinsicContentSize();
    EXPECT_EQ(size, textSize(c.text, c.font)) << c.text;
    EXPECT_EQ(size.width, std::ceil(size.width));
    EXPECT_EQ(size.height, std::ceil(size.height));
    EXPECT_EQ(label->sizeThatFits({0, 0}), size);
  }
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

TEST(LabelTest, PreferredMaxLayoutWidthWrapsTheIntrinsicSize) {
  auto label = makeLabel("The quick brown fox jumps over the lazy dog", Font::systemFont(16), 0);
  const Size unwrapped = label->intrinsicContentSize();
  label->setPreferredMaxLayoutWidth(100);
  const Size wrapped = label->intrinsicContentSize();
  EXPECT_EQ(wrapped, textSize(label->text(), label->font(), 100, 0));
  EXPECT_LE(wrapped.width, 100);
  EXPECT_GT(wrapped.height, unwrapped.height);
  // A one-line label ignores it.
  label->setNumberOfLines(1);
  EXPECT_EQ(label->intrinsicContentSize(), unwrapped);
}

TEST(LabelTest, WholeTextStylingReachesAttributedRuns) {
  auto label = makeLabel("");
  base::Attributes red;
  red.foregroundColor = Color(1, 0, 0).toColorDescription();
  red.font = Font::systemFont(30).toFontDescription();
  base::AttributedString text("plain ");
  text.append(base::AttributedString("red", red));
  label->setAttributedText(text);
  const Size big = label->intrinsicContentSize();
  EXPECT_EQ(big.height, textSize("X", Font::systemFont(30)).height);

  label->setFont(Font::systemFont(12));
  EXPECT_EQ(label->intrinsicContentSize(), textSize("plain red", Font::systemFont(12)));
  label->setTextColor(Color::white());
  for (const auto& run : label->attributedText().runs()) {
    EXPECT_EQ(run.attributes.foregroundColor, Color::white().toColorDescription());
  }

  // Alignment reaches paragraph styles but keeps their spacing.
  base::Attributes spaced;
  spaced.paragraphStyle = ParagraphStyle{.lineSpacing = 3};
  label->setAttributedText(base::AttributedString("a\nb", spaced));
  label->setTextAlignment(TextAlignment::center);
  auto style = label->attributedText().attributes(0).paragraphStyle;
  ASSERT_TRUE(style);
  EXPECT_EQ(style->alignment, TextAlignment::center);
  EXPECT_EQ(style->lineSpacing, 3);
}

TEST(LabelTest, TruncatesToItsLines) {
  auto label = makeLabel("The quick brown fox jumps over the lazy dog", Font::systemFont(16), 2);
  const Rect rect = label->textRect(Rect(0, 0, 90, 1000), 2);
  EXPECT_EQ(rect.height(), textSize("A\nB", Font::systemFont(16), 90, 0).height);
  EXPECT_LE(rect.width(), 90);
  // A bounds height limits the lines too.
  const double oneLine = textSize("A", Font::systemFont(16)).height;
  EXPECT_EQ(label->textRect(Rect(0, 0, 90, oneLine + 3), 0).height(), oneLine);
}

TEST(LabelTest, InsetLabelDrawsAndMeasuresInsideItsInsets) {
  auto label = std::make_shared<PaddingLabel>();
  label->setText("Tag");
  label->setFont(Font::systemFont(12));
  const Size text = textSize("Tag", Font::systemFont(12));
  EXPECT_EQ(label->intrinsicContentSize(), (Size{text.width + 22, text.height + 10}));

  label->setFrame({0, 0, 100, 40});
  auto drawings = label->recordTextDrawing();
  ASSERT_EQ(drawings.size(), 1u);
  EXPECT_EQ(drawings[0].rect, (Rect{10, 4, 78, 30}));
  EXPECT_EQ(drawings[0].text.string(), "Tag");

  // Wrapping at a width leaves the insets out of the text's width.
  label->setNumberOfLines(0);
  label->setText("one two three four");
  const double wrapped = label->intrinsicContentSizeForWidth(22 + 40).height;
  EXPECT_EQ(wrapped, textSize("one two three four", Font::systemFont(12), 40, 0).height + 10);
}

TEST(LabelTest, ToastDrawsInsetButReportsThePlainSizeUnlessAsked) {
  auto toast = std::make_shared<ToastLabel>();
  toast->setText("저장되었습니다");
  toast->setLayoutMargins({14, 24, 14, 24});
  const Size plain = textSize("저장되었습니다", toast->font());
  EXPECT_EQ(toast->intrinsicContentSize(), plain);
  toast->isEnabledInset = true;
  EXPECT_EQ(toast->intrinsicContentSize(), (Size{plain.width + 48, plain.height + 28}));
  toast->setFrame({0, 0, 200, 60});
  auto drawings = toast->recordTextDrawing();
  ASSERT_EQ(drawings.size(), 1u);
  EXPECT_EQ(drawings[0].rect, (Rect{24, 14, 152, 32}));
}

TEST(LabelTest, HighlightedColourOverridesWhileHighlighted) {
  auto label = makeLabel("Tap");
  label->setFrame({0, 0, 50, 20});
  EXPECT_FALSE(label->recordTextDrawing()[0].overrideColor);
  label->setHighlighted(true);
  EXPECT_FALSE(label->recordTextDrawing()[0].overrideColor) << "no highlighted colour set";
  label->setHighlightedTextColor(Color::white());
  EXPECT_EQ(label->recordTextDrawing()[0].overrideColor, Color::white());
  label->setHighlighted(false);
  EXPECT_FALSE(label->recordTextDrawing()[0].overrideColor);
  label->setText("");
  EXPECT_TRUE(label->recordTextDrawing().empty());
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
      {"참여하고 포인트 받기", 16, 2},
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
