#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/dispatch/clock.h"
#include "platform/dispatch/main_loop.h"
#include "platform/ui/window.h"
#include "tests/platform/ui/test_views.h"

namespace ui::testing {
namespace {

using dispatch::Seconds;

class AnimationTest : public ::testing::Test {
 protected:
  void advance(double seconds) {
    clock_->advance(Seconds(seconds));
    dispatch::main_loop::drain();
  }
  double secondsSinceStart(dispatch::TimePoint t) const { return std::chrono::duration<double>(t - start_).count(); }

  dispatch::main_loop::TestScope loop_;
  dispatch::ScopedManualClock clock_;
  dispatch::TimePoint start_ = dispatch::now();
};

// Completions seen, in order; nullopt while a completion has not run.
struct Outcomes {
  std::vector<bool> seen;
  View::Completion record() {
    return [this](bool finished) { seen.push_back(finished); };
  }
};

const BasicAnimation* basic(const Layer& layer, const std::string& key) {
  return dynamic_cast<const BasicAnimation*>(layer.animation(key));
}

TEST_F(AnimationTest, EndValuesStandAtOnceAndTheCompletionComesAfterDelayAndDuration) {
  auto view = std::make_shared<View>(Rect{0, 0, 100, 100});
  Outcomes outcomes;
  View::animate(
      0.3, 0.2, AnimationOptions::curveEaseOut,
      [&] {
        view->setAlpha(0);
        view->setCenter({60, 50});
      },
      outcomes.record());
  EXPECT_EQ(view->alpha(), 0);
  EXPECT_EQ(view->frame(), (Rect{10, 0, 100, 100}));

  const BasicAnimation* fade = basic(view->layer(), "opacity");
  ASSERT_NE(fade, nullptr);
  EXPECT_EQ(fade->fromValue, AnimationValue(1.0));
  EXPECT_EQ(fade->toValue, AnimationValue(0.0));
  EXPECT_EQ(fade->beginTime, 0.2);
  EXPECT_EQ(fade->duration, 0.3);
  EXPECT_EQ(fade->timingFunction, TimingFunction::named(TimingFunction::Name::easeOut));
  ASSERT_NE(basic(view->layer(), "position"), nullptr);
  EXPECT_EQ(basic(view->layer(), "position")->toValue, AnimationValue(Point{60, 50}));
  const auto running = view->layer().animations();
  ASSERT_EQ(running.size(), 2u);
  EXPECT_DOUBLE_EQ(secondsSinceStart(running[0].startTime()), 0.2);
  EXPECT_DOUBLE_EQ(secondsSinceStart(running[0].endTime()), 0.5);

  advance(0.49);
  EXPECT_TRUE(outcomes.seen.empty());
  advance(0.01);
  EXPECT_EQ(outcomes.seen, (std::vector<bool>{true}));
  EXPECT_TRUE(view->layer().animations().empty());
  advance(5);
  EXPECT_EQ(outcomes.seen.size(), 1u);
}

TEST_F(AnimationTest, InterruptedAnimationsCompleteUnfinished) {
  struct Case {
    const char* name;
    std::function<void(View&)> interrupt;
  };
  const Case cases[] = {
      {"a later animation of the same property", [](View& v) { View::animate(1, [&] { v.setAlpha(1); }); }},
      {"its animations removed", [](View& v) { v.layer().removeAllAnimations(); }},
      {"its animation removed by key", [](View& v) { v.layer().removeAnimation("opacity"); }},
  };
  for (const Case& c : cases) {
    auto view = std::make_shared<View>();
    Outcomes outcomes;
    View::animate(1, [&] { view->setAlpha(0); }, outcomes.record());
    advance(0.5);
    c.interrupt(*view);
    EXPECT_TRUE(outcomes.seen.empty()) << c.name << ": reported on a later turn";
    dispatch::main_loop::drain();
    EXPECT_EQ(outcomes.seen, (std::vector<bool>{false})) << c.name;
    advance(2);
    EXPECT_EQ(outcomes.seen.size(), 1u) << c.name;
  }
}

TEST_F(AnimationTest, OneBlockChangingAPropertyTwiceIsOneAnimation) {
  auto view = std::make_shared<View>();
  Outcomes outcomes;
  View::animate(
      1,
      [&] {
        view->setAlpha(0.5);
        view->setAlpha(0.2);
      },
      outcomes.record());
  ASSERT_EQ(view->layer().animations().size(), 1u);
  EXPECT_EQ(basic(view->layer(), "opacity")->fromValue, AnimationValue(1.0));
  EXPECT_EQ(basic(view->layer(), "opacity")->toValue, AnimationValue(0.2));
  advance(1);
  EXPECT_EQ(outcomes.seen, (std::vector<bool>{true}));
}

TEST_F(AnimationTest, LayoutInsideABlockAnimatesTheNewFrames) {
  auto root = std::make_shared<View>(Rect{0, 0, 300, 100});
  auto child = constrained();
  root->addSubview(child);
  auto width = child->widthAnchor().constraintEqualToConstant(50);
  Constraint::activate({width, child->heightAnchor().constraintEqualToConstant(10)});
  root->layoutIfNeeded();
  width->setConstant(150);
  View::animate(0.25, [&] { root->layoutIfNeeded(); });
  EXPECT_EQ(child->frame(), (Rect{0, 0, 150, 10}));
  ASSERT_NE(basic(child->layer(), "bounds"), nullptr);
  EXPECT_EQ(basic(child->layer(), "bounds")->fromValue, AnimationValue(Rect{0, 0, 50, 10}));
  EXPECT_EQ(basic(child->layer(), "position")->toValue, AnimationValue(Point{75, 5}));
}

TEST_F(AnimationTest, WithoutAnimationOrDurationNothingIsRecorded) {
  auto view = std::make_shared<View>();
  Outcomes outcomes;
  View::animate(
      0.4, [&] { View::performWithoutAnimation([&] { view->setAlpha(0.3); }); }, outcomes.record());
  EXPECT_EQ(view->alpha(), 0.3);
  EXPECT_TRUE(view->layer().animations().empty());
  advance(0.39);
  EXPECT_TRUE(outcomes.seen.empty()) << "the completion still waits for the duration";
  advance(0.01);
  EXPECT_EQ(outcomes.seen, (std::vector<bool>{true}));

  Outcomes instant;
  View::animate(0, [&] { view->setAlpha(1); }, instant.record());
  EXPECT_TRUE(view->layer().animations().empty());
  EXPECT_TRUE(instant.seen.empty()) << "never on the caller's stack";
  dispatch::main_loop::drain();
  EXPECT_EQ(instant.seen, (std::vector<bool>{true}));
}

TEST_F(AnimationTest, SpringFormRecordsItsSpring) {
  auto view = std::make_shared<View>();
  View::animate(0.5, 0, 0.7, 0.3, AnimationOptions::curveLinear, [&] { view->setTransform(AffineTransform::scale(2, 2)); });
  const BasicAnimation* grow = basic(view->layer(), "transform");
  ASSERT_NE(grow, nullptr);
  EXPECT_EQ(grow->spring, (Spring{0.7, 0.3}));
  EXPECT_EQ(grow->toValue, AnimationValue(AffineTransform::scale(2, 2)));
}

// A toast: fade in over a second, hold two, fade out over one, then take itself away.
TEST_F(AnimationTest, ChainedAnimationsRunToTheirEnd) {
  auto parent = std::make_shared<View>();
  auto toast = std::make_shared<View>();
  parent->addSubview(toast);
  toast->setAlpha(0);
  std::weak_ptr<View> weak = toast;
  View::animate(1, 0, AnimationOptions::curveEaseOut, [toast] { toast->setAlpha(1); }, [weak](bool) {
    View::animate(1, 2, AnimationOptions::curveEaseOut, [weak] {
      if (auto t = weak.lock()) t->setAlpha(0);
    }, [weak](bool) {
      if (auto t = weak.lock()) t->removeFromSuperview();
    });
  });
  toast.reset();
  advance(3.9);
  EXPECT_EQ(parent->subviews().size(), 1u);
  advance(0.1);
  EXPECT_TRUE(parent->subviews().empty());
  EXPECT_TRUE(weak.expired());
}

TEST_F(AnimationTest, AViewGoneMidAnimationStillCompletes) {
  Outcomes outcomes;
  {
    auto view = std::make_shared<View>();
    View::animate(1, [&] { view->setAlpha(0); }, outcomes.record());
  }
  dispatch::main_loop::drain();
  EXPECT_EQ(outcomes.seen, (std::vector<bool>{false}));
  advance(2);
  EXPECT_EQ(outcomes.seen.size(), 1u);
}

// Three dots dimming in turn: a group per dot, a quarter second apart, repeating without end.
TEST_F(AnimationTest, LayerAnimationsAreKeptWhileTheyRun) {
  Layer dots[3];
  for (int i = 0; i < 3; ++i) {
    AnimationGroup group;
    BasicAnimation dim("opacity");
    dim.fromValue = 1.0;
    dim.toValue = 0.2;
    dim.beginTime = 0.25 * i;
    dim.duration = 0.3;
    BasicAnimation brighten("opacity");
    brighten.fromValue = 0.2;
    brighten.toValue = 1.0;
    brighten.beginTime = 0.25 * i + 0.3;
    brighten.duration = 0.2;
    group.add(dim);
    group.add(brighten);
    group.duration = 1;
    group.repeatCount = kRepeatForever;
    dots[i].removeAllAnimations();
    dots[i].add(group, "velkor.indicator.alphaAnimation");
  }
  advance(100);
  auto* group = dynamic_cast<const AnimationGroup*>(dots[2].animation("velkor.indicator.alphaAnimation"));
  ASSERT_NE(group, nullptr);
  ASSERT_EQ(group->animations.size(), 2u);
  EXPECT_EQ(group->animations[1]->beginTime, 0.8);
  EXPECT_EQ(dots[2].animationKeys(), (std::vector<std::string>{"velkor.indicator.alphaAnimation"}));

  // Added again under the same key: replaced, never stacked.
  dots[0].add(*group, "velkor.indicator.alphaAnimation");
  EXPECT_EQ(dots[0].animations().size(), 1u);
  dots[0].removeAnimation("velkor.indicator.alphaAnimation");
  EXPECT_TRUE(dots[0].animations().empty());

  // A one-off animation is over after its duration.
  BasicAnimation fade("opacity");
  fade.duration = 0.5;
  dots[1].add(fade, "fade");
  advance(0.49);
  EXPECT_NE(dots[1].animation("fade"), nullptr);
  advance(0.01);
  EXPECT_EQ(dots[1].animation("fade"), nullptr);
  EXPECT_EQ(dots[1].animationKeys().size(), 1u);
}

TEST_F(AnimationTest, WindowTransitionsAreRecordedWithTheirTiming) {
  auto window = std::make_shared<Window>(Rect{0, 0, 390, 844});
  Transition push;
  push.type = Transition::Type::push;
  push.subtype = Transition::Subtype::fromRight;
  push.duration = 0.7;
  push.timingFunction = TimingFunction::controlPoints(0.3, 1.0, 0.3, 1.0);
  window->layer().add(push, "transition");
  Transition fade;
  fade.duration = 0.1;
  fade.timingFunction = TimingFunction::named(TimingFunction::Name::easeInEaseOut);

  auto* recorded = dynamic_cast<const Transition*>(window->layer().animation("transition"));
  ASSERT_NE(recorded, nullptr);
  EXPECT_EQ(recorded->subtype, Transition::Subtype::fromRight);
  EXPECT_EQ(recorded->timingFunction, TimingFunction::controlPoints(0.3, 1.0, 0.3, 1.0));
  advance(0.5);
  window->layer().add(fade, "transition");  // the later one replaces it
  recorded = dynamic_cast<const Transition*>(window->layer().animation("transition"));
  ASSERT_NE(recorded, nullptr);
  EXPECT_EQ(recorded->type, Transition::Type::fade);
  EXPECT_DOUBLE_EQ(secondsSinceStart(window->layer().animations()[0].addedAt), 0.5);
  advance(0.1);
  EXPECT_TRUE(window->layer().animations().empty());
}

}  // namespace
}  // namespace ui::testing
