// A collection cell with a single thumbnail outlet, for a nib to connect. Nothing in the SDK
// registers or makes it; it is kept for publishers that name it.
#pragma once

#include <memory>

#include "platform/ui/collection_view_cell.h"
#include "platform/ui/image_view.h"

namespace velkor {

class OfwAdCollectionViewCell : public ui::CollectionViewCell {
 public:
  using ui::CollectionViewCell::CollectionViewCell;

  // Held weakly, as an outlet: the view tree owns the image view.
  std::shared_ptr<ui::ImageView> thumbImageView() const { return thumbImageView_.lock(); }
  void setThumbImageView(const std::shared_ptr<ui::ImageView>& view) { thumbImageView_ = view; }

 private:
  std::weak_ptr<ui::ImageView> thumbImageView_;
};

}  // namespace velkor
