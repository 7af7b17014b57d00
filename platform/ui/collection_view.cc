#include "platform/ui/collection_view.h"

#include <algorithm>

#include "platform/base/log.h"

namespace ui {

void CollectionViewLayout::invalidateLayout() {
  prepared_ = false;
  if (collectionView_) collectionView_->layoutInvalidated();
}

CollectionView::CollectionView(const Rect& frame, std::shared_ptr<CollectionViewLayout> layout) : ScrollView(frame) {
  setCollectionViewLayout(std::move(layout));
}

CollectionView::~CollectionView() {
  if (layout_) layout_->collectionView_ = nullptr;
}

void CollectionView::setCollectionViewLayout(std::shared_ptr<CollectionViewLayout> layout) {
  if (layout_) layout_->collectionView_ = nullptr;
  layout_ = std::move(layout);
  if (!layout_) return;
  layout_->collectionView_ = this;
  layout_->invalidateLayout();
}

void CollectionView::setDataSource(std::weak_ptr<CollectionViewDataSource> dataSource) {
  dataSource_ = std::move(dataSource);
  reloadData();
}

void CollectionView::setDelegate(std::weak_ptr<CollectionViewDelegate> delegate) {
  delegate_ = delegate;
  ScrollView::setDelegate(std::move(delegate));
  if (layout_) layout_->invalidateLayout();  // sizes may come from the delegate
}

void CollectionView::registerCell(const std::string& identifier, CellFactory factory) {
  pool_.registerFactory(identifier, std::move(factory));
}

std::shared_ptr<CollectionViewCell> CollectionView::dequeueReusableCell(const std::string& identifier,
                                                                        const IndexPath& indexPath) {
  (void)indexPath;
  return pool_.dequeueOrPlain(identifier, "CollectionView");
}

// --- data and layout -----------------------------------------------------------------------------

void CollectionView::reloadData() {
  dataStale_ = true;
  setNeedsLayoutPass();
}

int CollectionView::numberOfItems(int section) const {
  return section >= 0 && section < numberOfSections() ? counts_[static_cast<std::size_t>(section)] : 0;
}

bool CollectionView::exists(const IndexPath& indexPath) const {
  return indexPath.item >= 0 && indexPath.item < numberOfItems(indexPath.section);
}

void CollectionView::loadCounts() {
  dataStale_ = false;
  while (!visible_.empty()) hideCell(visible_.begin());
  counts_.clear();
  auto source = dataSource();
  int sections = source ? std::max(source->numberOfSections(*this), 0) : 0;
  for (int section = 0; section < sections; ++section) {
    counts_.push_back(std::max(source->numberOfItems(*this, section), 0));
  }
  std::erase_if(selected_, [this](const IndexPath& p) { return !exists(p); });
  if (layout_) layout_->prepared_ = false;
}

// Brings the layout up to date with the data and the bounds it last saw.
void CollectionView::prepareLayoutIfNeeded() {
  if (!layout_) return;
  Rect now = bounds();
  if (preparedSize_ != now.size && layout_->shouldInvalidateLayout(now, {now.origin, preparedSize_})) {
    layout_->prepared_ = false;
  }
  if (layout_->prepared_) return;
  layout_->prepared_ = true;
  preparedSize_ = now.size;
  layout_->prepare();
  setContentSize(layout_->collectionViewContentSize());
}

void CollectionView::layoutSubviews() {
  ScrollView::layoutSubviews();
  std::shared_ptr<View> keepAlive = shared();
  if (dataStale_) loadCounts();
  prepareLayoutIfNeeded();
  updateCells();
}

void CollectionView::contentOffsetDidChange() { setNeedsLayoutPass(); }

// --- cells on screen -----------------------------------------------------------------------------

void CollectionView::updateCells() {
  if (!layout_) return;
  std::vector<CollectionViewLayoutAttributes> showing = layout_->layoutAttributesForElements(bounds());
  for (auto it = visible_.begin(); it != visible_.end();) {
    auto next = std::next(it);
    bool stays = std::any_of(showing.begin(), showing.end(), [&](const auto& a) { return a.indexPath == it->first; });
    if (!stays) hideCell(it);
    it = next;
  }
  for (const auto& attributes : showing) {
    auto found = visible_.find(attributes.indexPath);
    if (found == visible_.end()) {
      showCell(attributes);
    } else if (found->second->frame() != attributes.frame) {
      found->second->setFrame(attributes.frame);
    }
  }
}

void CollectionView::showCell(const CollectionViewLayoutAttributes& attributes) {
  auto source = dataSource();
  std::shared_ptr<CollectionViewCell> cell = source ? source->cellForItem(*this, attributes.indexPath) : nullptr;
  if (!cell) {
    base::logError("CollectionView: the data source gave no cell for an item");
    cell = std::make_shared<CollectionViewCell>();
  }
  cell->setFrame(attributes.frame);
  cell->setSelected(std::find(selected_.begin(), selected_.end(), attributes.indexPath) != selected_.end());
  visible_[attributes.indexPath] = cell;
  if (cell->superview() != this) insertSubview(cell, 0);
  if (auto d = delegate()) d->willDisplay(*this, *cell, attributes.indexPath);
}

void CollectionView::hideCell(std::map<IndexPath, std::shared_ptr<CollectionViewCell>>::iterator found) {
  IndexPath indexPath = found->first;
  std::shared_ptr<CollectionViewCell> cell = std::move(found->second);
  visible_.erase(found);
  cell->removeFromSuperview();
  if (auto d = delegate()) d->didEndDisplaying(*this, *cell, indexPath);
  if (!cell->reuseIdentifier().empty()) pool_.enqueue(std::move(cell));
}

std::vector<IndexPath> CollectionView::indexPathsForVisibleItems() const {
  std::vector<IndexPath> paths;
  for (const auto& [indexPath, cell] : visible_) paths.push_back(indexPath);
  return paths;
}

std::vector<std::shared_ptr<CollectionViewCell>> CollectionView::visibleCells() const {
  std::vector<std::shared_ptr<CollectionViewCell>> cells;
  for (const auto& [indexPath, cell] : visible_) cells.push_back(cell);
  return cells;
}

std::shared_ptr<CollectionViewCell> CollectionView::cellForItem(const IndexPath& indexPath) const {
  auto found = visible_.find(indexPath);
  return found == visible_.end() ? nullptr : found->second;
}

std::optional<IndexPath> CollectionView::indexPath(const CollectionViewCell& cell) const {
  for (const auto& [indexPath, shown] : visible_) {
    if (shown.get() == &cell) return indexPath;
  }
  return std::nullopt;
}

std::optional<IndexPath> CollectionView::indexPathForItem(Point point) {
  prepareLayoutIfNeeded();
  if (!layout_) return std::nullopt;
  for (const auto& attributes : layout_->layoutAttributesForElements({point.x - 1, point.y - 1, 2, 2})) {
    if (attributes.frame.contains(point)) return attributes.indexPath;
  }
  return std::nullopt;
}

std::optional<CollectionViewLayoutAttributes> CollectionView::layoutAttributesForItem(const IndexPath& indexPath) {
  prepareLayoutIfNeeded();
  return layout_ ? layout_->layoutAttributesForItem(indexPath) : std::nullopt;
}

void CollectionView::scrollToItem(const IndexPath& indexPath, CollectionViewScrollPosition position, bool animated) {
  std::optional<CollectionViewLayoutAttributes> attributes = layoutAttributesForItem(indexPath);
  if (!attributes) return;
  auto has = [position](CollectionViewScrollPosition p) {
    return (static_cast<unsigned>(position) & static_cast<unsigned>(p)) != 0;
  };
  const Rect& item = attributes->frame;
  Size size = bounds().size;
  Point target = contentOffset();
  if (has(CollectionViewScrollPosition::left)) target.x = item.minX();
  if (has(CollectionViewScrollPosition::centeredHorizontally)) target.x = item.midX() - size.width / 2;
  if (has(CollectionViewScrollPosition::right)) target.x = item.maxX() - size.width;
  if (has(CollectionViewScrollPosition::top)) target.y = item.minY();
  if (has(CollectionViewScrollPosition::centeredVertically)) target.y = item.midY() - size.height / 2;
  if (has(CollectionViewScrollPosition::bottom)) target.y = item.maxY() - size.height;
  Point least = minimumContentOffset(), most = maximumContentOffset();
  target = {std::clamp(target.x, least.x, most.x), std::clamp(target.y, least.y, most.y)};
  setContentOffset(target, animated);
}

// --- selection -----------------------------------------------------------------------------------

void CollectionView::selectItem(const IndexPath& indexPath, bool animated) {
  if (!exists(indexPath)) return;
  for (const IndexPath& other : std::vector<IndexPath>(selected_)) deselectItem(other, animated);
  selected_.push_back(indexPath);
  if (auto cell = cellForItem(indexPath)) cell->setSelected(true, animated);
}

void CollectionView::deselectItem(const IndexPath& indexPath, bool animated) {
  std::erase(selected_, indexPath);
  if (auto cell = cellForItem(indexPath)) cell->setSelected(false, animated);
}

std::optional<IndexPath> CollectionView::itemUnder(const Touch& touch) {
  return allowsSelection_ ? indexPathForItem(touch.location(this)) : std::nullopt;
}

void CollectionView::itemPressed(const IndexPath& indexPath) {
  std::shared_ptr<View> keepAlive = shared();
  selectItem(indexPath, false);
  if (auto d = delegate()) d->didSelectItem(*this, indexPath);
}

}  // namespace ui
