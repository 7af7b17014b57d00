#include "platform/ui/scroll_view.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/constraint.h"
#include "tests/platform/ui/test_views.h"

namespace ui {
namespace {

using dispatch::Seconds;

class Recorder : public ScrollViewDelegate {
 public:
  std::vector<std::string> events;
  void scrollViewWillBeginDragging(ScrollView&) override { events.push_back("willBeginDragging"); }
  void scrollViewDidEndDragging(ScrollView&, bool decelerate) override {
    events.push_back(decelerate ? "didEndDragging(decelerate)" : "didEndDragging");
  }
  void scrollViewWillBeginDecelerating(ScrollView&) override { events.push_back("willBeginDecelerating"); }
  void scrollViewDidEndDecelerating(ScrollView&) override { events.push_back("didEndDecelerating"); }
  void scrollViewDidEndScrollingAnimation(ScrollView&) override { events.push_back("didEndScrollingAnimation"); }
};

class ScrollViewTest : public testing::WindowTest {
 protected:
  std::shared_ptr<ScrollView> scroll = std::make_shared<ScrollView>(Rect{0, 0, 320, 480});
  std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();

  void SetUp() override {
    window->addSubview(scroll);
    scroll->setDelegate(recorder);
  }
};

TEST_F(ScrollViewTest, PagingViewStoppedBetweenPagesGoesOnToTheNearest) {
  scroll->setContentSize({320 * 4, 480});
  scroll->setPagingEnabled(true);
  touch::swipe(*window, {300, 200}, {200, 200}, Seconds(0.05));
  clock->advance(Seconds(0.05));
  auto finger = touch::Finger::down(*window, {160, 200});  // catches it between pages
  double caught = scroll->contentOffset().x;
  ASSERT_GT(caught, 0);
  ASSERT_LT(caught, 320);
  finger.up();
  clock->advance(Seconds(1));
  EXPECT_EQ(scroll->contentOffset().x, caught < 160 ? 0 : 320);
  EXPECT_EQ(recorder->events.back(), "didEndDecelerating");
  EXPECT_EQ(dispatch::main_loop::mode(), dispatch::RunLoopMode::Default);
}

// Pages a third of the finger's travel wide, so that one drag crosses three of them.
TEST_F(ScrollViewTest, APagingFlingMovesOnePageAtMostHoweverFast) {
  scroll->setContentSize({100 * 10, 480});
  scroll->setPagingEnabled(true);
  struct Case {
    Rect frame;  // the finger travels 300 points across the window, from inside the view
    int fromPage;
    double fromX, toX, seconds;
    int toPage;
  };
  const Case cases[] = {{{220, 0, 100, 480}, 0, 310, 10, 0.3, 1},
                        {{220, 0, 100, 480}, 0, 310, 10, 0.005, 1},
                        {{0, 0, 100, 480}, 5, 10, 310, 0.005, 4}};
  for (const Case& c : cases) {
    scroll->setFrame(c.frame);
    scroll->setContentOffset({100.0 * c.fromPage, 0});
    touch::swipe(*window, {c.fromX, 200}, {c.toX, 200}, Seconds(c.seconds));
    clock->advance(Seconds(3));
    EXPECT_EQ(scroll->contentOffset().x, 100.0 * c.toPage)
        << "from page " << c.fromPage << " in " << c.seconds << " s";
  }
}

Rect onScreen(const View& view) { return view.convert(view.bounds(), nullptr); }

class CountingScrollView : public ScrollView {
 public:
  using ScrollView::ScrollView;
  void layoutSubviews() override {
    ScrollView::layoutSubviews();
    ++layouts;
  }
  int layouts = 0;
};

// A view of the content pinned to a view outside the scroll view (here the window's safe area)
// stays put on screen whatever the offsets, through nested scroll views, left to right and right
// to left; content constrained to the content alone moves with it. Only the main loop lays out.
TEST_F(ScrollViewTest, ConstraintsToOutsideViewsHoldAgainstTheOffset) {
  window->setSafeAreaInsets({47, 0, 34, 0});
  auto inner = std::make_shared<ScrollView>(Rect{20, 100, 280, 300});
  auto banner = testing::constrained(), content = testing::constrained(), nested = testing::constrained();
  scroll->addSubview(banner);
  scroll->addSubview(content);
  scroll->addSubview(inner);
  inner->addSubview(nested);
  auto bannerTop = banner->topAnchor().constraintEqualTo(window->safeAreaLayoutGuide()->topAnchor(), 10);
  Constraint::activate({
      bannerTop,
      banner->leadingAnchor().constraintEqualTo(window->leadingAnchor(), 16),
      banner->widthAnchor().constraintEqualToConstant(100),
      banner->heightAnchor().constraintEqualToConstant(50),
      content->topAnchor().constraintEqualTo(scroll->topAnchor(), 300),
      content->leadingAnchor().constraintEqualTo(scroll->leadingAnchor(), 8),
      content->widthAnchor().constraintEqualToConstant(40),
      content->heightAnchor().constraintEqualToConstant(20),
      nested->bottomAnchor().constraintEqualTo(window->safeAreaLayoutGuide()->bottomAnchor(), -4),
      nested->trailingAnchor().constraintEqualTo(window->trailingAnchor(), -16),
      nested->widthAnchor().constraintEqualToConstant(60),
      nested->heightAnchor().constraintEqualToConstant(30),
  });
  struct Case {
    Point outer, inner;
  };
  const Case cases[] = {{{0, 0}, {0, 0}}, {{0, 120}, {0, 0}}, {{0, 120}, {0, 40}}, {{30, -20}, {15, 60}}, {{0, 0}, {0, 0}}};
  for (bool rightToLeft : {false, true}) {
    window->setSemanticContentAttribute(rightToLeft ? SemanticContentAttribute::forceRightToLeft
                                                    : SemanticContentAttribute::unspecified);
    window->layoutIfNeeded();
    const double bannerX = rightToLeft ? 320 - 16 - 100 : 16, nestedX = rightToLeft ? 16 : 320 - 16 - 60;
    const double contentX = rightToLeft ? 320 - 8 - 40 : 8;
    for (const Case& c : cases) {
      scroll->setContentOffset(c.outer);
      inner->setContentOffset(c.inner);
      dispatch::main_loop::drain();
      std::string where = (rightToLeft ? "right to left, " : "") + std::to_string(c.outer.y) + "/" +
                          std::to_string(c.inner.y);
      EXPECT_EQ(onScreen(*banner), (Rect{bannerX, 57, 100, 50})) << where;
      EXPECT_EQ(onScreen(*nested), (Rect{nestedX, 480 - 34 - 4 - 30, 60, 30})) << where;
      EXPECT_EQ(content->frame(), (Rect{contentX, 300, 40, 20})) << where;
      EXPECT_EQ(onScreen(*content), (Rect{contentX - c.outer.x, 300 - c.outer.y, 40, 20})) << where;
    }
  }
  // A new constant is read against the offset as it stands.
  scroll->setContentOffset({0, 75});
  bannerTop->setConstant(20);
  window->layoutIfNeeded();
  EXPECT_EQ(onScreen(*banner).y(), 67);
}

// Plain scrolling asks for no layout; a constraint across the scroll view makes each scroll lay out
// once more, and only while it is there.
TEST_F(ScrollViewTest, OnlyConstraintsAcrossTheScrollViewMakeScrollingLayOut) {
  auto counting = std::make_shared<CountingScrollView>(Rect{0, 40, 320, 400});
  window->addSubview(counting);
  auto content = testing::constrained(), banner = testing::constrained();
  counting->addSubview(content);
  counting->addSubview(banner);
  Constraint::activate({
      content->topAnchor().constraintEqualTo(counting->topAnchor(), 10),
      content->heightAnchor().constraintEqualToConstant(20),
      banner->heightAnchor().constraintEqualToConstant(20),
  });
  auto pinned = banner->topAnchor().constraintEqualTo(window->topAnchor(), 100);
  window->layoutIfNeeded();
  double y = 0;
  auto scrollBy = [&](double dy) {
    int before = counting->layouts;
    counting->setContentOffset({0, y += dy});
    dispatch::main_loop::drain();
    return counting->layouts - before;
  };
  EXPECT_EQ(scrollBy(50), 0);
  EXPECT_EQ(content->frame().y(), 10);

  pinned->setActive(true);
  window->layoutIfNeeded();
  EXPECT_EQ(onScreen(*banner).y(), 100);
  EXPECT_EQ(scrollBy(50), 1);
  EXPECT_EQ(onScreen(*banner).y(), 100);

  pinned->setActive(false);
  EXPECT_EQ(scrollBy(50), 0);

  pinned->setActive(true);
  window->layoutIfNeeded();
  EXPECT_EQ(scrollBy(-30), 1);
  EXPECT_EQ(onScreen(*banner).y(), 100);
  banner->removeFromSuperview();
  EXPECT_FALSE(pinned->isActive());
  EXPECT_EQ(scrollBy(-30), 0);
}

}  // namespace
}  // namespace ui
