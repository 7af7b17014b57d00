#include "platform/ui/navigation_controller.h"

#include <gtest/gtest.h>

#include "platform/ui/touch.h"
#include "tests/platform/ui/controller_testing.h"

namespace ui {
namespace {

constexpr double kPastTransition = NavigationController::kTransitionDuration + 0.01;

// Where a screen's view stands in its window.
Rect onScreen(ViewController& screen) { return screen.view()->convert(screen.view()->bounds(), nullptr); }

class NavigationControllerTest : public testing::ScreenTest {
 protected:
  void SetUp() override {
    a_ = probe("A", log_);
    navigation_ = std::make_shared<NavigationController>(a_);
    show(navigation_);
    log_->clear();
  }
  Log lifeCycle() const {
    return only(*log_, {"didLoad", "willAppear", "didAppear", "willDisappear", "didDisappear", "willLayout",
                        "didLayout", "willMove", "didMove", "willMoveOut", "didMoveOut"});
  }

  std::shared_ptr<testing::Probe<>> a_;
  std::shared_ptr<NavigationController> navigation_;
};

TEST_F(NavigationControllerTest, APushTellsBothScreensInOrderAndEndsOnTheClock) {
  auto b = probe("B", log_);
  navigation_->pushViewController(b, true);
  EXPECT_EQ(lifeCycle(), (Log{"B.willMove", "B.didLoad", "A.willDisappear", "B.willAppear", "B.willLayout",
                              "B.didLayout"}));
  // Under way: B slides in from the right edge over A.
  EXPECT_TRUE(b->view()->layer().animation("transform"));
  EXPECT_EQ(b->view()->superview(), a_->view()->superview());
  EXPECT_EQ(navigation_->topViewController(), b.get());
  log_->clear();
  advance(kPastTransition);
  EXPECT_EQ(lifeCycle(), (Log{"A.didDisappear", "B.didAppear", "B.didMove"}));
  EXPECT_FALSE(a_->view()->superview());
  EXPECT_EQ(onScreen(*b), (Rect{0, 47 + 44, 390, 844 - 47 - 44}));
  EXPECT_EQ(b->parent(), navigation_.get());
  EXPECT_EQ(b->navigationController(), navigation_.get());
}

TEST_F(NavigationControllerTest, APopTellsBothScreensInOrder) {
  auto b = probe("B", log_);
  navigation_->pushViewController(b, false);
  log_->clear();
  EXPECT_EQ(navigation_->popViewController(true), b);
  EXPECT_EQ(lifeCycle(), (Log{"B.willMoveOut", "B.willDisappear", "A.willAppear", "A.willLayout", "A.didLayout"}));
  log_->clear();
  advance(kPastTransition);
  EXPECT_EQ(lifeCycle(), (Log{"B.didDisappear", "A.didAppear", "B.didMoveOut"}));
  EXPECT_FALSE(b->parent());
  EXPECT_EQ(navigation_->viewControllers().size(), 1u);
  // The last screen stays.
  log_->clear();
  EXPECT_FALSE(navigation_->popViewController(true));
  EXPECT_TRUE(log_->empty());
}

TEST_F(NavigationControllerTest, ChangesDuringATransitionWaitForIt) {
  auto b = probe("B", log_);
  auto c = probe("C", log_);
  navigation_->pushViewController(b, true);
  navigation_->pushViewController(c, true);
  EXPECT_EQ(navigation_->topViewController(), b.get());
  EXPECT_FALSE(navigation_->popViewController(true));  // queued behind the push of C
  advance(kPastTransition);
  EXPECT_EQ(navigation_->topViewController(), c.get());
  advance(kPastTransition);
  advance(kPastTransition);
  EXPECT_EQ(navigation_->topViewController(), b.get());
  EXPECT_EQ(appearance(*log_), (Log{"A.willDisappear", "B.willAppear", "A.didDisappear", "B.didAppear",
                                    "B.willDisappear", "C.willAppear", "B.didDisappear", "C.didAppear",
                                    "C.willDisappear", "B.willAppear", "C.didDisappear", "B.didAppear"}));
}

TEST_F(NavigationControllerTest, ABadStackIsRefusedWhole) {
  auto b = probe("B", log_);
  navigation_->pushViewController(a_, false);  // already on it
  navigation_->setViewControllers({b, b}, false);
  auto elsewhere = std::make_shared<NavigationController>(b);
  navigation_->pushViewController(b, false);  // belongs to another stack
  navigation_->setViewControllers({a_, nullptr}, false);
  EXPECT_EQ(navigation_->viewControllers(), (std::vector<std::shared_ptr<ViewController>>{a_}));
  EXPECT_EQ(b->parent(), elsewhere.get());
}

class PopDelegate : public GestureRecognizerDelegate {
 public:
  explicit PopDelegate(NavigationController& navigation) : navigation_(navigation) {}
  bool gestureRecognizerShouldBegin(GestureRecognizer&) override {
    ++asked;
    return allow && navigation_.viewControllers().size() > 1;
  }
  bool gestureRecognizerShouldRecognizeSimultaneously(GestureRecognizer&, GestureRecognizer&) override { return true; }
  int asked = 0;
  bool allow = true;

 private:
  NavigationController& navigation_;
};

TEST_F(NavigationControllerTest, TheEdgeSwipeAsksItsDelegateThenPops) {
  auto delegate = std::make_shared<PopDelegate>(*navigation_);
  navigation_->interactivePopGestureRecognizer()->setDelegate(delegate);
  // One screen: nothing to go back to.
  touch::pan(*window_, {4, 400}, {220, 400});
  advance(1);
  EXPECT_EQ(navigation_->viewControllers().size(), 1u);

  auto b = probe("B", log_);
  navigation_->pushViewController(b, false);
  delegate->allow = false;
  touch::pan(*window_, {4, 400}, {220, 400});
  advance(1);
  EXPECT_EQ(navigation_->topViewController(), b.get());
  EXPECT_GE(delegate->asked, 1);

  delegate->allow = true;
  touch::pan(*window_, {200, 400}, {380, 400});  // not from the edge
  advance(1);
  EXPECT_EQ(navigation_->topViewController(), b.get());
  touch::pan(*window_, {4, 400}, {220, 400});
  advance(1);
  EXPECT_EQ(navigation_->topViewController(), a_.get());
}

// Its screens answer for the stack's presentation: a pushed screen joins them all the same.
TEST_F(NavigationControllerTest, APresentedStackTakesPushes) {
  auto presented = std::make_shared<NavigationController>(std::make_shared<ViewController>());
  navigation_->present(presented, false);
  auto b = std::make_shared<ViewController>();
  presented->pushViewController(b, false);
  EXPECT_EQ(presented->topViewController(), b.get());
  presented->setViewControllers({presented->viewControllers().front(), b, std::make_shared<ViewController>()});
  EXPECT_EQ(presented->viewControllers().size(), 3u);
}

}  // namespace
}  // namespace ui
