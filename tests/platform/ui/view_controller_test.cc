#include "platform/ui/view_controller.h"

#include <gtest/gtest.h>

#include "platform/ui/controller_view.h"
#include "platform/ui/navigation_controller.h"
#include "platform/ui/screen.h"
#include "platform/ui/transitioning.h"
#include "tests/platform/ui/controller_testing.h"

namespace ui {
namespace {

using testing::appearance;
using testing::Log;
using testing::only;
using testing::probe;
using testing::Probe;

class ViewControllerTest : public testing::ScreenTest {};

TEST_F(ViewControllerTest, TheViewLoadsOnceOnFirstUse) {
  auto screen = probe("A", log_);
  EXPECT_FALSE(screen->isViewLoaded());
  EXPECT_TRUE(log_->empty());
  const auto& view = screen->view();
  ASSERT_TRUE(view);
  EXPECT_EQ(view->frame(), Screen::main().bounds);
  screen->view();
  screen->loadViewIfNeeded();
  EXPECT_EQ(*log_, (Log{"A.didLoad"}));
}

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

TEST_F(ViewControllerTest, EveryLayoutPassOfTheDefaultViewIsReported) {
  auto root = probe("A", log_);
  show(root);
  log_->clear();
  root->view()->setNeedsLayout();
  window_->layoutIfNeeded();
  EXPECT_EQ(*log_, (Log{"A.willLayout", "A.didLayout"}));
}

TEST_F(ViewControllerTest, ChildrenOnScreenHearTheirParentsAppearanceAfterIt) {
  auto parent = probe("P", log_);
  auto shown = probe("C", log_);
  auto offScreen = probe("D", log_);
  parent->addChild(shown);
  parent->view()->addSubview(shown->view());
  shown->didMove(parent.get());
  parent->addChild(offScreen);  // its view is not in the parent's
  offScreen->didMove(parent.get());
  EXPECT_EQ(shown->parent(), parent.get());
  show(parent);
  EXPECT_EQ(appearance(*log_), (Log{"P.willAppear", "C.willAppear", "P.didAppear", "C.didAppear"}));

  log_->clear();
  shown->willMove(nullptr);
  shown->view()->removeFromSuperview();
  shown->removeFromParent();
  EXPECT_EQ(*log_, (Log{"C.willMoveOut", "C.didMoveOut"}));
  EXPECT_EQ(parent->children().size(), 1u);
  EXPECT_FALSE(shown->parent());
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

TEST_F(ViewControllerTest, AHiddenWindowChangesSizeAtOnce) {
  auto root = std::make_shared<SizeWatcher>("R", log_);
  window_->setRootViewController(root);
  window_->setSize({300, 300});
  EXPECT_EQ(root->completions, 1);
  EXPECT_EQ(root->view()->frame().size, (Size{300, 300}));
}

class Styled : public ViewController {
 public:
  explicit Styled(StatusBarStyle style) : style_(style) {}
  StatusBarStyle preferredStatusBarStyle() const override { return style_; }
 private:
  StatusBarStyle style_;
};

TEST_F(ViewControllerTest, TheStatusBarFollowsTheScreenThatCoversOrCapturesIt) {
  auto root = std::make_shared<Styled>(StatusBarStyle::darkContent);
  show(root);
  EXPECT_EQ(window_->statusBarStyle(), StatusBarStyle::darkContent);

  auto overlay = std::make_shared<Styled>(StatusBarStyle::lightContent);
  overlay->setModalPresentationStyle(ModalPresentationStyle::overFullScreen);
  root->present(overlay, false);
  EXPECT_EQ(window_->statusBarStyle(), StatusBarStyle::darkContent);
  overlay->setModalPresentationCapturesStatusBarAppearance(true);
  EXPECT_EQ(window_->statusBarStyle(), StatusBarStyle::lightContent);
}

TEST_F(ViewControllerTest, ShowPushesInsideANavigationStackAndPresentsOutside) {
  auto first = probe("A", log_);
  auto navigation = std::make_shared<NavigationController>(first);
  show(navigation);
  auto pushed = probe("B", log_);
  first->show(pushed);
  advance(1);
  EXPECT_EQ(navigation->topViewController(), pushed.get());

  auto lone = probe("L", log_);
  auto other = std::make_shared<Window>();
  other->setRootViewController(lone);
  other->makeKeyAndVisible();
  auto shown = probe("S", log_);
  lone->show(shown);
  advance(1);
  EXPECT_EQ(lone->presentedViewController(), shown);
}

}  // namespace
}  // namespace ui
