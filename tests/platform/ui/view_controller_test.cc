#include "platform/ui/view_controller.h"

#include <gtest/gtest.h>

#include "platform/ui/controller_view.h"
#include "platform/ui/navigation_controller.h"
#include "platform/ui/transitioning.h"
#include "tests/platform/ui/controller_testing.h"

namespace ui {
namespace {

class ViewControllerTest : public testing::ScreenTest {};

// A screen whose loadView makes its own view, reading view() on the way (which must not recurse).
class OwnView : public ViewController {
 public:
  void loadView() override {
    EXPECT_FALSE(view());
    setView(std::make_shared<ControllerView<View>>(Rect{0, 0, 10, 10}));
  }
  int loads = 0;
  void viewDidLoad() override { ++loads; }
};

TEST_F(ViewControllerTest, ALoadViewOverrideSetsTheViewAndViewDidLoadFollows) {
  auto screen = std::make_shared<OwnView>();
  EXPECT_EQ(screen->view()->frame(), (Rect{0, 0, 10, 10}));
  EXPECT_EQ(screen->loads, 1);
}

TEST_F(ViewControllerTest, TheRootAppearsWhenTheWindowIsShownAndLaysOutBetween) {
  auto root = probe("A", log_);
  window_->setRootViewController(root);
  EXPECT_EQ(appearance(*log_), Log{});
  window_->makeKeyAndVisible();
  EXPECT_EQ(only(*log_, {"willAppear", "willLayout", "didLayout", "didAppear"}),
            (Log{"A.willAppear", "A.willLayout", "A.didLayout", "A.didAppear"}));
  EXPECT_TRUE(root->isVisible());
  EXPECT_EQ(root->view()->frame(), window_->bounds());
  EXPECT_EQ(Window::keyWindow(), window_);

  // A new root: the old one leaves, the new one comes.
  log_->clear();
  auto next = probe("B", log_);
  window_->setRootViewController(next);
  EXPECT_EQ(appearance(*log_), (Log{"A.willDisappear", "B.willAppear", "A.didDisappear", "B.didAppear"}));
  EXPECT_FALSE(root->view()->superview());
  EXPECT_EQ(next->view()->superview(), window_.get());
}

TEST_F(ViewControllerTest, AppearanceTransitionsIgnoreRepeatsAndTurnRound) {
  auto screen = probe("A", log_);
  screen->beginAppearanceTransition(true, false);
  screen->beginAppearanceTransition(true, false);
  screen->beginAppearanceTransition(false, false);  // turned round before it appeared
  screen->endAppearanceTransition();
  screen->endAppearanceTransition();
  EXPECT_EQ(appearance(*log_), (Log{"A.willAppear", "A.willDisappear", "A.didDisappear"}));
  EXPECT_FALSE(screen->isVisible());
}

TEST_F(ViewControllerTest, AChildCannotAdoptItsAncestor) {
  auto parent = probe("P", log_);
  auto child = probe("C", log_);
  parent->addChild(child);
  child->addChild(parent);
  EXPECT_FALSE(parent->parent());
  EXPECT_TRUE(child->children().empty());
}

// A screen that keeps a frame in step with the size change, as the popup screen does.
class SizeWatcher : public Probe<> {
 public:
  using Probe::Probe;
  void viewWillTransition(Size size, TransitionCoordinator& coordinator) override {
    Probe::viewWillTransition(size, coordinator);
    seen = size;
    coordinator.animate([this](const TransitionCoordinator& context) {
                          alongsideDuration = context.transitionDuration();
                          sizeDuringAlongside = view()->bounds().size;
                        },
                        [this](const TransitionCoordinator&) { ++completions; });
  }
  Size seen;
  Size sizeDuringAlongside;
  double alongsideDuration = -1;
  int completions = 0;
};

TEST_F(ViewControllerTest, ASizeChangeIsAnnouncedThenAnimatedThenCompleted) {
  auto root = std::make_shared<SizeWatcher>("R", log_);
  auto child = std::make_shared<SizeWatcher>("C", log_);
  auto navigation = std::make_shared<NavigationController>(root);
  root->addChild(child);
  show(navigation);
  log_->clear();

  window_->setSize({844, 390});
  // Announced to the stack's screen and its child before anything moves.
  EXPECT_EQ(root->seen, (Size{844, 390}));
  EXPECT_EQ(child->seen, (Size{844, 390}));
  // The alongside blocks ran inside the change, after the new layout.
  EXPECT_DOUBLE_EQ(root->alongsideDuration, Window::kSizeTransitionDuration);
  EXPECT_EQ(root->sizeDuringAlongside.width, 844);
  EXPECT_EQ(only(*log_, {"willLayout", "didLayout"}), (Log{"R.willLayout", "R.didLayout"}));
  EXPECT_EQ(root->completions, 0);
  // The window's frame change is animated on its layer, and the completions wait for its end.
  EXPECT_TRUE(window_->layer().animation("bounds") || window_->layer().animation("position"));
  advance(Window::kSizeTransitionDuration + 0.01);
  EXPECT_EQ(root->completions, 1);
  EXPECT_EQ(child->completions, 1);
  EXPECT_EQ(window_->size(), (Size{844, 390}));
}

// A screen that records the styles its root view changed from and to, whatever its root view's class.
class TraitWatcher : public ViewController {
 public:
  explicit TraitWatcher(bool plainRoot) : plainRoot_(plainRoot) {}
  void loadView() override {
    if (plainRoot_) setView(std::make_shared<View>());
    else ViewController::loadView();
  }
  void traitCollectionDidChange(const TraitCollection& previous) override {
    changes.push_back({previous.userInterfaceStyle, view()->traitCollection().userInterfaceStyle});
  }
  std::vector<std::pair<UserInterfaceStyle, UserInterfaceStyle>> changes;

 private:
  bool plainRoot_;
};

TEST_F(ViewControllerTest, TheScreenHearsItsRootViewsTraitChangesAfterTheView) {
  using enum UserInterfaceStyle;
  for (bool plainRoot : {false, true}) {
    SCOPED_TRACE(plainRoot ? "a plain root view" : "the default root view");
    auto screen = std::make_shared<TraitWatcher>(plainRoot);
    window_->setRootViewController(screen);
    window_->makeKeyAndVisible();
    screen->changes.clear();
    window_->setTraitCollection({dark});
    screen->view()->setOverrideUserInterfaceStyle(light);
    // An override the view already shows, or a change its override hides, changes nothing.
    screen->view()->setOverrideUserInterfaceStyle(light);
    window_->setTraitCollection({unspecified});
    using Change = std::pair<UserInterfaceStyle, UserInterfaceStyle>;
    EXPECT_EQ(screen->changes, (std::vector<Change>{{unspecified, dark}, {dark, light}}));
    // A view handed to another screen no longer reports to the first.
    auto other = std::make_shared<TraitWatcher>(plainRoot);
    other->setView(screen->view());
    screen->view()->setOverrideUserInterfaceStyle(dark);
    EXPECT_EQ(screen->changes.size(), 2u);
    EXPECT_EQ(other->changes, (std::vector<Change>{{light, dark}}));
    window_->setRootViewController(nullptr);
  }
}

}  // namespace
}  // namespace ui
