#include "platform/ui/collection_view.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/dispatch/clock.h"
#include "platform/dispatch/main_loop.h"
#include "platform/dispatch/timer.h"
#include "platform/ui/collection_view_flow_layout.h"
#include "platform/ui/gesture_recognizer.h"
#include "platform/ui/tap_gesture_recognizer.h"
#include "platform/ui/touch.h"
#include "platform/ui/window.h"
#include "tests/platform/ui/test_views.h"

namespace ui {
namespace {

using dispatch::Seconds;

class ItemCell : public CollectionViewCell {
 public:
  static inline int made = 0;
  IndexPath shows{-1, -1};
  ItemCell() { ++made; }
};

class Items : public CollectionViewDataSource, public CollectionViewDelegateFlowLayout {
 public:
  std::vector<int> counts{4};
  std::map<IndexPath, Size> sizes;  // per item; others take the layout's itemSize
  std::vector<std::string> events;
  std::vector<IndexPath> selected;

  int numberOfSections(CollectionView&) override { return static_cast<int>(counts.size()); }
  int numberOfItems(CollectionView&, int section) override { return counts[static_cast<std::size_t>(section)]; }
  std::shared_ptr<CollectionViewCell> cellForItem(CollectionView& view, const IndexPath& indexPath) override {
    auto cell = std::static_pointer_cast<ItemCell>(view.dequeueReusableCell("item", indexPath));
    cell->shows = indexPath;
    return cell;
  }
  std::optional<Size> sizeForItem(CollectionView&, CollectionViewLayout&, const IndexPath& indexPath) override {
    auto found = sizes.find(indexPath);
    return found == sizes.end() ? std::nullopt : std::optional<Size>(found->second);
  }
  void didSelectItem(CollectionView&, const IndexPath& indexPath) override { selected.push_back(indexPath); }
  void scrollViewWillBeginDragging(ScrollView&) override { events.push_back("willBeginDragging"); }
  void scrollViewDidEndDragging(ScrollView&, bool decelerate) override {
    events.push_back(decelerate ? "didEndDragging(decelerate)" : "didEndDragging");
  }
  void scrollViewDidEndDecelerating(ScrollView&) override { events.push_back("didEndDecelerating"); }
  void scrollViewDidEndScrollingAnimation(ScrollView&) override { events.push_back("didEndScrollingAnimation"); }
};

class CollectionViewTest : public ::testing::Test {
 protected:
  dispatch::ScopedManualClock clock;
  dispatch::main_loop::TestScope loop;
  std::shared_ptr<Window> window = std::make_shared<Window>(Rect{0, 0, 320, 480});
  std::shared_ptr<CollectionViewFlowLayout> layout = std::make_shared<CollectionViewFlowLayout>();
  std::shared_ptr<CollectionView> view;
  std::shared_ptr<Items> items = std::make_shared<Items>();

  void SetUp() override {
    ItemCell::made = 0;
    view = std::make_shared<CollectionView>(Rect{0, 100, 320, 72}, layout);
    view->registerCell<ItemCell>("item");
    view->setDataSource(items);
    view->setDelegate(items);
    window->addSubview(view);
  }
  void TearDown() override { touch::cancelAll(); }

  // A horizontal carousel of pages as wide and high as the view.
  void makeCarousel() {
    layout->setScrollDirection(CollectionViewScrollDirection::horizontal);
    layout->setMinimumLineSpacing(0);
    layout->setMinimumInteritemSpacing(0);
    layout->setItemSize({320, 72});
    view->setPagingEnabled(true);
    window->layoutIfNeeded();
  }

  std::vector<Rect> frames(int count, int section = 0) {
    std::vector<Rect> result;
    for (int item = 0; item < count; ++item) result.push_back(view->layoutAttributesForItem({section, item})->frame);
    return result;
  }
};

TEST_F(CollectionViewTest, FlowLayoutFillsLinesAcrossTheScrollingDirection) {
  view->setFrame({0, 0, 320, 480});
  items->counts = {5, 2};
  layout->setItemSize({90, 40});
  layout->setSectionInset({10, 15, 20, 15});
  items->sizes[{0, 1}] = {90, 60};
  window->layoutIfNeeded();
  // Three 90-point items fit in 290 points with 10 between them; the taller one sets the line.
  EXPECT_EQ(frames(5), (std::vector<Rect>{{15, 20, 90, 40}, {115, 10, 90, 60}, {215, 20, 90, 40},
                                           {15, 80, 90, 40}, {115, 80, 90, 40}}));
  EXPECT_EQ(frames(2, 1), (std::vector<Rect>{{15, 150, 90, 40}, {115, 150, 90, 40}}));
  EXPECT_EQ(view->contentSize(), (Size{320, 210}));

  layout->setScrollDirection(CollectionViewScrollDirection::horizontal);
  layout->setSectionInset({});
  items->sizes.clear();
  items->counts = {25};
  view->reloadData();
  window->layoutIfNeeded();
  // Columns of 9 items 40 high, 10 apart, fill the 480-point height; 3 columns.
  EXPECT_EQ(view->layoutAttributesForItem({0, 9})->frame, (Rect{100, 0, 90, 40}));
  EXPECT_EQ(view->contentSize(), (Size{290, 480}));
}

TEST_F(CollectionViewTest, ReloadAndInvalidationWaitForTheNextLayoutPass) {
  makeCarousel();
  EXPECT_EQ(view->numberOfItems(0), 4);
  EXPECT_EQ(view->indexPathsForVisibleItems(), (std::vector<IndexPath>{{0, 0}}));
  items->counts = {2};
  view->reloadData();
  EXPECT_EQ(view->numberOfItems(0), 4);  // not yet
  dispatch::main_loop::drain();          // the pass after this turn of the loop
  EXPECT_EQ(view->numberOfItems(0), 2);
  EXPECT_EQ(view->contentSize().width, 640);

  layout->setItemSize({160, 72});
  EXPECT_EQ(view->contentSize().width, 640);
  view->layoutIfNeeded();
  EXPECT_EQ(view->contentSize().width, 320);
  EXPECT_EQ(view->indexPathsForVisibleItems(), (std::vector<IndexPath>{{0, 0}, {0, 1}}));
}

TEST_F(CollectionViewTest, PagingEndsOnTheRightPageAndTellsTheDelegateOnce) {
  makeCarousel();
  struct Case {
    double from, to;
    bool fling;
    int page;
  } cases[] = {
      {300, 250, true, 1}, {300, 250, true, 2}, {300, 250, true, 3}, {300, 250, true, 3},  // the last stays
      {50, 120, true, 2},  {100, 300, false, 1},                                          // back, slow back
  };
  for (const auto& c : cases) {
    items->events.clear();
    if (c.fling) {
      touch::swipe(*window, {c.from, 130}, {c.to, 130}, Seconds(0.05));
    } else {
      touch::pan(*window, {c.from, 130}, {c.to, 130}, Seconds(0.5));
    }
    clock->advance(Seconds(1));
    EXPECT_EQ(view->contentOffset().x, 320.0 * c.page);
    EXPECT_EQ(view->indexPathsForVisibleItems(), (std::vector<IndexPath>{{0, c.page}}));
    EXPECT_EQ(view->indexPathForItem(view->contentOffset()), (IndexPath{0, c.page}));
    EXPECT_EQ(std::count(items->events.begin(), items->events.end(), "didEndDecelerating"), 1)
        << c.from << " → " << c.to;
    EXPECT_EQ(items->events.front(), "willBeginDragging");
  }
}

TEST_F(CollectionViewTest, ScrollToItemCentredOverTheClock) {
  makeCarousel();
  view->setContentOffsetAnimationDuration(0.4);
  view->scrollToItem({0, 2}, CollectionViewScrollPosition::centeredHorizontally, true);
  clock->advance(Seconds(0.3));
  EXPECT_LT(view->contentOffset().x, 640);
  EXPECT_TRUE(items->events.empty());
  clock->advance(Seconds(0.15));
  EXPECT_EQ(view->contentOffset().x, 640);
  EXPECT_EQ(items->events, (std::vector<std::string>{"didEndScrollingAnimation"}));
  EXPECT_EQ(view->indexPathsForVisibleItems(), (std::vector<IndexPath>{{0, 2}}));

  view->scrollToItem({0, 0}, CollectionViewScrollPosition::centeredHorizontally, false);
  EXPECT_EQ(view->contentOffset().x, 0);
  view->scrollToItem({0, 9}, CollectionViewScrollPosition::centeredHorizontally, false);  // no such item
  view->scrollToItem({1, 0}, CollectionViewScrollPosition::centeredHorizontally, false);
  EXPECT_EQ(view->contentOffset().x, 0);
  EXPECT_EQ(items->events.size(), 1u);
}

TEST_F(CollectionViewTest, ItemsReuseAFewCellsAcrossAHundredPages) {
  items->counts = {100};
  makeCarousel();
  for (int page = 0; page < 100; ++page) {
    view->setContentOffset({page * 320.0 + 100, 0});
    view->layoutIfNeeded();
    auto visible = view->indexPathsForVisibleItems();
    std::vector<IndexPath> want{{0, page}};
    if (page < 99) want.push_back({0, page + 1});
    ASSERT_EQ(visible, want);
    for (const auto& path : visible) ASSERT_EQ(static_cast<ItemCell*>(view->cellForItem(path).get())->shows, path);
  }
  EXPECT_LE(ItemCell::made, 3);
}

TEST_F(CollectionViewTest, TapSelectsUnlessARecogniserTakesIt) {
  makeCarousel();
  touch::tap(*window, {100, 130});
  EXPECT_EQ(items->selected, (std::vector<IndexPath>{{0, 0}}));
  EXPECT_TRUE(view->cellForItem({0, 0})->isSelected());

  int taps = 0;
  auto tap = std::make_shared<TapGestureRecognizer>();
  tap->addAction([&] { ++taps; });
  addGestureRecognizer(*view, tap);
  touch::tap(*window, {100, 130});
  EXPECT_EQ(taps, 1);
  EXPECT_EQ(items->selected.size(), 1u);
}

TEST_F(CollectionViewTest, DefaultTimerPausesWhileTheCarouselIsDragged) {
  makeCarousel();
  int steps = 0;
  auto autoScroll = dispatch::Timer::scheduled(Seconds(3), true, [&](dispatch::Timer&) {
    ++steps;
    auto first = view->indexPathsForVisibleItems();
    if (!first.empty()) view->scrollToItem({0, (first.front().item + 1) % 4}, CollectionViewScrollPosition::centeredHorizontally, true);
  });
  clock->advance(Seconds(3.5));
  EXPECT_EQ(steps, 1);
  EXPECT_EQ(view->contentOffset().x, 320);

  auto finger = touch::Finger::down(*window, {200, 130});
  finger.moveTo({150, 130});
  clock->advance(Seconds(6));  // the user holds the carousel
  EXPECT_EQ(steps, 1);
  finger.up(Seconds(0.2));
  clock->advance(Seconds(1));
  EXPECT_EQ(steps, 2);  // the step that fell due, once
  autoScroll->invalidate();
}

}  // namespace
}  // namespace ui
