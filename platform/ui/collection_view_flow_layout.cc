#include "platform/ui/collection_view_flow_layout.h"

#include <algorithm>

namespace ui {
namespace {

// A frame meets a rectangle when they share more than a sliver in both directions.
bool meets(const Rect& a, const Rect& b) {
  constexpr double kSliver = 1e-6;
  return std::min(a.maxX(), b.maxX()) - std::max(a.minX(), b.minX()) > kSliver &&
         std::min(a.maxY(), b.maxY()) - std::max(a.minY(), b.minY()) > kSliver;
}

}  // namespace

void CollectionViewFlowLayout::setScrollDirection(CollectionViewScrollDirection direction) {
  direction_ = direction;
  invalidateLayout();
}

void CollectionViewFlowLayout::setItemSize(Size size) {
  itemSize_ = size;
  invalidateLayout();
}

void CollectionViewFlowLayout::setMinimumLineSpacing(double spacing) {
  lineSpacing_ = spacing;
  invalidateLayout();
}

void CollectionViewFlowLayout::setMinimumInteritemSpacing(double spacing) {
  interitemSpacing_ = spacing;
  invalidateLayout();
}

void CollectionViewFlowLayout::setSectionInset(const EdgeInsets& inset) {
  sectionInset_ = inset;
  invalidateLayout();
}

Size CollectionViewFlowLayout::sizeOf(const IndexPath& indexPath) const {
  Size size = itemSize_;
  CollectionView* view = collectionView();
  auto flow = std::dynamic_pointer_cast<CollectionViewDelegateFlowLayout>(view->delegate());
  if (flow) {
    if (auto asked = flow->sizeForItem(*view, const_cast<CollectionViewFlowLayout&>(*this), indexPath)) size = *asked;
  }
  return {std::max(size.width, 0.0), std::max(size.height, 0.0)};
}

void CollectionViewFlowLayout::prepare() {
  attributes_.clear();
  contentSize_ = {};
  CollectionView* view = collectionView();
  if (!view) return;
  double along = 0;
  for (int section = 0; section < view->numberOfSections(); ++section) {
    placeSection(section, view->numberOfItems(section), along);
  }
  Size bounds = view->bounds().size;
  contentSize_ = direction_ == CollectionViewScrollDirection::horizontal ? Size{along, bounds.height}
                                                                         : Size{bounds.width, along};
}

// Works in the scrolling direction ("along") and across it, then turns the result into frames.
void CollectionViewFlowLayout::placeSection(int section, int count, double& along) {
  if (count <= 0) return;
  const bool horizontal = direction_ == CollectionViewScrollDirection::horizontal;
  const EdgeInsets& in = sectionInset_;
  const double acrossStart = horizontal ? in.top : in.left;
  const double acrossEnd = horizontal ? in.bottom : in.right;
  const Size bounds = collectionView()->bounds().size;
  const double room = (horizontal ? bounds.height : bounds.width) - acrossStart - acrossEnd;
  auto alongOf = [&](Size s) { return horizontal ? s.width : s.height; };
  auto acrossOf = [&](Size s) { return horizontal ? s.height : s.width; };

  along += horizontal ? in.left : in.top;
  std::vector<std::pair<IndexPath, Size>> line;
  double used = 0;
  auto flush = [&] {
    double thickness = 0;
    for (const auto& [path, size] : line) thickness = std::max(thickness, alongOf(size));
    double across = acrossStart;
    for (const auto& [path, size] : line) {
      double a = along + (thickness - alongOf(size)) / 2;
      Rect frame = horizontal ? Rect{a, across, size.width, size.height} : Rect{across, a, size.width, size.height};
      attributes_.push_back({path, frame});
      across += acrossOf(size) + interitemSpacing_;
    }
    along += thickness;
    line.clear();
    used = 0;
  };
  for (int item = 0; item < count; ++item) {
    IndexPath path{section, item};
    Size size = sizeOf(path);
    double needed = line.empty() ? acrossOf(size) : used + interitemSpacing_ + acrossOf(size);
    if (!line.empty() && needed > room + 1e-9) {
      flush();
      along += lineSpacing_;
      needed = acrossOf(size);
    }
    line.emplace_back(path, size);
    used = needed;
  }
  flush();
  along += horizontal ? in.right : in.bottom;
}

std::vector<CollectionViewLayoutAttributes> CollectionViewFlowLayout::layoutAttributesForElements(
    const Rect& rect) const {
  std::vector<CollectionViewLayoutAttributes> found;
  for (const auto& attributes : attributes_) {
    if (meets(attributes.frame, rect)) found.push_back(attributes);
  }
  return found;
}

std::optional<CollectionViewLayoutAttributes> CollectionViewFlowLayout::layoutAttributesForItem(
    const IndexPath& indexPath) const {
  auto found = std::lower_bound(attributes_.begin(), attributes_.end(), indexPath,
                                [](const auto& a, const IndexPath& p) { return a.indexPath < p; });
  if (found == attributes_.end() || found->indexPath != indexPath) return std::nullopt;
  return *found;
}

}  // namespace ui
