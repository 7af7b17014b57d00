#include "platform/ui/stack_view.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/platform/ui/test_views.h"

namespace ui {
namespace {

using testing::SizedView;
using Distribution = StackView::Distribution;

std::shared_ptr<SizedView> sized(double width, double height) { return std::make_shared<SizedView>(Size{width, height}); }

// A 300 × 100 root holding a stack pinned to it on every side.
struct PinnedStack {
  std::shared_ptr<View> root = std::make_shared<View>(Rect{0, 0, 300, 100});
  std::shared_ptr<StackView> stack = std::make_shared<StackView>();
  std::vector<std::shared_ptr<SizedView>> views;

  explicit PinnedStack(std::vector<Size> naturals) {
    stack->setTranslatesAutoresizingMaskIntoConstraints(false);
    root->addSubview(stack);
    Constraint::activate({stack->leadingAnchor().constraintEqualTo(root->leadingAnchor()),
                          stack->trailingAnchor().constraintEqualTo(root->trailingAnchor()),
                          stack->topAnchor().constraintEqualTo(root->topAnchor()),
                          stack->bottomAnchor().constraintEqualTo(root->bottomAnchor())});
    for (Size natural : naturals) {
      views.push_back(sized(natural.width, natural.height));
      stack->addArrangedSubview(views.back());
    }
  }
  std::vector<Rect> frames() {
    root->layoutIfNeeded();
    std::vector<Rect> result;
    for (auto& view : views) result.push_back(view->frame());
    return result;
  }
};

TEST(StackViewTest, DistributionsAlongTheAxis) {
  const struct {
    const char* name;
    Distribution distribution;
    std::vector<Rect> expected;
  } cases[] = {
      // 40 + 60 + 20 wide, spacing 10: 180 points to share.
      {"fill stretches the least hugging", Distribution::fill, {{0, 0, 40, 100}, {50, 0, 60, 100}, {120, 0, 180, 100}}},
      {"fill equally", Distribution::fillEqually,
       {{0, 0, 280.0 / 3, 100}, {280.0 / 3 + 10, 0, 280.0 / 3, 100}, {560.0 / 3 + 20, 0, 280.0 / 3, 100}}},
      {"fill proportionally", Distribution::fillProportionally,
       {{0, 0, 280.0 / 3, 100}, {280.0 / 3 + 10, 0, 140, 100}, {280.0 / 3 + 160, 0, 280.0 / 6, 100}}},
      {"equal spacing", Distribution::equalSpacing, {{0, 0, 40, 100}, {130, 0, 60, 100}, {280, 0, 20, 100}}},
      // Centres 20, 150 and 290 are 130 apart... with the outer edges pinned.
      {"equal centring", Distribution::equalCentering, {{0, 0, 40, 100}, {125, 0, 60, 100}, {280, 0, 20, 100}}},
  };
  // Right to left, the same frames mirrored.
  for (bool rightToLeft : {false, true}) {
    for (const auto& c : cases) {
      PinnedStack s({{40, 20}, {60, 30}, {20, 10}});
      if (rightToLeft) s.root->setSemanticContentAttribute(SemanticContentAttribute::forceRightToLeft);
      s.views[2]->setContentHuggingPriority(200, LayoutAxis::horizontal);
      s.stack->setSpacing(10);
      s.stack->setDistribution(c.distribution);
      const auto frames = s.frames();
      for (std::size_t i = 0; i < frames.size(); ++i) {
        const Rect& expected = c.expected[i];
        const double x = rightToLeft ? 300 - expected.maxX() : expected.x();
        EXPECT_NEAR(frames[i].x(), x, 1e-6) << c.name << " #" << i << (rightToLeft ? " right to left" : "");
        EXPECT_NEAR(frames[i].width(), expected.width(), 1e-6) << c.name << " #" << i;
        EXPECT_EQ(frames[i].height(), 100) << c.name;
      }
    }
  }
}

TEST(StackViewTest, HiddenViewsCollapseWithTheirSpacing) {
  PinnedStack s({{40, 20}, {60, 30}, {20, 10}});
  s.stack->setSpacing(10);
  s.stack->setDistribution(Distribution::fillEqually);
  s.frames();
  // Hiding or showing is enough: the stack is told and arranges again at the next layout.
  s.views[1]->setHidden(true);
  EXPECT_TRUE(s.stack->needsLayout());
  auto frames = s.frames();
  EXPECT_EQ(frames[0], (Rect{0, 0, 145, 100}));
  EXPECT_EQ(frames[1].width(), 0);
  EXPECT_EQ(frames[2], (Rect{155, 0, 145, 100}));

  s.views[1]->setHidden(false);
  frames = s.frames();
  EXPECT_NEAR(frames[1].width(), 280.0 / 3, 1e-6);

  // A subview the stack does not arrange is left alone.
  auto decoration = sized(10, 10);
  s.stack->addSubview(decoration);
  s.frames();
  decoration->setHidden(true);
  EXPECT_FALSE(s.stack->needsLayout());
}

TEST(StackViewTest, ArrangedViewsComeAndGo) {
  PinnedStack s({{40, 20}, {60, 30}});
  auto third = sized(20, 10);
  s.stack->insertArrangedSubview(third, 0);
  ASSERT_EQ(s.stack->arrangedSubviews().size(), 3u);
  EXPECT_EQ(s.stack->arrangedSubviews()[0], third);

  // Removed from the arrangement, still a subview; removed from the superview, gone from both.
  s.stack->removeArrangedSubview(*third);
  EXPECT_EQ(s.stack->arrangedSubviews().size(), 2u);
  EXPECT_EQ(third->superview(), s.stack.get());
  s.views[0]->removeFromSuperview();
  ASSERT_EQ(s.stack->arrangedSubviews().size(), 1u);
  EXPECT_EQ(s.stack->arrangedSubviews()[0], s.views[1]);
  s.root->layoutIfNeeded();
  EXPECT_EQ(s.views[1]->frame(), (Rect{0, 0, 300, 100}));

  // Rebuilding leaves no constraint of an earlier arrangement behind.
  const auto before = s.stack->arrangementConstraints();
  s.stack->setSpacing(3);
  for (const auto& constraint : before) EXPECT_FALSE(constraint->isActive());
  for (const auto& constraint : s.stack->arrangementConstraints()) EXPECT_TRUE(constraint->isActive());
}

}  // namespace
}  // namespace ui
