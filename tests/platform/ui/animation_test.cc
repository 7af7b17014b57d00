#include <gtest/gtest.h>

#include <vector>

#include "platform/dispatch/clock.h"
#include "platform/dispatch/main_loop.h"
#include "platform/ui/view.h"

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

}  // namespace
}  // namespace ui::testing
