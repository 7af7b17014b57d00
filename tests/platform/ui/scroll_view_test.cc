#include "platform/ui/scroll_view.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/dispatch/clock.h"
#include "platform/dispatch/main_loop.h"
#include "platform/dispatch/timer.h"
#include "platform/ui/button.h"
#include "platform/ui/constraint.h"
#include "platform/ui/table_view.h"
#include "platform/ui/touch.h"
#include "platform/ui/window.h"
#include "tests/platform/ui/test_views.h"

namespace ui {
namespace {

using dispatch::Seconds;

class Recorder : public ScrollViewDelegate {
 public:
  std::vector<std::string> events;
  int scrolls = 0;
  void scrollViewDidScroll(ScrollView&) override { ++scrolls; }
  void scrollViewWillBeginDragging(ScrollView&) override { events.push_back("willBeginDragging"); }
  void scrollViewDidEndDragging(ScrollView&, bool decelerate) override {
    events.push_back(decelerate ? "didEndDragging(decelerate)" : "didEndDragging");
  }
  void scrollViewWillBeginDecelerating(ScrollView&) override { events.push_back("willBeginDecelerating"); }
  void scrollViewDidEndDecelerating(ScrollView&) override { events.push_back("didEndDecelerating"); }
  void scrollViewDidEndScrollingAnimation(ScrollView&) override { events.push_back("didEndScrollingAnimation"); }
};

class ScrollViewTest : public ::testing::Test {
 protected:
  dispatch::ScopedManualClock clock;
  dispatch::main_loop::TestScope loop;
  std::shared_ptr<Window> window = std::make_shared<Window>(Rect{0, 0, 320, 480});
  std::shared_ptr<ScrollView> scroll = std::make_shared<ScrollView>(Rect{0, 0, 320, 480});
  std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();

  void SetUp() override {
    window->addSubview(scroll);
    scroll->setDelegate(recorder);
  }
  void TearDown() override { touch::cancelAll(); }

  using Events = std::vector<std::string>;
};

TEST_F(ScrollViewTest, AnimatedOffsetRunsOverTheClock) {
  scroll->setContentSize({320, 2000});
  scroll->setContentOffsetAnimationDuration(0.4);
  scroll->setContentOffset({0, 300}, true);
  EXPECT_EQ(scroll->contentOffset().y, 0);
  clock->advance(Seconds(0.2));
  EXPECT_GT(scroll->contentOffset().y, 0);
  EXPECT_LT(scroll->contentOffset().y, 300);
  EXPECT_TRUE(recorder->events.empty());
  clock->advance(Seconds(0.25));
  EXPECT_EQ(scroll->contentOffset(), (Point{0, 300}));
  EXPECT_EQ(recorder->events, (Events{"didEndScrollingAnimation"}));
  EXPECT_GT(recorder->scrolls, 10);

  // Set at once, an offset stops the animation under way: no end is reported.
  scroll->setContentOffset({0, 600}, true);
  clock->advance(Seconds(0.1));
  scroll->setContentOffset({0, 50});
  clock->advance(Seconds(1));
  EXPECT_EQ(scroll->contentOffset(), (Point{0, 50}));
  EXPECT_EQ(recorder->events.size(), 1u);
}

TEST_F(ScrollViewTest, DragFollowsTheFingerAndRestsWithoutMomentum) {
  scroll->setContentSize({320, 2000});
  touch::pan(*window, {160, 400}, {160, 250});
  EXPECT_EQ(scroll->contentOffset(), (Point{0, 150}));
  EXPECT_EQ(recorder->events, (Events{"willBeginDragging", "didEndDragging"}));
  EXPECT_FALSE(scroll->isDragging());
  EXPECT_EQ(dispatch::main_loop::mode(), dispatch::RunLoopMode::Default);
}

TEST_F(ScrollViewTest, FlingDeceleratesAndStopsAtTheEnd) {
  scroll->setContentSize({320, 2000});
  touch::swipe(*window, {160, 400}, {160, 200}, Seconds(0.1));
  EXPECT_EQ(recorder->events, (Events{"willBeginDragging", "didEndDragging(decelerate)", "willBeginDecelerating"}));
  EXPECT_TRUE(scroll->isDecelerating());
  clock->advance(Seconds(0.1));
  double early = scroll->contentOffset().y;
  EXPECT_GT(early, 200);
  clock->advance(Seconds(5));
  EXPECT_FALSE(scroll->isDecelerating());
  EXPECT_GT(scroll->contentOffset().y, early);
  EXPECT_EQ(recorder->events.back(), "didEndDecelerating");

  // A hard fling near the end stops at the last offset.
  touch::swipe(*window, {160, 450}, {160, 50}, Seconds(0.05));
  clock->advance(Seconds(5));
  EXPECT_EQ(scroll->contentOffset().y, 2000 - 480);
  EXPECT_EQ(std::count(recorder->events.begin(), recorder->events.end(), "didEndDecelerating"), 2);
}

TEST_F(ScrollViewTest, PagingSnapsInTheFlingsDirection) {
  struct Case {
    double fromX, toX;
    bool fling;
    double page;  // where it ends
  } cases[] = {
      {300, 260, true, 1},   // a short fast flick turns the page
      {300, 100, false, 1},  // a slow drag past half way
      {300, 220, false, 0},  // a slow drag short of half way springs back
      {20, 300, true, 0},    // towards the start from the first page: stays
      {300, 10, true, 1},    // never more than one page at once
  };
  for (const auto& c : cases) {
    scroll->setContentSize({320 * 4, 480});
    scroll->setPagingEnabled(true);
    scroll->setContentOffset({0, 0});
    recorder->events.clear();
    if (c.fling) {
      touch::swipe(*window, {c.fromX, 200}, {c.toX, 200}, Seconds(0.05));
    } else {
      touch::pan(*window, {c.fromX, 200}, {c.toX, 200}, Seconds(0.5));
    }
    clock->advance(Seconds(1));
    EXPECT_EQ(scroll->contentOffset(), (Point{320 * c.page, 0})) << c.fromX << " → " << c.toX;
    EXPECT_EQ(std::count(recorder->events.begin(), recorder->events.end(), "didEndDecelerating"), 1)
        << c.fromX << " → " << c.toX;
  }
}

TEST_F(ScrollViewTest, EdgesBounceOrHold) {
  scroll->setContentSize({320, 2000});
  auto finger = touch::Finger::down(*window, {160, 100});
  finger.moveTo({160, 200});
  EXPECT_EQ(scroll->contentOffset().y, -50);  // half the travel past the top
  finger.up(Seconds(0.2));
  EXPECT_EQ(recorder->events.back(), "willBeginDecelerating");  // springs back
  clock->advance(Seconds(1));
  EXPECT_EQ(scroll->contentOffset().y, 0);

  scroll->setBounces(false);
  touch::pan(*window, {160, 100}, {160, 200});
  EXPECT_EQ(scroll->contentOffset().y, 0);
}

TEST_F(ScrollViewTest, DefaultTimersWaitWhileTheUserScrolls) {
  scroll->setContentSize({320, 4000});
  int defaults = 0, commons = 0;
  auto byDefault = dispatch::Timer::scheduled(Seconds(0.5), true, [&](dispatch::Timer&) { ++defaults; });
  auto common = dispatch::Timer::scheduled(Seconds(0.5), true, [&](dispatch::Timer&) { ++commons; },
                                           dispatch::RunLoopMode::Common);
  auto finger = touch::Finger::down(*window, {160, 400});
  clock->advance(Seconds(1));  // a finger at rest does not track
  EXPECT_EQ(defaults, 2);
  finger.moveTo({160, 300});
  EXPECT_EQ(dispatch::main_loop::mode(), dispatch::RunLoopMode::Tracking);
  clock->advance(Seconds(2));
  EXPECT_EQ(defaults, 2);
  EXPECT_EQ(commons, 6);
  finger.moveTo({160, 250});
  finger.moveTo({160, 100}, Seconds(0.02));
  finger.up();  // a fling: still tracking while it decelerates
  EXPECT_TRUE(scroll->isDecelerating());
  clock->advance(Seconds(0.5));
  EXPECT_EQ(defaults, 2);
  while (scroll->isDecelerating()) clock->advance(Seconds(0.05));
  EXPECT_EQ(dispatch::main_loop::mode(), dispatch::RunLoopMode::Default);
  clock->advance(Seconds(0.01));
  EXPECT_EQ(defaults, 3);  // what fell due while tracking fires once
  byDefault->invalidate();
  common->invalidate();
}

TEST_F(ScrollViewTest, NestedScrollViewsTakeTheirOwnAxis) {
  scroll->setContentSize({320, 2000});
  auto strip = std::make_shared<ScrollView>(Rect{0, 100, 320, 60});
  strip->setContentSize({1000, 60});
  scroll->addSubview(strip);
  touch::pan(*window, {200, 130}, {100, 135});
  EXPECT_EQ(strip->contentOffset(), (Point{100, 0}));
  EXPECT_EQ(scroll->contentOffset(), (Point{0, 0}));
  touch::pan(*window, {200, 130}, {195, 30});
  EXPECT_EQ(strip->contentOffset(), (Point{100, 0}));
  EXPECT_EQ(scroll->contentOffset(), (Point{0, 100}));

  // With a directional lock the strip ignores the cross-axis part of a diagonal drag.
  strip->setAlwaysBounceVertical(true);
  strip->setDirectionalLockEnabled(true);
  touch::pan(*window, {200, 30}, {150, 60});
  EXPECT_EQ(strip->contentOffset(), (Point{150, 0}));
}

TEST_F(ScrollViewTest, DisabledScrollingLeavesTheOffset) {
  scroll->setContentSize({320, 2000});
  scroll->setScrollEnabled(false);
  touch::swipe(*window, {160, 400}, {160, 100});
  clock->advance(Seconds(2));
  EXPECT_EQ(scroll->contentOffset(), (Point{0, 0}));
  EXPECT_TRUE(recorder->events.empty());
}

TEST_F(ScrollViewTest, FingerStopsADeceleration) {
  scroll->setContentSize({320, 20000});
  touch::swipe(*window, {160, 450}, {160, 50}, Seconds(0.05));
  clock->advance(Seconds(0.2));
  ASSERT_TRUE(scroll->isDecelerating());
  auto finger = touch::Finger::down(*window, {160, 200});
  double stopped = scroll->contentOffset().y;
  clock->advance(Seconds(1));
  EXPECT_FALSE(scroll->isDecelerating());
  EXPECT_EQ(scroll->contentOffset().y, stopped);
  finger.up();
}

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

// A subclass that lets a drag take touches from its buttons, as a strip of chips does.
class ChipStrip : public ScrollView {
 public:
  using ScrollView::ScrollView;
  bool touchesShouldCancel(View* view) override { return dynamic_cast<Button*>(view) || ScrollView::touchesShouldCancel(view); }
};

TEST_F(ScrollViewTest, ContentTouchesAreDelayedAndCancelledByADrag) {
  struct Case {
    bool chipStrip;
    bool canCancel;
    bool holdFirst;      // the finger rests on the button before moving
    bool scrolls;
    const char* button;  // what the button heard
  } cases[] = {
      {false, true, false, true, ""},                 // a quick swipe never reaches the button
      {false, true, true, false, "down"},             // controls keep a touch they already have
      {true, true, true, true, "down cancel"},        // unless the scroll view says otherwise
      {true, false, true, false, "down"},             // or cannot cancel content touches at all
  };
  for (const auto& c : cases) {
    auto strip = c.chipStrip ? std::make_shared<ChipStrip>(Rect{0, 0, 320, 60}) : std::make_shared<ScrollView>(Rect{0, 0, 320, 60});
    strip->setContentSize({1000, 60});
    strip->setCanCancelContentTouches(c.canCancel);
    window->addSubview(strip);
    auto button = std::make_shared<Button>(Rect{100, 10, 80, 40});
    strip->addSubview(button);
    std::string heard;
    button->addAction(ControlEvent::touchDown, [&] { heard += heard.empty() ? "down" : " down"; });
    button->addAction(ControlEvent::touchCancel, [&] { heard += " cancel"; });
    button->addAction(ControlEvent::touchUpInside, [&] { heard += " up"; });

    auto finger = touch::Finger::down(*window, {140, 30});
    if (c.holdFirst) clock->advance(Seconds(0.2));
    finger.moveTo({100, 30});
    finger.moveTo({60, 30});
    finger.up(Seconds(0.2));
    EXPECT_EQ(strip->contentOffset().x != 0, c.scrolls) << c.chipStrip << c.canCancel << c.holdFirst;
    EXPECT_EQ(heard, c.button) << c.chipStrip << c.canCancel << c.holdFirst;
    strip->removeFromSuperview();
  }
}

TEST_F(ScrollViewTest, QuickTapReachesAButtonInside) {
  auto button = std::make_shared<Button>(Rect{100, 10, 80, 40});
  scroll->setContentSize({320, 2000});
  scroll->addSubview(button);
  int taps = 0;
  button->addAction(ControlEvent::touchUpInside, [&] { ++taps; });
  touch::tap(*button);
  EXPECT_EQ(taps, 1);
  // Scrolled, the button is hit where it now shows.
  scroll->setContentOffset({0, 5});
  touch::tap(*window, {140, 10});
  EXPECT_EQ(taps, 2);
}

// --- constraints across the scroll view ------------------------------------------------------------

Rect onScreen(const View& view) { return view.convert(view.bounds(), nullptr); }

class CountingScrollView : public ScrollView {
 public:
  explicit CountingScrollView(const Rect& frame) : ScrollView(frame) {}
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

// A banner in a table's header pinned to the screen's safe area stays on screen as the table
// scrolls; what the header lays out against itself scrolls away.
TEST_F(ScrollViewTest, TableHeaderBannerPinnedToTheScreenStaysPut) {
  window->setSafeAreaInsets({47, 0, 34, 0});
  auto screen = std::make_shared<View>(Rect{0, 0, 320, 480});
  auto table = std::make_shared<TableView>(Rect{0, 0, 320, 480});
  auto header = std::make_shared<View>(Rect{0, 0, 320, 600});
  auto banner = testing::constrained(), title = testing::constrained();
  window->addSubview(screen);
  screen->addSubview(table);
  table->setTableHeaderView(header);
  header->addSubview(banner);
  header->addSubview(title);
  Constraint::activate({
      banner->topAnchor().constraintEqualTo(screen->safeAreaLayoutGuide()->topAnchor()),
      banner->leadingAnchor().constraintEqualTo(screen->leadingAnchor()),
      banner->trailingAnchor().constraintEqualTo(screen->trailingAnchor()),
      banner->heightAnchor().constraintEqualToConstant(60),
      title->topAnchor().constraintEqualTo(header->topAnchor(), 70),
      title->heightAnchor().constraintEqualToConstant(20),
  });
  window->layoutIfNeeded();
  for (double offset : {0.0, 150.0, 310.0, 20.0}) {
    table->setContentOffset({0, offset});
    dispatch::main_loop::drain();
    EXPECT_EQ(onScreen(*banner), (Rect{0, 47, 320, 60})) << offset;
    EXPECT_EQ(onScreen(*title).y(), 70 - offset) << offset;
  }
}

}  // namespace
}  // namespace ui
