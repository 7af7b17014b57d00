// A collection view: a scroll view of items in sections, placed by a layout object (a flow layout,
// say), made by a data source and told of events through a delegate. As with tables, only items
// on screen have cells, dequeued by reuse identifier and given back when they scroll out.
//
// Timing, as on the platform: the collection works from the data and the layout as they stood at
// its last layout pass. reloadData() and invalidateLayout() take effect at the next pass, which
// runs on the main loop after the call (or at a layoutIfNeeded()); a scroll brings the cells on
// screen up to date at the pass that follows it. Until then the item counts, the visible items and
// the cells are the earlier ones.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/collection_view_cell.h"
#include "platform/ui/index_path.h"
#include "platform/ui/reusable_cell.h"
#include "platform/ui/scroll_view.h"
#include "platform/ui/touch.h"

namespace ui {

class CollectionView;

struct CollectionViewLayoutAttributes {
  IndexPath indexPath;
  Rect frame;
};

// Where items go. A layout works out every item's frame in prepare(), from the collection view's
// bounds and item counts, and keeps them until invalidated.
class CollectionViewLayout {
 public:
  virtual ~CollectionViewLayout() = default;

  // The collection view it lays out; null before it is given to one.
  CollectionView* collectionView() const { return collectionView_; }
  // Drops what prepare() worked out; the collection view prepares it again at its next pass.
  virtual void invalidateLayout();
  bool isPrepared() const { return prepared_; }

  virtual void prepare() = 0;
  virtual Size collectionViewContentSize() const = 0;
  // Every item whose frame meets the rectangle, in index path order.
  virtual std::vector<CollectionViewLayoutAttributes> layoutAttributesForElements(const Rect& rect) const = 0;
  virtual std::optional<CollectionViewLayoutAttributes> layoutAttributesForItem(const IndexPath& indexPath) const = 0;
  // Whether bounds of a new size (or origin) call for a new layout; by default a new size does.
  virtual bool shouldInvalidateLayout(const Rect& newBounds, const Rect& oldBounds) const {
    return newBounds.size != oldBounds.size;
  }

 private:
  friend class CollectionView;
  CollectionView* collectionView_ = nullptr;
  bool prepared_ = false;
};

class CollectionViewDataSource {
 public:
  virtual ~CollectionViewDataSource() = default;
  virtual int numberOfSections(CollectionView& collectionView) {
    (void)collectionView;
    return 1;
  }
  virtual int numberOfItems(CollectionView& collectionView, int section) = 0;
  virtual std::shared_ptr<CollectionViewCell> cellForItem(CollectionView& collectionView,
                                                          const IndexPath& indexPath) = 0;
};

// The collection's delegate is also its scroll view delegate.
class CollectionViewDelegate : public ScrollViewDelegate {
 public:
  virtual void willDisplay(CollectionView& collectionView, CollectionViewCell& cell, const IndexPath& indexPath) {
    (void)collectionView;
    (void)cell;
    (void)indexPath;
  }
  virtual void didEndDisplaying(CollectionView& collectionView, CollectionViewCell& cell,
                                const IndexPath& indexPath) {
    (void)collectionView;
    (void)cell;
    (void)indexPath;
  }
  virtual void didSelectItem(CollectionView& collectionView, const IndexPath& indexPath) {
    (void)collectionView;
    (void)indexPath;
  }
};

// Raw values as the platform numbers them; one vertical and one horizontal position may combine.
enum class CollectionViewScrollPosition : unsigned {
  none = 0,
  top = 1 << 0,
  centeredVertically = 1 << 1,
  bottom = 1 << 2,
  left = 1 << 3,
  centeredHorizontally = 1 << 4,
  right = 1 << 5,
};
constexpr CollectionViewScrollPosition operator|(CollectionViewScrollPosition a, CollectionViewScrollPosition b) {
  return static_cast<CollectionViewScrollPosition>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

class CollectionView : public ScrollView, public CellPressResponder {
 public:
  using CellFactory = std::function<std::shared_ptr<CollectionViewCell>()>;

  CollectionView(const Rect& frame, std::shared_ptr<CollectionViewLayout> layout);
  ~CollectionView() override;

  const std::shared_ptr<CollectionViewLayout>& collectionViewLayout() const { return layout_; }
  void setCollectionViewLayout(std::shared_ptr<CollectionViewLayout> layout);
  std::shared_ptr<CollectionViewDataSource> dataSource() const { return dataSource_.lock(); }
  void setDataSource(std::weak_ptr<CollectionViewDataSource> dataSource);
  std::shared_ptr<CollectionViewDelegate> delegate() const { return delegate_.lock(); }
  // Also the scroll view delegate (and the flow layout's, when it is one).
  void setDelegate(std::weak_ptr<CollectionViewDelegate> delegate);
  bool allowsSelection() const { return allowsSelection_; }
  void setAllowsSelection(bool allows) { allowsSelection_ = allows; }

  // --- cells ---
  void registerCell(const std::string& identifier, CellFactory factory);
  template <class Cell>
  void registerCell(const std::string& identifier) {
    registerCell(identifier, [] { return std::make_shared<Cell>(); });
  }
  // A cell of the identifier, reused or new; for an identifier nobody registered, a plain cell
  // (the mistake is logged).
  std::shared_ptr<CollectionViewCell> dequeueReusableCell(const std::string& identifier, const IndexPath& indexPath);

  // --- data, as of the last layout pass ---
  void reloadData();
  int numberOfSections() const { return static_cast<int>(counts_.size()); }
  int numberOfItems(int section) const;

  // --- what is on screen, as of the last layout pass ---
  // Every item that shows at least a sliver, in index path order.
  std::vector<IndexPath> indexPathsForVisibleItems() const;
  std::vector<std::shared_ptr<CollectionViewCell>> visibleCells() const;
  std::shared_ptr<CollectionViewCell> cellForItem(const IndexPath& indexPath) const;
  std::optional<IndexPath> indexPath(const CollectionViewCell& cell) const;
  // The item whose frame holds the point (content coordinates), from the layout.
  std::optional<IndexPath> indexPathForItem(Point point);
  std::optional<CollectionViewLayoutAttributes> layoutAttributesForItem(const IndexPath& indexPath);
  // Scrolls the item to the position (within the scrolling range); an item the layout does not
  // have is ignored.
  void scrollToItem(const IndexPath& indexPath, CollectionViewScrollPosition position, bool animated);

  // --- selection ---
  const std::vector<IndexPath>& indexPathsForSelectedItems() const { return selected_; }
  void selectItem(const IndexPath& indexPath, bool animated);
  void deselectItem(const IndexPath& indexPath, bool animated);

  void layoutSubviews() override;

 protected:
  void contentOffsetDidChange() override;
  std::optional<IndexPath> itemUnder(const Touch& touch) override;
  std::shared_ptr<ReusableCell> cellOf(const IndexPath& indexPath) override { return cellForItem(indexPath); }
  void itemPressed(const IndexPath& indexPath) override;

 private:
  friend class CollectionViewLayout;
  void layoutInvalidated() { setNeedsLayoutPass(); }
  void prepareLayoutIfNeeded();
  void loadCounts();
  void updateCells();
  void showCell(const CollectionViewLayoutAttributes& attributes);
  void hideCell(std::map<IndexPath, std::shared_ptr<CollectionViewCell>>::iterator found);
  bool exists(const IndexPath& indexPath) const;

  std::shared_ptr<CollectionViewLayout> layout_;
  std::weak_ptr<CollectionViewDataSource> dataSource_;
  std::weak_ptr<CollectionViewDelegate> delegate_;
  bool allowsSelection_ = true;
  ReusePool<CollectionViewCell> pool_;
  bool dataStale_ = true;
  std::vector<int> counts_;
  Size preparedSize_{-1, -1};
  std::map<IndexPath, std::shared_ptr<CollectionViewCell>> visible_;
  std::vector<IndexPath> selected_;
};

}  // namespace ui
