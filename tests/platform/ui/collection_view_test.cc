#include "platform/ui/collection_view.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/collection_view_flow_layout.h"
#include "tests/platform/ui/test_views.h"

namespace ui {
namespace {

using dispatch::Seconds;

// An item's cell: what it shows, cleared when it is prepared for reuse.
class ItemCell : public CollectionViewCell {
 public:
  static inline int made = 0;
  std::string content;
  ItemCell() { ++made; }
  void prepareForReuse() override {
    CollectionViewCell::prepareForReuse();
    content.clear();
  }
};

class Items : public CollectionViewDataSource, public CollectionViewDelegateFlowLayout {
 public:
  std::vector<int> counts{4};
  std::string version = "a";  // what the cells show: "a0", "a1", ...
  std::map<IndexPath, Size> sizes;  // per item; others take the layout's itemSize
  std::vector<std::string> events;

  int numberOfSections(CollectionView&) override { return static_cast<int>(counts.size()); }
  int numberOfItems(CollectionView&, int section) override { return counts[static_cast<std::size_t>(section)]; }
  std::shared_ptr<CollectionViewCell> cellForItem(CollectionView& view, const IndexPath& indexPath) override {
    auto cell = std::static_pointer_cast<ItemCell>(view.dequeueReusableCell("item", indexPath));
    EXPECT_EQ(cell->content, "") << "a cell handed out again was not prepared for reuse";
    cell->content = version + std::to_string(indexPath.item);
    return cell;
  }
  std::optional<Size> sizeForItem(CollectionView&, CollectionViewLayout&, const IndexPath& indexPath) override {
    auto found = sizes.find(indexPath);
    return found == sizes.end() ? std::nullopt : std::optional<Size>(found->second);
  }
  void scrollViewWillBeginDragging(ScrollView&) override { events.push_back("willBeginDragging"); }
  void scrollViewDidEndDragging(ScrollView&, bool decelerate) override {
    events.push_back(decelerate ? "didEndDragging(decelerate)" : "didEndDragging");
  }
  void scrollViewDidEndDecelerating(ScrollView&) override { events.push_back("didEndDecelerating"); }
  void scrollViewDidEndScrollingAnimation(ScrollView&) override { events.push_back("didEndScrollingAnimation"); }
};

class CollectionViewTest : public testing::WindowTest {
 protected:
  std::shared_ptr<CollectionViewFlowLayout> layout = std::make_shared<CollectionViewFlowLayout>();
  std::shared_ptr<CollectionView> view;
  std::shared_ptr<Items> items = std::make_shared<Items>();

  void SetUp() override {
    view = std::make_shared<CollectionView>(Rect{0, 100, 320, 72}, layout);
    ItemCell::made = 0;
    view->registerCell<ItemCell>("item");
    view->setDataSource(items);
    view->setDelegate(items);
    window->addSubview(view);
  }

  // A horizontal carousel of pages as wide and high as the view.
  void makeCarousel() {
    layout->setScrollDirection(CollectionViewScrollDirection::horizontal);
    layout->setMinimumLineSpacing(0);
    layout->setMinimumInteritemSpacing(0);
    layout->setItemSize({320, 72});
    view->setPagingEnabled(true);
    window->layoutIfNeeded();
  }

  // What the cells on screen show, in item order.
  std::vector<std::string> shown() const {
    std::vector<std::string> contents;
    for (const auto& cell : view->visibleCells()) contents.push_back(static_cast<ItemCell&>(*cell).content);
    return contents;
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

TEST_F(CollectionViewTest, ReloadDataAsksAgainForTheItemsOnScreen) {
  layout->setItemSize({150, 72});
  window->layoutIfNeeded();
  ASSERT_EQ(shown(), (std::vector<std::string>{"a0", "a1"}));

  items->version = "b";
  view->reloadData();
  window->layoutIfNeeded();
  EXPECT_EQ(shown(), (std::vector<std::string>{"b0", "b1"}));

  items->counts = {1};
  view->reloadData();
  window->layoutIfNeeded();
  EXPECT_EQ(view->numberOfItems(0), 1);
  EXPECT_EQ(shown(), (std::vector<std::string>{"b0"}));
}

// Paging through many pages, and stopping between two, a few cells serve every page.
TEST_F(CollectionViewTest, ManyPagesReuseAFewCells) {
  items->counts = {300};
  makeCarousel();
  for (double offset = 0; offset < 320 * 299; offset += 160) {
    view->setContentOffset({offset, 0});
    window->layoutIfNeeded();
    const int page = static_cast<int>(offset / 320);
    std::vector<std::string> want{"a" + std::to_string(page)};
    if (offset > page * 320) want.push_back("a" + std::to_string(page + 1));
    ASSERT_EQ(shown(), want) << offset;
  }
  EXPECT_LE(ItemCell::made, 3);
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

}  // namespace
}  // namespace ui
