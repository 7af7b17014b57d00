// The flow layout: items in lines that fill the collection view across its scrolling direction
// (rows when it scrolls vertically, columns when it scrolls horizontally), one section after
// another. A line takes items, minimumInteritemSpacing apart, while they fit between the section
// insets; lines stand minimumLineSpacing apart. Items start at the line's leading edge and are
// centred across it. An item's size is the delegate's answer for it, else itemSize.
#pragma once

#include <optional>
#include <vector>

#include "platform/ui/collection_view.h"

namespace ui {

class CollectionViewFlowLayout;

enum class CollectionViewScrollDirection { vertical = 0, horizontal = 1 };

// What a collection view's delegate may add for a flow layout.
class CollectionViewDelegateFlowLayout : public CollectionViewDelegate {
 public:
  // The item's size; none leaves it to the layout's itemSize.
  virtual std::optional<Size> sizeForItem(CollectionView& collectionView, CollectionViewLayout& layout,
                                          const IndexPath& indexPath) {
    (void)collectionView;
    (void)layout;
    (void)indexPath;
    return std::nullopt;
  }
};

class CollectionViewFlowLayout : public CollectionViewLayout {
 public:
  CollectionViewScrollDirection scrollDirection() const { return direction_; }
  void setScrollDirection(CollectionViewScrollDirection direction);
  Size itemSize() const { return itemSize_; }
  void setItemSize(Size size);
  double minimumLineSpacing() const { return lineSpacing_; }
  void setMinimumLineSpacing(double spacing);
  double minimumInteritemSpacing() const { return interitemSpacing_; }
  void setMinimumInteritemSpacing(double spacing);
  const EdgeInsets& sectionInset() const { return sectionInset_; }
  void setSectionInset(const EdgeInsets& inset);

  void prepare() override;
  Size collectionViewContentSize() const override { return contentSize_; }
  std::vector<CollectionViewLayoutAttributes> layoutAttributesForElements(const Rect& rect) const override;
  std::optional<CollectionViewLayoutAttributes> layoutAttributesForItem(const IndexPath& indexPath) const override;

 private:
  Size sizeOf(const IndexPath& indexPath) const;
  void placeSection(int section, int count, double& along);

  CollectionViewScrollDirection direction_ = CollectionViewScrollDirection::vertical;
  Size itemSize_{50, 50};
  double lineSpacing_ = 10;
  double interitemSpacing_ = 10;
  EdgeInsets sectionInset_;

  std::vector<CollectionViewLayoutAttributes> attributes_;  // in index path order
  Size contentSize_;
};

}  // namespace ui
