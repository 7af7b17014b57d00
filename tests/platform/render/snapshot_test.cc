#include "platform/render/snapshot.h"

#include <gtest/gtest.h>

#include "platform/ui/gradient_layer.h"
#include "platform/ui/label.h"
#include "platform/ui/shape_layer.h"
#include "tests/platform/render/snapshot_testing.h"

namespace render {
namespace {

using namespace ui;
using testing::expectMatchesReference;

std::shared_ptr<View> filled(const Rect& frame, const Color& color) {
  auto view = std::make_shared<View>(frame);
  view->setBackgroundColor(color);
  return view;
}

std::shared_ptr<Label> label(const Rect& frame, const char* text, const Font& font, const Color& color) {
  auto view = std::make_shared<Label>(frame);
  if (text) view->setText(text);
  view->setFont(font);
  view->setTextColor(color);
  return view;
}

// A view that draws a cross with round caps, as the tag chips' remove button does.
class CrossView : public View {
 public:
  using View::View;
  void draw(const Rect& rect) override {
    BezierPath path;
    path.setLineWidth(3);
    path.setLineCapStyle(LineCap::round);
    path.move({rect.minX() + 4, rect.minY() + 4});
    path.addLine({rect.maxX() - 4, rect.maxY() - 4});
    path.move({rect.maxX() - 4, rect.minY() + 4});
    path.addLine({rect.minX() + 4, rect.maxY() - 4});
    GraphicsContext::current()->setStrokeColor(Color(1, 1, 1, 0.8));
    path.stroke();
  }
};

TEST(SnapshotTest, RefusesNothingToDraw) {
  View empty;
  EXPECT_FALSE(snapshot(empty, 2));
  View sized(Rect{0, 0, 10, 10});
  EXPECT_FALSE(snapshot(sized, 0));
  EXPECT_FALSE(snapshot(sized, -1));
  auto error = writePng(empty, std::filesystem::temp_directory_path() / "velkor-never-written.png");
  ASSERT_TRUE(error);
  EXPECT_EQ(error->domain, kRenderErrorDomain);
  auto image = snapshot(sized, 2.5);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixelWidth(), 25);
  EXPECT_EQ(image->scale(), 2.5);
}

// Layers: a card with a soft shadow, rounded clipped header with a gradient, a shape layer, a
// circle-masked view, custom drawing, a faded badge and a bordered chip.
TEST(SnapshotTest, LayersMatchTheReference) {
  auto root = filled({0, 0, 200, 140}, Color(0.95, 0.95, 0.95));
  auto card = std::make_shared<View>(Rect{16, 16, 168, 108});
  card->layer().setShadowColor(Color::gray());
  card->layer().setShadowOpacity(0.6);
  card->layer().setShadowOffset({0, 2});
  card->layer().setShadowRadius(6);
  root->addSubview(card);

  auto header = std::make_shared<View>(Rect{0, 0, 168, 60});
  header->setClipsToBounds(true);
  header->layer().setCornerRadius(10);
  header->layer().setMaskedCorners(RectCorner::topLeft | RectCorner::topRight);
  auto gradient = std::make_shared<GradientLayer>();
  gradient->setColors({Color(0.98, 0.45, 0.2), Color(0.55, 0.2, 0.85)});
  gradient->setStartPoint({0, 0});
  gradient->setEndPoint({1, 1});
  gradient->setFrame({0, 0, 168, 60});
  header->layer().addSublayer(gradient);
  card->addSubview(header);

  auto bar = filled({0, 60, 168, 48}, Color::white());
  bar->setClipsToBounds(true);
  bar->layer().setCornerRadius(10);
  bar->layer().setMaskedCorners(RectCorner::bottomLeft | RectCorner::bottomRight);
  card->addSubview(bar);

  auto triangle = std::make_shared<ShapeLayer>();
  BezierPath path;
  path.move({12, 36});
  path.addLine({30, 12});
  path.addLine({48, 36});
  path.close();
  triangle->setPath(path);
  triangle->setFillColor(Color(1, 0.85, 0.1));
  triangle->setStrokeColor(Color(0.3, 0.3, 0.3));
  triangle->setLineWidth(2);
  bar->layer().addSublayer(triangle);

  auto circle = filled({64, 8, 32, 32}, Color(0.1, 0.6, 0.3));
  auto mask = std::make_shared<ShapeLayer>();
  mask->setPath(BezierPath::roundedRect({0, 0, 32, 32}, 16));
  circle->layer().setMask(mask);
  bar->addSubview(circle);

  auto cross = std::make_shared<CrossView>(Rect{130, 10, 24, 24});
  cross->setBackgroundColor(Color(0.2, 0.2, 0.2));
  cross->layer().setCornerRadius(12);
  header->addSubview(cross);

  auto badge = filled({106, 12, 24, 24}, Color(0, 0, 0));
  badge->setAlpha(0.4);
  badge->layer().setCornerRadius(4);
  bar->addSubview(badge);

  auto chip = std::make_shared<View>(Rect{136, 14, 24, 20});
  chip->layer().setBorderWidth(1.5);
  chip->layer().setBorderColor(Color(0.2, 0.4, 0.9));
  chip->layer().setCornerRadius(6);
  bar->addSubview(chip);

  expectMatchesReference(snapshot(*root, 2), "layers");
}

// Text: Latin and Korean, a wrapped centred block, a truncated line, an attributed line with a
// coloured stroked span, and a bulleted list with a hanging indent.
TEST(SnapshotTest, TextMatchesTheReference) {
  auto root = filled({0, 0, 220, 220}, Color::white());
  auto title = label({10, 8, 200, 24}, "Offerwall 오퍼월", Font::boldSystemFont(18), Color(0.1, 0.1, 0.1));

  auto wrapped = std::make_shared<Label>(Rect{10, 36, 120, 60});
  wrapped->setText("이벤트 참여하면 포인트를 드립니다");
  wrapped->setFont(Font::systemFont(14));
  wrapped->setNumberOfLines(0);
  wrapped->setTextAlignment(TextAlignment::center);
  wrapped->setBackgroundColor(Color(0.93, 0.95, 1));

  auto truncated = label({140, 36, 70, 20}, "The quick brown fox", Font::systemFont(13), Color(0.4, 0.4, 0.4));

  base::AttributedString reward("지금 참여하면 ");
  base::Attributes mark;
  mark.foregroundColor = Color(0.95, 0.3, 0.2).toColorDescription();
  mark.strokeWidth = -3;
  reward.append(base::AttributedString("500 포인트", mark));
  reward.append(base::AttributedString(" 적립"));
  auto attributed = label({10, 104, 200, 22}, nullptr, Font::systemFont(15), Color::black());
  attributed->setAttributedText(reward);

  base::Attributes item;
  item.paragraphStyle = ParagraphStyle{.lineSpacing = 3, .paragraphSpacing = 6, .headIndent = 14,
                                       .defaultTabInterval = 14, .tabStops = {{TextAlignment::left, 14}}};
  auto bullets = label({10, 130, 200, 80}, nullptr, Font::systemFont(12), Color(0.47, 0.47, 0.47));
  bullets->setNumberOfLines(0);
  bullets->setAttributedText(base::AttributedString(
      "•\t앱을 설치한 뒤 실행하면 포인트가 지급됩니다\n•\tReward arrives within a day\n•\t문의는 고객센터로", item));

  for (auto& v : std::vector<std::shared_ptr<View>>{title, wrapped, truncated, attributed, bullets}) root->addSubview(v);
  expectMatchesReference(snapshot(*root, 2), "text");
}

}  // namespace
}  // namespace render
