#include "velkor/components/animated_label.h"

#include <gtest/gtest.h>

#include "tests/velkor/components/components_testing.h"
#include "velkor/components/default_prepare_view.h"

namespace velkor {
namespace {

using Method = AnimatedLabel::CountingMethod;

class AnimatedLabelTest : public testing::ComponentsTest {
 protected:
  std::shared_ptr<AnimatedLabel> label_ = std::make_shared<AnimatedLabel>();
  int completions_ = 0;
  void SetUp() override { label_->setCompletion([this] { ++completions_; }); }
};

TEST_F(AnimatedLabelTest, ZeroDurationEndsBeforeReturning) {
  label_->count(0, 1500, 0.0);
  EXPECT_EQ(label_->text(), "1500");
  EXPECT_EQ(completions_, 1);
  EXPECT_FALSE(label_->isCounting());
  label_->setDecimalPoints(AnimatedLabel::DecimalPoints::ridiculous);
  label_->count(0, 2.5, 0.0);
  EXPECT_EQ(label_->text(), "2.500000");
  label_->setDecimalPoints(AnimatedLabel::DecimalPoints::zero);
  completions_ = 1;
  // Without a duration, instant ends at the first tick.
  label_->setAnimationDuration(AnimatedLabel::AnimationDuration::instant);
  label_->count(0, 7);
  EXPECT_EQ(completions_, 1);
  advance(0.02);
  EXPECT_EQ(label_->text(), "7");
  EXPECT_EQ(completions_, 2);
}

TEST_F(AnimatedLabelTest, CurvesPassTheirPointsAndTheLastTickShowsTheDestination) {
  struct Case {
    Method method;
    AnimatedLabel::DecimalPoints points;
    const char* atHalf;
  };
  // At half of 2 s, from 0 to 1000: linear 500, ease-in 1000 × 0.5³, ease-out 1000 × (1 − 0.5³),
  // ease-in-out its midpoint.
  for (const Case& c : {Case{Method::linear, AnimatedLabel::DecimalPoints::zero, "500"},
                        Case{Method::easeIn, AnimatedLabel::DecimalPoints::one, "125.0"},
                        Case{Method::easeOut, AnimatedLabel::DecimalPoints::two, "875.00"},
                        Case{Method::easeInOut, AnimatedLabel::DecimalPoints::zero, "500"}}) {
    SCOPED_TRACE(int(c.method));
    completions_ = 0;
    label_->setCountingMethod(c.method);
    label_->setDecimalPoints(c.points);
    label_->count(0, 1000, 2.0);
    // Ticks come at 1/60 s; the clock lands exactly on the half at tick 60.
    advance(1.0);
    EXPECT_EQ(label_->text(), c.atHalf);
    EXPECT_EQ(completions_, 0);
    advance(1.1);
    EXPECT_EQ(completions_, 1);
    EXPECT_FALSE(label_->isCounting());
  }
  label_->setCustomFormatBlock([](float value) { return "[" + std::to_string(int(value)) + "]"; });
  label_->count(3, 1500, 1.0);
  advance(1.5);
  EXPECT_EQ(label_->text(), "[1500]");
}

TEST_F(AnimatedLabelTest, ANewCountStopsTheOldOneWithoutItsCompletion) {
  label_->count(0, 100, 1.0);
  advance(0.5);
  label_->count(0, 5, 1.0);
  advance(1.2);
  EXPECT_EQ(completions_, 1);
  EXPECT_EQ(label_->text(), "5");
}

class DefaultPrepareViewTest : public testing::ComponentsTest {
 protected:
  DefaultPrepareViewTest() {
    host_->view()->addSubview(view_);
    view_->setPrepareViewDidDisappear([this] { ++disappeared_; });
  }
  std::shared_ptr<DefaultPrepareView> view_ = DefaultPrepareView::make({0, 0, 390, 844});
  int disappeared_ = 0;
};

TEST_F(DefaultPrepareViewTest, CountsHoldsFadesAndLeaves) {
  const auto scheme = VelkorInternal::shared().colorScheme();
  scheme->setPrimaryColorVariant(ui::Color(0.3, 0.2, 0.1));
  VelkorInternal::shared().setColorScheme(std::make_shared<VelkorColorScheme>());  // too late for this view
  view_->setAvailableReward(std::nullopt, "P", 1500);
  EXPECT_EQ(view_->titleLabel()->text(), "지금 받을 수 있는 혜택");
  EXPECT_EQ(view_->availableRewardLabel()->textColor(), scheme->primaryColorVariant());
  advance(1.0 + 0.02);
  EXPECT_EQ(view_->availableRewardLabel()->text(), "1,500");
  advance(0.75);
  EXPECT_EQ(view_->alpha(), 1.0);
  EXPECT_TRUE(view_->superview());
  advance(0.1);  // fading
  EXPECT_EQ(view_->alpha(), 0.0);
  EXPECT_TRUE(view_->superview());
  EXPECT_EQ(disappeared_, 0);
  advance(0.2);
  EXPECT_FALSE(view_->superview());
  EXPECT_EQ(disappeared_, 1);
}

TEST_F(DefaultPrepareViewTest, RemovedEarlyNeverCallsBack) {
  view_->setAvailableReward("포인트", std::nullopt, 0);
  EXPECT_EQ(view_->titleLabel()->text(), "지금 받을 수 있는 포인트");
  view_->removeFromSuperview();
  advance(3);
  EXPECT_EQ(disappeared_, 0);
  EXPECT_EQ(view_->availableRewardLabel()->text(), "0");
}

}  // namespace
}  // namespace velkor
