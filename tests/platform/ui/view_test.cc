#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/window.h"
#include "tests/platform/ui/test_views.h"

namespace ui::testing {
namespace {

class RecordingView : public View {
 public:
  explicit RecordingView(std::vector<std::string>* log = nullptr, Rect frame = {}) : View(frame), log_(log) {}
  void didAddSubview(View&) override { note("didAdd"); }
  void didMoveToSuperview() override { note(superview() ? "toSuperview" : "toNoSuperview"); }
  void didMoveToWindow() override { note(window() ? "toWindow" : "toNoWindow"); }
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

// A 200 × 200 root with a row of children; each case names what a touch at a point hits.
TEST(HitTest, SkipsHiddenTransparentAndNonInteractiveViews) {
  auto root = std::make_shared<View>(Rect{0, 0, 200, 200});
  auto make = [&](Rect frame, int tag) {
    auto view = std::make_shared<View>(frame);
    view->setTag(tag);
    root->addSubview(view);
    return view;
  };
  auto child = [](const std::shared_ptr<View>& parent, Rect frame, int tag) {
    auto view = std::make_shared<View>(frame);
    view->setTag(tag);
    parent->addSubview(view);
  };
  make({0, 0, 50, 50}, 1);
  make({50, 0, 50, 50}, 2)->setHidden(true);
  make({100, 0, 50, 50}, 3)->setAlpha(0.005);
  make({150, 0, 50, 50}, 4)->setAlpha(0.02);
  auto inert = make({0, 50, 50, 50}, 5);
  inert->setUserInteractionEnabled(false);
  child(inert, {0, 0, 50, 50}, 51);
  make({50, 50, 100, 50}, 6);
  make({100, 50, 100, 50}, 7);
  child(make({0, 100, 50, 50}, 8), {40, 0, 50, 50}, 81);
  make({0, 150, 50, 50}, 9)->setTransform(AffineTransform::translation(100, 0));
  struct Case {
    Point point;
    int tag;  // -1: nothing
  } cases[] = {
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

TEST(ColorTest, AttributeDescriptionsRoundTripBothAppearances) {
  for (const Color& color : {Color(0.1, 0.2, 0.3, 0.4), Color::systemBackground(), Color::label().withAlphaComponent(0.5)}) {
    base::ColorDescription description = color.toColorDescription();
    EXPECT_EQ(description.dark.has_value(), color.isDynamic());
    EXPECT_EQ(Color::fromColorDescription(description), color) << color.description();
  }
  EXPECT_EQ(Color::systemBackground().toColorDescription().dark, (base::Rgba{0, 0, 0, 1}));
}

}  // namespace
}  // namespace ui::testing
