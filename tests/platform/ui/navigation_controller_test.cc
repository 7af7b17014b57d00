#include "platform/ui/navigation_controller.h"

#include <gtest/gtest.h>

#include "platform/ui/touch.h"
#include "tests/platform/ui/controller_testing.h"

namespace ui {
namespace {

using testing::appearance;
using testing::Log;
using testing::only;
using testing::probe;

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

TEST_F(NavigationControllerTest, ANewStackTellsTheLeavingTheComingAndTheirParents) {
  auto b = probe("B", log_);
  navigation_->pushViewController(b, false);
  auto c = probe("C", log_);
  log_->clear();
  navigation_->setViewControllers({c}, false);
  EXPECT_EQ(lifeCycle(), (Log{"A.willMoveOut", "B.willMoveOut", "C.willMove", "C.didLoad", "B.willDisappear",
                              "C.willAppear", "C.willLayout", "C.didLayout", "B.didDisappear", "C.didAppear",
                              "A.didMoveOut", "B.didMoveOut", "C.didMove"}));
  EXPECT_EQ(navigation_->viewControllers(), (std::vector<std::shared_ptr<ViewController>>{c}));

  // Back to a screen that was on the stack: it comes back as a pop does, from the left.
  log_->clear();
  navigation_->setViewControllers({c, a_}, false);
  navigation_->setViewControllers({c}, true);
  EXPECT_EQ(c->view()->layer().animation("transform") != nullptr, true);
  auto* slide = dynamic_cast<const BasicAnimation*>(c->view()->layer().animation("transform"));
  ASSERT_TRUE(slide);
  EXPECT_EQ(std::get<AffineTransform>(*slide->fromValue).tx, -0.3 * 390);
  advance(kPastTransition);
  EXPECT_EQ(appearance(*log_), (Log{"C.willDisappear", "A.willAppear", "C.didDisappear", "A.didAppear",
                                    "A.willDisappear", "C.willAppear", "A.didDisappear", "C.didAppear"}));
}

TEST_F(NavigationControllerTest, AnUnchangedTopHearsNothing) {
  auto b = probe("B", log_);
  navigation_->setViewControllers({b, a_}, true);
  EXPECT_EQ(appearance(*log_), Log{});
  EXPECT_EQ(navigation_->viewControllers().front(), b);
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

TEST_F(NavigationControllerTest, PopToRootReturnsThePoppedScreens) {
  auto b = probe("B", log_);
  auto c = probe("C", log_);
  navigation_->setViewControllers({a_, b, c}, false);
  EXPECT_TRUE(navigation_->popToViewController(*probe("X", log_), false).empty());
  auto popped = navigation_->popToRootViewController(false);
  EXPECT_EQ(popped, (std::vector<std::shared_ptr<ViewController>>{b, c}));
  EXPECT_EQ(navigation_->topViewController(), a_.get());
  EXPECT_TRUE(a_->isVisible());
}

TEST_F(NavigationControllerTest, OffScreenChangesAreSilentUntilTheStackAppears) {
  auto log = std::make_shared<Log>();
  auto bottom = probe("P", log);
  auto top = probe("Q", log);
  auto navigation = std::make_shared<NavigationController>(bottom);
  navigation->pushViewController(top, true);
  EXPECT_EQ(appearance(*log), Log{});
  auto window = std::make_shared<Window>();
  window->setRootViewController(navigation);
  window->makeKeyAndVisible();
  EXPECT_EQ(appearance(*log), (Log{"Q.willAppear", "Q.didAppear"}));
  EXPECT_FALSE(bottom->isViewLoaded());
}

TEST_F(NavigationControllerTest, TheBarShowsTheTopItemAndABackButtonThatPops) {
  a_->setTitle("Offers");
  auto b = probe("B", log_);
  b->navigationItem().setTitle("Detail");
  bool tapped = false;
  b->navigationItem().setRightBarButtonItem(
      BarButtonItem::make("Help", BarButtonItem::Style::plain, [&](BarButtonItem&) { tapped = true; }));
  navigation_->pushViewController(b, false);
  window_->layoutIfNeeded();
  NavigationBar& bar = navigation_->navigationBar();
  EXPECT_EQ(bar.frame(), (Rect{0, 47, 390, 44}));
  EXPECT_EQ(bar.titleView()->text(), "Detail");
  ASSERT_TRUE(bar.backButton());
  EXPECT_EQ(bar.backButton()->currentTitle(), "Offers");
  ASSERT_EQ(bar.rightItemViews().size(), 1u);
  static_cast<Control&>(*bar.rightItemViews()[0]).sendActions(ControlEvent::touchUpInside);
  EXPECT_TRUE(tapped);

  // The screen below names the back button; an empty title shows none.
  a_->navigationItem().setBackButtonTitle("");
  window_->layoutIfNeeded();
  EXPECT_EQ(bar.backButton()->currentTitle(), "");
  a_->navigationItem().setBackBarButtonItem(BarButtonItem::make("Back to list"));
  window_->layoutIfNeeded();
  EXPECT_EQ(bar.backButton()->currentTitle(), "Back to list");
  b->navigationItem().setHidesBackButton(true);
  window_->layoutIfNeeded();
  EXPECT_FALSE(bar.backButton());
  b->navigationItem().setHidesBackButton(false);
  window_->layoutIfNeeded();

  bar.backButton()->sendActions(ControlEvent::touchUpInside);
  advance(kPastTransition);
  EXPECT_EQ(navigation_->topViewController(), a_.get());
  window_->layoutIfNeeded();
  EXPECT_FALSE(bar.backButton());
  EXPECT_EQ(bar.titleView()->text(), "Offers");
}

TEST_F(NavigationControllerTest, AHiddenBarGivesTheScreenTheWholeView) {
  navigation_->setNavigationBarHidden(true, false);
  EXPECT_TRUE(navigation_->navigationBar().isHidden());
  EXPECT_EQ(onScreen(*a_), (Rect{0, 0, 390, 844}));
  navigation_->setNavigationBarHidden(false, true);
  EXPECT_FALSE(navigation_->navigationBar().isHidden());
  EXPECT_EQ(onScreen(*a_), (Rect{0, 91, 390, 844 - 91}));
  navigation_->setNavigationBarHidden(true, true);
  EXPECT_FALSE(navigation_->navigationBar().isHidden());  // it slides away first
  advance(NavigationController::kHideShowBarDuration + 0.01);
  EXPECT_TRUE(navigation_->navigationBar().isHidden());
}

class PublisherBar : public NavigationBar {
 public:
  PublisherBar() {
    content = std::make_shared<View>();
    addSubview(content);
  }
  void layoutSubviews() override {
    // As a publisher's bar does: the title of the item below never shows.
    if (auto back = backItem()) back->setTitle("");
    NavigationBar::layoutSubviews();
    content->setFrame(bounds());
  }
  std::shared_ptr<View> content;
};

TEST_F(NavigationControllerTest, TheBarComesFromThePublishersFactoryWithItsViewsOnTop) {
  auto navigation = std::make_shared<NavigationController>([] { return std::make_shared<PublisherBar>(); });
  auto* bar = dynamic_cast<PublisherBar*>(&navigation->navigationBar());
  ASSERT_TRUE(bar);
  auto first = probe("P", log_);
  first->setTitle("Offers");
  navigation->setViewControllers({first, probe("Q", log_)});
  show(navigation);
  EXPECT_EQ(bar->subviews().back(), bar->content);
  EXPECT_EQ(bar->content->frame(), (Rect{0, 0, 390, 44}));
  ASSERT_TRUE(bar->backButton());
  EXPECT_EQ(bar->backButton()->currentTitle(), "");
  // An empty factory gives a plain bar.
  EXPECT_TRUE(std::make_shared<NavigationController>(NavigationController::NavigationBarFactory())
                  ->navigationBarPointer());
}

TEST_F(NavigationControllerTest, TheBarsAppearanceDecidesItsColours) {
  NavigationBar& bar = navigation_->navigationBar();
  EXPECT_TRUE(bar.isTranslucent());
  EXPECT_LT(bar.effectiveBackgroundColor().alpha(), 1);
  bar.setBarTintColor(Color(1, 0, 0, 0.5));
  bar.setTranslucent(false);
  EXPECT_EQ(bar.effectiveBackgroundColor(), Color(1, 0, 0, 1));
  NavigationBarAppearance appearance;
  appearance.configureWithOpaqueBackground();
  appearance.backgroundColor = Color::white();
  appearance.shadowColor = Color::clear();
  appearance.titleTextAttributes.foregroundColor = Color(0, 0, 1).toColorDescription();
  bar.setStandardAppearance(appearance);
  bar.setScrollEdgeAppearance(appearance);
  EXPECT_EQ(bar.effectiveBackgroundColor(), Color::white());
  EXPECT_FALSE(bar.showsShadow());
  EXPECT_EQ(bar.titleView()->textColor(), Color(0, 0, 1));
  EXPECT_EQ(*bar.scrollEdgeAppearance(), appearance);
  appearance.configureWithTransparentBackground();
  bar.setStandardAppearance(appearance);
  EXPECT_EQ(bar.effectiveBackgroundColor(), Color::clear());
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

}  // namespace
}  // namespace ui
