#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

#include "platform/ui/gradient_layer.h"
#include "platform/ui/shape_layer.h"
#include "platform/ui/window.h"
#include "tests/platform/ui/test_views.h"

namespace ui::testing {
namespace {

class RecordingView : public View {
 public:
  explicit RecordingView(std::vector<std::string>* log = nullptr, Rect frame = {}) : View(frame), log_(log) {}
  void didAddSubview(View&) override { note("didAdd"); }
  void willRemoveSubview(View&) override { note("willRemove"); }
  void didMoveToSuperview() override { note(superview() ? "toSuperview" : "toNoSuperview"); }
  void didMoveToWindow() override { note(window() ? "toWindow" : "toNoWindow"); }
  void subviewDidChangeHidden(View& subview) override { note(subview.isHidden() ? "hid" : "showed"); }
  void traitCollectionDidChange(const TraitCollection& previous) override {
    note(std::string("traits ") + (previous.isDark() ? "dark" : "light") + ">" +
         (traitCollection().isDark() ? "dark" : "light"));
  }

 private:
  void note(std::string what) {
    if (log_) log_->push_back(std::move(what));
  }
  std::vector<std::string>* log_;
};

std::vector<View*> raw(const std::vector<std::shared_ptr<View>>& views) {
  std::vector<View*> out;
  for (const auto& view : views) out.push_back(view.get());
  return out;
}

std::vector<Layer*> raw(const std::vector<std::shared_ptr<Layer>>& layers) {
  std::vector<Layer*> out;
  for (const auto& layer : layers) out.push_back(layer.get());
  return out;
}

TEST(ViewTree, SubviewsAndLayersStayInStep) {
  auto root = std::make_shared<View>();
  auto a = std::make_shared<View>(), b = std::make_shared<View>(), c = std::make_shared<View>();
  auto decoration = std::make_shared<ShapeLayer>();
  root->addSubview(a);
  root->layer().addSublayer(decoration);  // a layer of its own, above a
  root->addSubview(b);
  root->insertSubview(c, 0);
  EXPECT_EQ(raw(root->subviews()), (std::vector<View*>{c.get(), a.get(), b.get()}));
  EXPECT_EQ(raw(root->layer().sublayers()),
            (std::vector<Layer*>{&c->layer(), &a->layer(), decoration.get(), &b->layer()}));

  root->bringSubviewToFront(*c);
  EXPECT_EQ(raw(root->subviews()), (std::vector<View*>{a.get(), b.get(), c.get()}));
  EXPECT_EQ(root->layer().sublayers().back().get(), &c->layer());

  root->insertSubview(b, 99);  // already here: moves to the end (clamped)
  EXPECT_EQ(raw(root->subviews()), (std::vector<View*>{a.get(), c.get(), b.get()}));

  a->removeFromSuperview();
  EXPECT_EQ(a->superview(), nullptr);
  EXPECT_EQ(a->layer().superlayer(), nullptr);
  EXPECT_EQ(raw(root->subviews()), (std::vector<View*>{c.get(), b.get()}));

  // Moving a view to another parent takes it (and its layer) away from the first.
  auto other = std::make_shared<View>();
  other->addSubview(c);
  EXPECT_EQ(raw(root->subviews()), (std::vector<View*>{b.get()}));
  EXPECT_EQ(c->layer().superlayer(), &other->layer());
}

TEST(ViewTree, RefusesCyclesAndReportsMoves) {
  std::vector<std::string> log;
  auto window = std::make_shared<Window>(Rect{0, 0, 100, 100});
  auto parent = std::make_shared<RecordingView>(&log);
  auto child = std::make_shared<RecordingView>(&log);
  parent->addSubview(child);
  EXPECT_EQ(log, (std::vector<std::string>{"toSuperview", "didAdd"}));

  log.clear();
  ::testing::internal::CaptureStderr();
  child->addSubview(parent);
  parent->addSubview(parent);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("own subtree"), std::string::npos);
  EXPECT_EQ(parent->superview(), nullptr);
  EXPECT_TRUE(log.empty());

  window->addSubview(parent);
  EXPECT_EQ(log, (std::vector<std::string>{"toSuperview", "toWindow", "toWindow"}));
  EXPECT_EQ(child->window(), window.get());

  log.clear();
  parent->removeFromSuperview();
  EXPECT_EQ(log, (std::vector<std::string>{"toNoSuperview", "toNoWindow", "toNoWindow"}));
  EXPECT_EQ(child->window(), nullptr);
}

TEST(ViewTree, HidingOrShowingASubviewTellsItsSuperviewOfEachChange) {
  std::vector<std::string> log;
  auto parent = std::make_shared<RecordingView>(&log);
  auto child = std::make_shared<View>();
  child->setHidden(true);  // nobody to tell yet
  parent->addSubview(child);
  log.clear();
  for (bool hidden : {true, false, false, true}) child->setHidden(hidden);
  EXPECT_EQ(log, (std::vector<std::string>{"showed", "hid"}));
  EXPECT_TRUE(child->isHidden());
}

TEST(ViewTree, ViewWithTagSearchesDepthFirst) {
  auto root = std::make_shared<View>();
  auto a = std::make_shared<View>(), b = std::make_shared<View>(), deep = std::make_shared<View>();
  a->setTag(1);
  deep->setTag(2);
  b->setTag(2);
  root->addSubview(a);
  a->addSubview(deep);
  root->addSubview(b);
  EXPECT_EQ(root->viewWithTag(2), deep.get());
  EXPECT_EQ(root->viewWithTag(0), root.get());
  EXPECT_EQ(root->viewWithTag(3), nullptr);
}

// A 200 × 200 root with a row of children; each case names what a touch at a point hits.
TEST(HitTest, SkipsHiddenTransparentAndNonInteractiveViews) {
  auto root = std::make_shared<View>(Rect{0, 0, 200, 200});
  auto make = [&](Rect frame, int tag) {
    auto view = std::make_shared<View>(frame);
    view->setTag(tag);
    root->addSubview(view);
    return view;
  };
  auto plain = make({0, 0, 50, 50}, 1);
  auto hidden = make({50, 0, 50, 50}, 2);
  hidden->setHidden(true);
  auto clear = make({100, 0, 50, 50}, 3);
  clear->setAlpha(0.005);
  auto faint = make({150, 0, 50, 50}, 4);
  faint->setAlpha(0.02);
  auto inert = make({0, 50, 50, 50}, 5);
  inert->setUserInteractionEnabled(false);
  auto inertChild = std::make_shared<View>(Rect{0, 0, 50, 50});
  inertChild->setTag(51);
  inert->addSubview(inertChild);
  auto back = make({50, 50, 100, 50}, 6);
  auto front = make({100, 50, 100, 50}, 7);
  auto parent = make({0, 100, 50, 50}, 8);
  auto overhanging = std::make_shared<View>(Rect{40, 0, 50, 50});
  overhanging->setTag(81);
  parent->addSubview(overhanging);
  auto moved = make({0, 150, 50, 50}, 9);
  moved->setTransform(AffineTransform::translation(100, 0));

  struct Case {
    Point point;
    int tag;  // -1: nothing
  };
  const Case cases[] = {
      {{10, 10}, 1},    {{60, 10}, 0},   // hidden: falls through to the root
      {{110, 10}, 0},                    // alpha below 0.01
      {{160, 10}, 4},                    // faint but visible
      {{10, 60}, 0},                     // non-interactive: neither it nor its child
      {{70, 60}, 6},    {{120, 60}, 7},  // the front one of two overlapping
      {{45, 110}, 81},                   // inside both parent and child
      {{70, 110}, 0},                    // the child's part outside its parent is not hit
      {{10, 160}, 0},   {{110, 160}, 9}, // where the translation put it
      {{250, 10}, -1},                   // outside the root
  };
  for (const Case& c : cases) {
    auto hit = root->hitTest(c.point);
    EXPECT_EQ(hit ? hit->tag() : -1, c.tag) << c.point.x << ", " << c.point.y;
  }
  root->setUserInteractionEnabled(false);
  EXPECT_EQ(root->hitTest({10, 10}), nullptr);
}

TEST(HitTest, ConvertsThroughScalesAndMirrors) {
  auto root = std::make_shared<View>(Rect{0, 0, 300, 300});
  auto scaled = std::make_shared<View>(Rect{100, 100, 100, 100});
  scaled->setTransform(AffineTransform::scale(2, 2));  // about its centre (150, 150)
  root->addSubview(scaled);
  auto child = std::make_shared<View>(Rect{0, 0, 10, 10});
  scaled->addSubview(child);
  EXPECT_EQ(scaled->frame(), (Rect{50, 50, 200, 200}));
  EXPECT_EQ(child->convert(Point{5, 5}, root.get()), (Point{60, 60}));
  EXPECT_EQ(root->convert(Point{60, 60}, child.get()), (Point{5, 5}));
  EXPECT_EQ(root->hitTest({55, 55}), child);

  auto mirrored = std::make_shared<View>(Rect{0, 250, 100, 50});
  mirrored->setTransform(AffineTransform::scale(-1, 1));
  root->addSubview(mirrored);
  EXPECT_EQ(mirrored->frame(), (Rect{0, 250, 100, 50}));
  EXPECT_EQ(mirrored->convert(Point{10, 0}, root.get()), (Point{90, 250}));
}

TEST(Traits, OverrideStyleFlowsDownAndReportsChanges) {
  std::vector<std::string> log;
  auto window = std::make_shared<Window>(Rect{0, 0, 100, 100});
  auto parent = std::make_shared<RecordingView>();
  auto child = std::make_shared<RecordingView>(&log);
  parent->addSubview(child);
  window->addSubview(parent);
  log.clear();

  window->setTraitCollection({UserInterfaceStyle::dark});
  EXPECT_TRUE(child->traitCollection().isDark());
  parent->setOverrideUserInterfaceStyle(UserInterfaceStyle::light);
  EXPECT_FALSE(child->traitCollection().isDark());
  window->setTraitCollection({UserInterfaceStyle::light});  // no change below the override
  parent->setOverrideUserInterfaceStyle(UserInterfaceStyle::unspecified);
  window->setTraitCollection({UserInterfaceStyle::dark});
  child->removeFromSuperview();  // away from the window: default traits
  EXPECT_EQ(log, (std::vector<std::string>{"traits light>dark", "traits dark>light", "traits light>dark",
                                           "traits dark>light", "toNoSuperview", "toNoWindow"}));
}

TEST(View, TintColourIsInheritedUntilSet) {
  auto root = std::make_shared<View>();
  auto child = std::make_shared<View>();
  root->addSubview(child);
  Color systemBlue(0, 122.0 / 255, 1);
  EXPECT_EQ(child->tintColor(), systemBlue);
  root->setTintColor(Color::white());
  EXPECT_EQ(child->tintColor(), Color::white());
  child->setTintColor(Color::black());
  EXPECT_EQ(child->tintColor(), Color::black());
  child->setTintColor(std::nullopt);
  EXPECT_EQ(child->tintColor(), Color::white());
}

class Field : public View {
 public:
  bool canBecomeFirstResponder() const override { return true; }
};

TEST(View, EndEditingResignsTheFirstResponderInItsSubtree) {
  auto window = std::make_shared<Window>(Rect{0, 0, 100, 100});
  auto form = std::make_shared<View>();
  auto field = std::make_shared<Field>();
  auto elsewhere = std::make_shared<View>();
  window->addSubview(form);
  window->addSubview(elsewhere);
  form->addSubview(field);

  auto detached = std::make_shared<Field>();
  EXPECT_FALSE(detached->becomeFirstResponder()) << "no window";
  EXPECT_FALSE(form->becomeFirstResponder()) << "cannot become first responder";
  ASSERT_TRUE(field->becomeFirstResponder());
  EXPECT_TRUE(field->isFirstResponder());
  EXPECT_TRUE(elsewhere->endEditing(true));
  EXPECT_TRUE(field->isFirstResponder()) << "not in that subtree";
  EXPECT_TRUE(form->endEditing(false));
  EXPECT_FALSE(field->isFirstResponder());
  EXPECT_EQ(window->firstResponder(), nullptr);

  field->becomeFirstResponder();
  form->removeFromSuperview();
  EXPECT_EQ(window->firstResponder(), nullptr);
}

TEST(View, SafeAreaInsetsAreWhatTheWindowInsetsCover) {
  auto window = std::make_shared<Window>(Rect{0, 0, 390, 844});
  window->setSafeAreaInsets({47, 0, 34, 0});
  auto top = std::make_shared<View>(Rect{0, 0, 390, 100});
  auto middle = std::make_shared<View>(Rect{0, 100, 390, 100});
  auto bottom = std::make_shared<View>(Rect{20, 800, 100, 44});
  for (const auto& view : {top, middle, bottom}) window->addSubview(view);
  EXPECT_EQ(top->safeAreaInsets(), (EdgeInsets{47, 0, 0, 0}));
  EXPECT_EQ(middle->safeAreaInsets(), (EdgeInsets{}));
  EXPECT_EQ(bottom->safeAreaInsets(), (EdgeInsets{0, 0, 34, 0}));
  EXPECT_EQ(top->safeAreaLayoutGuide()->layoutFrame(), (Rect{0, 47, 390, 53}));
  EXPECT_EQ(std::make_shared<View>(Rect{0, 0, 10, 10})->safeAreaInsets(), (EdgeInsets{})) << "no window";
}

// The remove button of a tag chip: a cross in a centred square, stroked with round caps.
class CrossView : public View {
 public:
  void draw(const Rect& rect) override {
    const double size = 10;
    double left = (rect.width() - size) * 0.5, top = (rect.height() - size) * 0.5;
    BezierPath path;
    path.setLineWidth(3);
    path.setLineCapStyle(LineCap::round);
    path.move({left, top});
    path.addLine({left + size, top + size});
    path.move({left + size, top});
    path.addLine({left, top + size});
    GraphicsContext::current()->setStrokeColor(Color::white().withAlphaComponent(0.54));
    path.stroke();
  }
};

TEST(Drawing, CustomDrawingIsRecordedInViewCoordinates) {
  auto cross = std::make_shared<CrossView>();
  cross->setFrame({100, 100, 30, 20});
  EXPECT_TRUE(cross->needsDisplay());
  auto commands = cross->recordDrawing();
  EXPECT_FALSE(cross->needsDisplay());
  ASSERT_EQ(commands.size(), 1u);
  const auto& stroke = commands[0];
  EXPECT_EQ(stroke.operation, GraphicsContext::Command::Operation::stroke);
  EXPECT_EQ(stroke.color, Color::white().withAlphaComponent(0.54));
  EXPECT_EQ(stroke.path.lineWidth(), 3);
  EXPECT_EQ(stroke.path.lineCapStyle(), LineCap::round);
  const auto& e = stroke.path.elements();
  ASSERT_EQ(e.size(), 4u);
  EXPECT_EQ(e[0].point, (Point{10, 5}));
  EXPECT_EQ(e[1].point, (Point{20, 15}));
  EXPECT_EQ(e[3].point, (Point{10, 15}));

  // Outside a drawing pass, painting goes nowhere.
  EXPECT_EQ(GraphicsContext::current(), nullptr);
  BezierPath::rect({0, 0, 1, 1}).fill();
}

TEST(Drawing, RoundedRectRoundsOnlyTheCornersAsked) {
  constexpr double pi = std::numbers::pi;
  Rect card{0, 0, 200, 100};
  auto top = BezierPath::roundedRect(card, RectCorner::topLeft | RectCorner::topRight, {16, 16});
  std::vector<Point> arcCentres;
  for (const auto& element : top.elements()) {
    if (element.kind == BezierPath::Element::Kind::arc) arcCentres.push_back(element.point);
  }
  EXPECT_EQ(arcCentres, (std::vector<Point>{{184, 16}, {16, 16}}));
  // The bottom corners are square: the path passes through them.
  auto passes = [&](Point p) {
    for (const auto& element : top.elements()) {
      if (element.kind == BezierPath::Element::Kind::line && element.point == p) return true;
    }
    return false;
  };
  EXPECT_TRUE(passes({200, 100}));
  EXPECT_TRUE(passes({0, 100}));

  // A radius larger than half the shorter side is reduced to it (a dot of diameter 12).
  auto dot = BezierPath::roundedRect({0, 0, 12, 12}, 20);
  for (const auto& element : dot.elements()) {
    if (element.kind == BezierPath::Element::Kind::arc) {
      EXPECT_EQ(element.radius, 6);
      EXPECT_NEAR(std::fabs(element.endAngle - element.startAngle), pi / 2, 1e-12);
    }
  }
}

class GradientView : public View {
 public:
  GradientView() : View(std::make_shared<GradientLayer>()) {}
  GradientLayer& gradientLayer() { return static_cast<GradientLayer&>(layer()); }
};

TEST(Layers, ViewsCanBeBackedByOtherLayers) {
  auto gradient = std::make_shared<GradientView>();
  gradient->gradientLayer().setColors({Color::white(), Color::black()});
  gradient->setFrame({0, 0, 100, 50});
  EXPECT_EQ(gradient->layer().view(), gradient.get());
  EXPECT_EQ(gradient->gradientLayer().bounds(), (Rect{0, 0, 100, 50}));

  // A layer outliving its view no longer names it.
  std::shared_ptr<Layer> kept = gradient->layerPointer();
  gradient.reset();
  EXPECT_EQ(kept->view(), nullptr);
}

TEST(Layers, FrameFollowsPositionBoundsAndTransform) {
  Layer layer;
  layer.setFrame({10, 20, 30, 40});
  EXPECT_EQ(layer.position(), (Point{25, 40}));
  layer.setTransform(AffineTransform::scale(2, 0.5));
  EXPECT_EQ(layer.frame(), (Rect{-5, 30, 60, 20}));
  layer.setAnchorPoint({0, 0});
  EXPECT_EQ(layer.frame(), (Rect{25, 40, 60, 20}));
}

}  // namespace
}  // namespace ui::testing
