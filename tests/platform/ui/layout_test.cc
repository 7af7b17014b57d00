#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/ui/window.h"
#include "tests/platform/ui/test_views.h"

namespace ui::testing {
namespace {

std::shared_ptr<View> container(double width, double height) {
  return std::make_shared<View>(Rect{0, 0, width, height});
}

Rect mirrored(const Rect& frame, double width) {
  return {width - frame.maxX(), frame.y(), frame.width(), frame.height()};
}

// Each case lays out `a` and `b` in a 320-point-wide root left to right, then right to left: the
// second layout must be the mirror of the first, also once the last constraint's constant changed.
TEST(Layout, RightToLeftIsTheMirrorOfLeftToRight) {
  using Make = std::function<std::vector<std::shared_ptr<Constraint>>(View& root, View& a, View& b)>;
  constexpr double kNone = View::kNoIntrinsicMetric;
  struct Case {
    const char* name;
    Size aNatural, bNatural;
    Make make;
    Rect a, b;  // left to right
  };
  const Case cases[] = {
      {"≥ holds off a view pulled towards the leading edge", {kNone, kNone}, {kNone, kNone},
       [](View& root, View& a, View& b) {
         return std::vector{a.leadingAnchor().constraintEqualTo(root.leadingAnchor(), 20),
                            a.widthAnchor().constraintEqualToConstant(100),
                            b.widthAnchor().constraintEqualToConstant(50),
                            b.leadingAnchor().constraintGreaterThanOrEqualTo(a.trailingAnchor(), 10)};
       },
       {20, 0, 100, 0}, {130, 0, 50, 0}},
      {"≤ caps a view that resists compression", {400, 20}, {50, 20},
       [](View& root, View& a, View& b) {
         return std::vector{a.leadingAnchor().constraintEqualTo(root.leadingAnchor(), 10),
                            a.trailingAnchor().constraintLessThanOrEqualTo(b.leadingAnchor(), -10),
                            a.trailingAnchor().constraintLessThanOrEqualTo(root.trailingAnchor(), -100)};
       },
       {10, 0, 210, 20}, {230, 0, 50, 20}},
      {"multipliers on positions", {40, kNone}, {30, kNone},
       [](View& root, View& a, View& b) {
         auto shared = [](View& view) { return view.shared(); };
         using enum LayoutAttribute;
         return std::vector{
             Constraint::make(shared(a), leading, LayoutRelation::greaterThanOrEqual, shared(root), trailing,
                              0.5, 0),
             Constraint::make(shared(b), trailing, LayoutRelation::equal, shared(root), trailing, 0.25, 10)};
       },
       {160, 0, 40, 0}, {60, 0, 30, 0}},
  };
  for (const Case& c : cases) {
    std::vector<Rect> leftToRight;
    for (bool rightToLeft : {false, true}) {
      auto root = container(320, 100);
      if (rightToLeft) root->setSemanticContentAttribute(SemanticContentAttribute::forceRightToLeft);
      auto a = make<SizedView>(c.aNatural), b = make<SizedView>(c.bNatural);
      root->addSubview(a);
      root->addSubview(b);
      ASSERT_EQ(a->effectiveUserInterfaceLayoutDirection() == UserInterfaceLayoutDirection::rightToLeft, rightToLeft);
      auto constraints = c.make(*root, *a, *b);
      Constraint::activate(constraints);
      root->layoutIfNeeded();
      std::vector<Rect> frames{a->frame(), b->frame()};
      constraints.back()->setConstant(constraints.back()->constant() + 15);
      root->layoutIfNeeded();
      frames.push_back(a->frame());
      frames.push_back(b->frame());
      if (!rightToLeft) {
        EXPECT_EQ(frames[0], c.a) << c.name;
        EXPECT_EQ(frames[1], c.b) << c.name;
        leftToRight = frames;
        continue;
      }
      for (std::size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i], mirrored(leftToRight[i], 320)) << c.name << ", frame " << i;
      }
    }
  }
}

TEST(Layout, ConflictingRequiredConstraintIsLoggedAndBroken) {
  auto root = container(300, 100), child = constrained();
  root->addSubview(child);
  auto first = child->widthAnchor().constraintEqualToConstant(100);
  auto second = child->widthAnchor().constraintEqualToConstant(200);
  Constraint::activate({first, second, child->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 5)});
  ::testing::internal::CaptureStderr();
  root->layoutIfNeeded();
  std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("breaking"), std::string::npos) << log;
  EXPECT_NE(log.find("width == 200"), std::string::npos) << log;
  EXPECT_EQ(child->frame(), (Rect{5, 0, 100, 0}));  // the rest still holds
  EXPECT_TRUE(second->isActive());

  // Once what it conflicted with goes, the broken one takes effect.
  first->setActive(false);
  root->layoutIfNeeded();
  EXPECT_EQ(child->frame().width(), 200);

  // A constant that makes it conflict again breaks it again, logged.
  auto cap = child->widthAnchor().constraintLessThanOrEqualToConstant(250);
  cap->setActive(true);
  root->layoutIfNeeded();
  ::testing::internal::CaptureStderr();
  second->setConstant(300);
  root->layoutIfNeeded();
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("breaking"), std::string::npos);
  EXPECT_EQ(child->frame().width(), 0) << "broken: only the cap is left, and nothing pulls";
}

TEST(Layout, ActivationNeedsACommonAncestorAndRelatableAttributes) {
  auto root = container(100, 100), child = constrained(), stranger = constrained();
  root->addSubview(child);
  auto orphan = child->leadingAnchor().constraintEqualTo(stranger->leadingAnchor());
  auto mixed = Constraint::make(child, LayoutAttribute::leading, LayoutRelation::equal, root, LayoutAttribute::left, 1, 0);
  auto sizeToEdge = Constraint::make(child, LayoutAttribute::width, LayoutRelation::equal, root, LayoutAttribute::top, 1, 0);
  for (const auto& constraint : {orphan, mixed, sizeToEdge}) {
    ::testing::internal::CaptureStderr();
    constraint->setActive(true);
    std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(constraint->isActive()) << constraint->description();
    EXPECT_NE(log.find("cannot activate"), std::string::npos) << log;
  }
  EXPECT_TRUE(root->constraints().empty());
}

TEST(Layout, RemovingAViewDropsOnlyTheConstraintsThatLeaveItsSubtree) {
  auto root = container(300, 100), parent = constrained(), child = constrained();
  root->addSubview(parent);
  parent->addSubview(child);
  auto toRoot = parent->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 20);
  auto inside = child->leadingAnchor().constraintEqualTo(parent->leadingAnchor(), 5);
  auto own = child->widthAnchor().constraintEqualToConstant(30);
  auto crossing = child->topAnchor().constraintEqualTo(root->topAnchor(), 7);
  Constraint::activate({toRoot, inside, own, crossing});
  EXPECT_EQ(root->constraints().size(), 2u);

  parent->removeFromSuperview();
  EXPECT_FALSE(toRoot->isActive());
  EXPECT_FALSE(crossing->isActive());
  EXPECT_TRUE(inside->isActive());
  EXPECT_TRUE(own->isActive());
  EXPECT_TRUE(root->constraints().empty());

  // Laid out on its own, then put back under new constraints.
  parent->layoutIfNeeded();
  EXPECT_EQ(child->frame(), (Rect{5, 0, 30, 0}));
  root->addSubview(parent);
  Constraint::activate({parent->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 50)});
  root->layoutIfNeeded();
  EXPECT_EQ(parent->frame().x(), 50);
  EXPECT_EQ(child->frame().x(), 5);

  Constraint::deactivate({inside, own});
  root->layoutIfNeeded();
  EXPECT_EQ(child->frame(), (Rect{0, 0, 0, 0}));
}

// Views joining and leaving are solved incrementally; a rebuilt engine agrees.
TEST(Layout, TreeChangesSolveLikeARebuild) {
  for (auto direction : {SemanticContentAttribute::unspecified, SemanticContentAttribute::forceRightToLeft}) {
    auto root = container(300, 200);
    root->setSemanticContentAttribute(direction);
    auto left = constrained(), right = constrained();
    root->addSubview(left);
    root->addSubview(right);
    Constraint::activate({
        left->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 10),
        left->widthAnchor().constraintEqualToConstant(100),
        left->heightAnchor().constraintEqualTo(root->heightAnchor()),
        right->trailingAnchor().constraintEqualTo(root->trailingAnchor(), -10),
        right->widthAnchor().constraintEqualTo(left->widthAnchor()),
        right->heightAnchor().constraintEqualTo(root->heightAnchor(), 0.5, 0),
    });
    auto badge = make<SizedView>(Size{20, 20});
    Constraint::activate({badge->widthAnchor().constraintGreaterThanOrEqualToConstant(30)});
    root->layoutIfNeeded();

    auto frames = [&] { return std::vector<Rect>{left->frame(), right->frame(), badge->frame()}; };
    for (int round = 0; round < 100; ++round) {
      auto& parent = round % 2 ? left : right;
      parent->addSubview(badge);
      Constraint::activate({
          badge->centerXAnchor().constraintEqualTo(parent->centerXAnchor(), round % 7),
          badge->bottomAnchor().constraintEqualTo(root->bottomAnchor(), -round % 5),
      });
      root->layoutIfNeeded();
      auto incremental = frames();
      EXPECT_EQ(incremental[2].width(), 30) << "its own constraint travels with it";
      right->setTranslatesAutoresizingMaskIntoConstraints(true);  // forces a rebuild
      right->setTranslatesAutoresizingMaskIntoConstraints(false);
      root->layoutIfNeeded();
      ASSERT_EQ(frames(), incremental) << "round " << round << ", direction " << static_cast<int>(direction);
      badge->removeFromSuperview();
    }
  }
}

}  // namespace
}  // namespace ui::testing
