#include "platform/render/snapshot.h"

#include <gtest/gtest.h>

#include <numbers>

#include "platform/ui/button.h"
#include "platform/ui/constraint.h"
#include "platform/ui/gradient_layer.h"
#include "platform/ui/image_view.h"
#include "platform/ui/label.h"
#include "platform/ui/shape_layer.h"
#include "platform/ui/stack_view.h"
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

struct Rgba {
  int r, g, b, a;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};
void PrintTo(const Rgba& c, std::ostream* out) { *out << "rgba(" << c.r << "," << c.g << "," << c.b << "," << c.a << ")"; }

// The pixel at a point (in points) of a snapshot taken at scale 1.
Rgba at(const Image& image, double x, double y) {
  const std::uint8_t* p = image.pixel(static_cast<int>(x), static_cast<int>(y));
  return {p[0], p[1], p[2], p[3]};
}

// Quadrants red, green, blue and white: content modes show where each lands.
Image quadrantImage(int width, int height, double scale = 1) {
  std::vector<std::uint8_t> rgba;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool right = x >= width / 2, bottom = y >= height / 2;
      const std::uint8_t on = 255, off = 0;
      if (!bottom) rgba.insert(rgba.end(), {right ? off : on, right ? on : off, off, on});
      else rgba.insert(rgba.end(), {right ? on : off, right ? on : off, on, on});
    }
  }
  return *Image::fromRgba(width, height, std::move(rgba), scale);
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

TEST(SnapshotTest, BackgroundsAlphaHiddenClippingAndTransforms) {
  auto root = filled({0, 0, 100, 100}, Color::white());
  auto faded = filled({0, 0, 20, 20}, Color(0, 0, 0));
  faded->setAlpha(0.5);
  auto hidden = filled({20, 0, 20, 20}, Color(1, 0, 0));
  hidden->setHidden(true);
  auto clipper = filled({40, 0, 20, 20}, Color(0, 0, 1));
  clipper->setClipsToBounds(true);
  clipper->addSubview(filled({10, 10, 40, 40}, Color(0, 1, 0)));
  auto spill = filled({0, 40, 20, 20}, Color(0, 0, 1));
  spill->addSubview(filled({10, 10, 20, 20}, Color(0, 1, 0)));  // not clipped: spills out
  auto moved = filled({70, 0, 20, 20}, Color(1, 0, 0));
  moved->setTransform(AffineTransform::translation(0, 30));
  auto scaled = filled({60, 60, 20, 20}, Color(0, 0, 0));
  scaled->setTransform(AffineTransform::scale(2, 2));
  for (auto& v : {faded, hidden, clipper, spill, moved, scaled}) root->addSubview(v);

  auto image = snapshot(*root, 1);
  ASSERT_TRUE(image);
  EXPECT_EQ(at(*image, 10, 10), (Rgba{127, 127, 127, 255}));
  EXPECT_EQ(at(*image, 30, 10), (Rgba{255, 255, 255, 255})) << "hidden views draw nothing";
  EXPECT_EQ(at(*image, 55, 15), (Rgba{0, 255, 0, 255}));
  EXPECT_EQ(at(*image, 55, 25), (Rgba{255, 255, 255, 255})) << "clipped to the bounds";
  EXPECT_EQ(at(*image, 25, 55), (Rgba{0, 255, 0, 255})) << "unclipped subviews spill out";
  EXPECT_EQ(at(*image, 80, 10), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(at(*image, 80, 40), (Rgba{255, 0, 0, 255})) << "translated";
  EXPECT_EQ(at(*image, 52, 52), (Rgba{0, 0, 0, 255})) << "scaled about the centre";
  EXPECT_EQ(at(*image, 88, 88), (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(at(*image, 49, 52), (Rgba{255, 255, 255, 255}));
}

TEST(SnapshotTest, RoundedMaskedCornersAndBorders) {
  auto root = filled({0, 0, 100, 50}, Color::white());
  auto card = filled({0, 0, 100, 50}, Color(0, 0, 0));
  card->layer().setCornerRadius(20);
  card->layer().setMaskedCorners(RectCorner::topLeft | RectCorner::topRight);
  card->layer().setBorderWidth(4);
  card->layer().setBorderColor(Color(1, 0, 0));
  root->addSubview(card);
  auto image = snapshot(*root, 1);
  ASSERT_TRUE(image);
  EXPECT_EQ(at(*image, 1, 1), (Rgba{255, 255, 255, 255})) << "rounded corner";
  EXPECT_EQ(at(*image, 98, 1), (Rgba{255, 255, 255, 255})) << "rounded corner";
  EXPECT_EQ(at(*image, 1, 48), (Rgba{255, 0, 0, 255})) << "square corner, bordered";
  EXPECT_EQ(at(*image, 50, 2), (Rgba{255, 0, 0, 255})) << "border inside the bounds";
  EXPECT_EQ(at(*image, 50, 25), (Rgba{0, 0, 0, 255}));
}

TEST(SnapshotTest, ImagesInTheirContentModes) {
  const Image picture = quadrantImage(40, 20);  // 2:1
  const struct {
    ContentMode mode;
    Point probe;
    Rgba expected;
  } cases[] = {
      {ContentMode::scaleToFill, {5, 5}, {255, 0, 0, 255}},
      {ContentMode::scaleToFill, {35, 35}, {255, 255, 255, 255}},
      {ContentMode::scaleAspectFit, {5, 5}, {0, 0, 0, 0}},        // letterbox above
      {ContentMode::scaleAspectFit, {5, 15}, {255, 0, 0, 255}},   // 40x20 centred at y 10
      {ContentMode::scaleAspectFill, {5, 5}, {255, 0, 0, 255}},   // 80x40 centred at x -20
      {ContentMode::scaleAspectFill, {35, 5}, {0, 255, 0, 255}},
      {ContentMode::center, {5, 5}, {0, 0, 0, 0}},                // 40x20 at its own size
      {ContentMode::center, {5, 12}, {255, 0, 0, 255}},
  };
  for (const auto& c : cases) {
    auto view = std::make_shared<ImageView>(picture);
    view->setFrame({0, 0, 40, 40});
    view->setContentMode(c.mode);
    auto image = snapshot(*view, 1);
    ASSERT_TRUE(image);
    EXPECT_EQ(at(*image, c.probe.x, c.probe.y), c.expected) << static_cast<int>(c.mode);
  }
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

// Controls: a row of buttons in a stack view (plain, selected, disabled, with an image), and image
// views in their content modes in a second row.
TEST(SnapshotTest, ControlsMatchTheReference) {
  auto root = filled({0, 0, 280, 130}, Color::white());
  auto buttons = std::make_shared<StackView>();
  buttons->setTranslatesAutoresizingMaskIntoConstraints(false);
  buttons->setSpacing(6);
  buttons->setDistribution(StackView::Distribution::equalSpacing);
  buttons->setAlignment(StackView::Alignment::center);
  root->addSubview(buttons);

  auto chip = [](const char* title) {
    auto button = std::make_shared<Button>();
    button->setTitle(title, ControlState::normal);
    button->setTitleColor(Color(0.2, 0.2, 0.2), ControlState::normal);
    button->setTitleColor(Color::white(), ControlState::selected);
    button->setTitleColor(Color(0.6, 0.6, 0.6), ControlState::disabled);
    button->setContentEdgeInsets({6, 8, 6, 8});
    button->layer().setCornerRadius(14);
    button->layer().setBorderWidth(1);
    button->layer().setBorderColor(Color(0.8, 0.8, 0.8));
    button->setBackgroundColor(Color(0.97, 0.97, 0.97));
    return button;
  };
  auto all = chip("전체");
  auto selected = chip("게임");
  selected->setSelected(true);
  selected->setBackgroundColor(Color(0.2, 0.45, 0.95));
  auto disabled = chip("쇼핑");
  disabled->setEnabled(false);
  auto more = chip("더보기");
  more->setImage(quadrantImage(24, 24, 2), ControlState::normal);
  for (auto& b : {all, selected, disabled, more}) buttons->addArrangedSubview(b);

  auto pictures = std::make_shared<StackView>();
  pictures->setTranslatesAutoresizingMaskIntoConstraints(false);
  pictures->setSpacing(8);
  pictures->setDistribution(StackView::Distribution::equalSpacing);
  root->addSubview(pictures);
  for (ContentMode mode : {ContentMode::scaleToFill, ContentMode::scaleAspectFit, ContentMode::scaleAspectFill,
                           ContentMode::center}) {
    auto view = std::make_shared<ImageView>(quadrantImage(40, 20));
    view->setContentMode(mode);
    view->setClipsToBounds(true);
    view->setBackgroundColor(Color(0.9, 0.9, 0.9));
    view->layer().setCornerRadius(6);
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    Constraint::activate({view->widthAnchor().constraintEqualToConstant(44),
                          view->heightAnchor().constraintEqualToConstant(44)});
    pictures->addArrangedSubview(view);
  }
  Constraint::activate({
      buttons->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 10),
      buttons->trailingAnchor().constraintEqualTo(root->trailingAnchor(), -10),
      buttons->topAnchor().constraintEqualTo(root->topAnchor(), 12),
      pictures->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 10),
      pictures->trailingAnchor().constraintEqualTo(root->trailingAnchor(), -10),
      pictures->bottomAnchor().constraintEqualTo(root->bottomAnchor(), -14),
  });
  root->layoutIfNeeded();
  EXPECT_EQ(more->frame().size, more->intrinsicContentSize());
  EXPECT_EQ(more->frame().maxX(), 260);
  expectMatchesReference(snapshot(*root, 2), "controls");
}

}  // namespace
}  // namespace render
