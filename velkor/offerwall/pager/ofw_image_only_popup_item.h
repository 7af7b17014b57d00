// A popup carousel page that is only the popup's picture.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/collection_view_cell.h"
#include "platform/ui/image_view.h"

namespace velkor {

class OfwImageOnlyPopupItem : public ui::CollectionViewCell {
 public:
  static const std::string& reuseIdentifier() {
    static const std::string identifier = "OfwImageOnlyPopupItem";
    return identifier;
  }

  OfwImageOnlyPopupItem();

  // No usable address shows the placeholder; a picture on its way never outlives the next call.
  virtual void configure(const std::optional<std::string>& imageUrl);

  const std::shared_ptr<ui::ImageView>& imageView() const { return imageView_; }

 private:
  std::shared_ptr<ui::ImageView> imageView_ = std::make_shared<ui::ImageView>();
};

}  // namespace velkor
