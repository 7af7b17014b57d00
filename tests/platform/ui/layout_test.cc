#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/ui/window.h"
#include "tests/platform/ui/test_views.h"

namespace ui::testing {
namespace {

// A container the size given, at the root of its tree.
std::shared_ptr<View> container(double width, double height) {
  return std::make_shared<View>(Rect{0, 0, width, height});
}

class CountingView : public View {
 public:
  CountingView() { setTranslatesAutoresizingMaskIntoConstraints(false); }
  void layoutSubviews() override {
    View::layoutSubviews();
    ++layouts;
  }
  int layouts = 0;
};

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
      {"equalities", {kNone, kNone}, {kNone, kNone},
       [](View& root, View& a, View& b) {
         return std::vector{a.leadingAnchor().constraintEqualTo(root.leadingAnchor(), 20),
                            b.trailingAnchor().constraintEqualTo(root.trailingAnchor(), -20),
                            b.widthAnchor().constraintEqualToConstant(50),
                            a.trailingAnchor().constraintEqualTo(b.leadingAnchor(), -10)};
       },
       {20, 0, 220, 0}, {250, 0, 50, 0}},
      {"≥ leaves a wider gap alone", {100, 20}, {50, 20},
       [](View& root, View& a, View& b) {
         return std::vector{a.leadingAnchor().constraintEqualTo(root.leadingAnchor(), 20),
                            b.trailingAnchor().constraintEqualTo(root.trailingAnchor(), -20),
                            b.leadingAnchor().constraintGreaterThanOrEqualTo(a.trailingAnchor(), 10)};
       },
       {20, 0, 100, 20}, {250, 0, 50, 20}},
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
      {"a centre against a leading edge", {kNone, kNone}, {20, kNone},
       [](View& root, View& a, View& b) {
         return std::vector{a.leadingAnchor().constraintEqualTo(root.leadingAnchor(), 20),
                            a.widthAnchor().constraintEqualToConstant(100),
                            b.centerXAnchor().constraintGreaterThanOrEqualTo(a.leadingAnchor(), 40)};
       },
       {20, 0, 100, 0}, {50, 0, 20, 0}},
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
      auto a = make<SizedView>(c.aNatural);
      auto b = make<SizedView>(c.bNatural);
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

TEST(Layout, MultipliersCentresAndConstantsOfDimensions) {
  auto root = container(300, 200);
  auto child = constrained();
  root->addSubview(child);
  Constraint::activate({
      child->widthAnchor().constraintEqualTo(root->widthAnchor(), 0.5, 10),
      child->heightAnchor().constraintEqualTo(child->widthAnchor(), 0.25, 0),
      child->centerXAnchor().constraintEqualTo(root->centerXAnchor()),
      child->centerYAnchor().constraintEqualTo(root->centerYAnchor(), 20),
  });
  root->layoutIfNeeded();
  EXPECT_EQ(child->frame(), (Rect{70, 100, 160, 40}));
}

TEST(Layout, ChangedConstantAndPriorityAreResolvedAtTheNextLayout) {
  auto root = container(300, 100);
  auto child = constrained();
  root->addSubview(child);
  auto leading = child->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 10);
  auto wide = child->widthAnchor().constraintGreaterThanOrEqualToConstant(200);
  wide->setPriority(750);
  auto narrow = child->widthAnchor().constraintLessThanOrEqualToConstant(150);
  narrow->setPriority(999);
  Constraint::activate({leading, wide, narrow});
  root->layoutIfNeeded();
  EXPECT_EQ(child->frame(), (Rect{10, 0, 150, 0}));

  leading->setConstant(40);
  EXPECT_EQ(child->frame().x(), 10);  // frames move when layout runs
  root->layoutIfNeeded();
  EXPECT_EQ(child->frame().x(), 40);

  narrow->setPriority(500);
  root->layoutIfNeeded();
  EXPECT_EQ(child->frame().width(), 200);
  narrow->setPriority(5000);  // clamped to required
  EXPECT_EQ(narrow->priority(), layout_priority::required);
  root->layoutIfNeeded();
  EXPECT_EQ(child->frame().width(), 150);
}

TEST(Layout, ConflictingRequiredConstraintIsLoggedAndBroken) {
  auto root = container(300, 100);
  auto child = constrained();
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

TEST(Layout, HuggingAndCompressionResistancePerAxis) {
  struct Case {
    const char* name;
    double containerWidth;
    LayoutPriority aHugging, bCompression;
    double aWidth, bWidth;
  };
  const Case cases[] = {
      {"room to spare: the weaker hugger stretches", 300, 251, 750, 100, 200},
      {"too little room: the weaker resister gives", 150, 250, 751, 50, 100},
  };
  for (const Case& c : cases) {
    auto root = container(c.containerWidth, 100);
    auto a = make<SizedView>(Size{100, 20});
    auto b = make<SizedView>(Size{100, 30});
    root->addSubview(a);
    root->addSubview(b);
    a->setContentHuggingPriority(c.aHugging, LayoutAxis::horizontal);
    b->setContentCompressionResistancePriority(c.bCompression, LayoutAxis::horizontal);
    Constraint::activate({
        a->leadingAnchor().constraintEqualTo(root->leadingAnchor()),
        b->leadingAnchor().constraintEqualTo(a->trailingAnchor()),
        b->trailingAnchor().constraintEqualTo(root->trailingAnchor()),
    });
    root->layoutIfNeeded();
    EXPECT_EQ(a->frame().width(), c.aWidth) << c.name;
    EXPECT_EQ(b->frame().width(), c.bWidth) << c.name;
    // The vertical axis keeps its natural sizes.
    EXPECT_EQ(a->frame().height(), 20) << c.name;
    EXPECT_EQ(b->frame().height(), 30) << c.name;
  }
}

TEST(Layout, WrappingTextIsMeasuredAtTheWidthItGets) {
  struct Case {
    double containerWidth;
    double height;
  };
  for (Case c : {Case{320, 20}, Case{200, 40}, Case{100, 80}}) {
    auto root = container(c.containerWidth, 400);
    auto text = make<WrappingView>(300, 20);
    auto below = make<SizedView>(Size{10, 10});
    root->addSubview(text);
    root->addSubview(below);
    Constraint::activate({
        text->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 10),
        text->trailingAnchor().constraintLessThanOrEqualTo(root->trailingAnchor(), -10),
        text->topAnchor().constraintEqualTo(root->topAnchor(), 10),
        below->topAnchor().constraintEqualTo(text->bottomAnchor(), 5),
    });
    root->layoutIfNeeded();
    EXPECT_EQ(text->frame().height(), c.height) << c.containerWidth;
    EXPECT_EQ(below->frame().y(), 15 + c.height) << c.containerWidth;

    int measures = text->measures;
    root->layoutIfNeeded();
    EXPECT_EQ(text->measures, measures) << "an unchanged tree is not measured again";
  }
}

TEST(Layout, SystemLayoutSizeFittingGivesTheCompressedSize) {
  auto cell = container(500, 500);
  auto title = make<SizedView>(Size{100, 20});
  auto detail = make<SizedView>(Size{60, 30});
  cell->addSubview(title);
  cell->addSubview(detail);
  Constraint::activate({
      title->topAnchor().constraintEqualTo(cell->topAnchor(), 8),
      title->leadingAnchor().constraintEqualTo(cell->leadingAnchor(), 8),
      title->trailingAnchor().constraintLessThanOrEqualTo(cell->trailingAnchor(), -8),
      detail->topAnchor().constraintEqualTo(title->bottomAnchor(), 4),
      detail->leadingAnchor().constraintEqualTo(cell->leadingAnchor(), 8),
      detail->trailingAnchor().constraintLessThanOrEqualTo(cell->trailingAnchor(), -8),
      detail->bottomAnchor().constraintEqualTo(cell->bottomAnchor(), -8),
  });
  EXPECT_EQ(cell->systemLayoutSizeFitting(View::kLayoutFittingCompressedSize), (Size{116, 70}));

  // A fixed width: text that wraps grows the height.
  auto wrapping = container(0, 0);
  auto text = make<WrappingView>(300, 20);
  wrapping->addSubview(text);
  Constraint::activate({
      text->topAnchor().constraintEqualTo(wrapping->topAnchor(), 10),
      text->bottomAnchor().constraintEqualTo(wrapping->bottomAnchor(), -10),
      text->leadingAnchor().constraintEqualTo(wrapping->leadingAnchor(), 10),
      text->trailingAnchor().constraintLessThanOrEqualTo(wrapping->trailingAnchor(), -10),
  });
  EXPECT_EQ(wrapping->systemLayoutSizeFitting({170, 0}, layout_priority::required, layout_priority::fittingSizeLevel),
            (Size{170, 60}));
  EXPECT_EQ(wrapping->frame(), (Rect{0, 0, 0, 0})) << "fitting leaves the tree alone";
}

TEST(Layout, MarginAndSafeAreaGuides) {
  auto window = std::make_shared<Window>(Rect{0, 0, 390, 844});
  window->setSafeAreaInsets({47, 0, 34, 0});
  auto safe = constrained();
  auto full = constrained();
  window->addSubview(safe);
  window->addSubview(full);
  auto box = constrained();
  auto inner = constrained();
  safe->addSubview(box);
  full->addSubview(inner);
  auto pin = [](View& view, LayoutItem& to) {
    Constraint::activate({
        view.topAnchor().constraintEqualTo(to.topAnchor()),
        view.leadingAnchor().constraintEqualTo(to.leadingAnchor()),
        view.bottomAnchor().constraintEqualTo(to.bottomAnchor()),
        view.trailingAnchor().constraintEqualTo(to.trailingAnchor()),
    });
  };
  pin(*safe, *window->safeAreaLayoutGuide());
  pin(*full, *window);
  pin(*box, *safe->layoutMarginsGuide());
  pin(*inner, *full->layoutMarginsGuide());
  window->layoutIfNeeded();
  EXPECT_EQ(safe->frame(), (Rect{0, 47, 390, 763}));
  EXPECT_EQ(box->frame(), (Rect{8, 8, 374, 747}));
  EXPECT_EQ(full->safeAreaInsets(), (EdgeInsets{47, 0, 34, 0}));
  EXPECT_EQ(inner->frame(), (Rect{8, 55, 374, 747})) << "margins measured from the safe area";

  full->setInsetsLayoutMarginsFromSafeArea(false);
  safe->setLayoutMargins({0, 20, 0, 20});
  window->layoutIfNeeded();
  EXPECT_EQ(inner->frame(), (Rect{8, 8, 374, 828}));
  EXPECT_EQ(box->frame(), (Rect{20, 0, 350, 763}));

  window->setSafeAreaInsets({20, 0, 0, 0});
  window->layoutIfNeeded();
  EXPECT_EQ(safe->frame(), (Rect{0, 20, 390, 824}));
}

TEST(Layout, FrameTranslatingViewsAndTheFlexibleMask) {
  auto root = container(300, 200);
  auto fixed = std::make_shared<View>(Rect{10, 20, 30, 40});
  auto follower = constrained();
  auto stretchy = std::make_shared<View>(Rect{10, 0, 280, 10});
  stretchy->setAutoresizingMask(AutoresizingMask::flexibleWidth);
  root->addSubview(fixed);
  root->addSubview(follower);
  root->addSubview(stretchy);
  Constraint::activate({
      follower->leadingAnchor().constraintEqualTo(fixed->trailingAnchor(), 5),
      follower->topAnchor().constraintEqualTo(fixed->bottomAnchor()),
      follower->trailingAnchor().constraintEqualTo(stretchy->trailingAnchor()),
  });
  root->layoutIfNeeded();
  EXPECT_EQ(follower->frame(), (Rect{45, 60, 245, 0}));

  fixed->setFrame({0, 0, 50, 50});
  root->setFrame({0, 0, 400, 200});
  EXPECT_EQ(stretchy->frame(), (Rect{10, 0, 380, 10}));
  root->layoutIfNeeded();
  EXPECT_EQ(follower->frame(), (Rect{55, 50, 335, 0}));
}

TEST(Layout, UnderDeterminedFramesAreSmallestThenNearestTheOrigin) {
  auto root = container(300, 200);
  auto onlyLeading = constrained();
  auto natural = make<SizedView>(Size{40, 20});
  auto between = constrained();
  for (const auto& view : {onlyLeading, std::shared_ptr<View>(natural), between}) root->addSubview(view);
  Constraint::activate({
      onlyLeading->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 10),
      natural->topAnchor().constraintEqualTo(root->topAnchor(), 5),
      between->leadingAnchor().constraintGreaterThanOrEqualTo(root->leadingAnchor(), 10),
      between->trailingAnchor().constraintLessThanOrEqualTo(root->trailingAnchor(), -100),
      between->bottomAnchor().constraintEqualTo(root->bottomAnchor()),
  });
  root->layoutIfNeeded();
  EXPECT_EQ(onlyLeading->frame(), (Rect{10, 0, 0, 0}));
  EXPECT_EQ(natural->frame(), (Rect{0, 5, 40, 20}));
  EXPECT_EQ(between->frame(), (Rect{10, 200, 0, 0}));
}

TEST(Layout, ActivationNeedsACommonAncestorAndRelatableAttributes) {
  auto root = container(100, 100);
  auto child = constrained();
  root->addSubview(child);
  auto stranger = constrained();
  auto orphan = child->leadingAnchor().constraintEqualTo(stranger->leadingAnchor());
  auto mixed = Constraint::make(child, LayoutAttribute::leading, LayoutRelation::equal, root, LayoutAttribute::left, 1, 0);
  auto sizeToEdge =
      Constraint::make(child, LayoutAttribute::width, LayoutRelation::equal, root, LayoutAttribute::top, 1, 0);
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
  auto root = container(300, 100);
  auto parent = constrained();
  auto child = constrained();
  root->addSubview(parent);
  parent->addSubview(child);
  auto toRoot = parent->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 20);
  auto inside = child->leadingAnchor().constraintEqualTo(parent->leadingAnchor(), 5);
  auto own = child->widthAnchor().constraintEqualToConstant(30);
  auto crossing = child->topAnchor().constraintEqualTo(root->topAnchor(), 7);
  Constraint::activate({toRoot, inside, own, crossing});
  EXPECT_EQ(crossing->firstItem(), child);
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

    auto frames = [&] {
      return std::vector<Rect>{left->frame(), right->frame(), badge->frame()};
    };
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

TEST(Layout, UnchangedTreeIsNotLaidOutAgain) {
  auto root = container(300, 100);
  auto counting = std::make_shared<CountingView>();
  root->addSubview(counting);
  Constraint::activate({counting->widthAnchor().constraintEqualTo(root->widthAnchor(), 0.5, 0)});
  root->layoutIfNeeded();
  int layouts = counting->layouts;
  EXPECT_GE(layouts, 1);
  root->layoutIfNeeded();
  counting->layoutIfNeeded();
  EXPECT_EQ(counting->layouts, layouts);

  // Its size changes when the root's does, and only then is it laid out again.
  root->setFrame({0, 0, 200, 100});
  root->layoutIfNeeded();
  EXPECT_EQ(counting->frame().width(), 100);
  EXPECT_EQ(counting->layouts, layouts + 1);
}

}  // namespace
}  // namespace ui::testing
