// A carousel banner that is only a picture, over the banner's background colour.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/collection_view_cell.h"
#include "platform/ui/image_view.h"

namespace velkor {

class OfwImageOnlyBannerItem : public ui::CollectionViewCell {
 public:
  static const std::string& reuseIdentifier() {
    static const std::string identifier = "OfwImageOnlyBannerItem";
    return identifier;
  }

  OfwImageOnlyBannerItem();

  // A hex colour text and the picture's address; no usable address shows the placeholder.
  virtual void configure(const std::string& backgroundColor, const std::optional<std::string>& imageUrl);
  void prepareForReuse() override;

  const std::shared_ptr<ui::ImageView>& imageView() const { return imageView_; }

 private:
  std::shared_ptr<ui::ImageView> imageView_ = std::make_shared<ui::ImageView>();
};

// Shows the placeholder, then, for an address that forms a URL, starts loading the picture over it:
// a reused cell never keeps another banner's picture, even when the load fails.
void loadBannerImage(const std::shared_ptr<ui::ImageView>& view, const std::optional<std::string>& imageUrl);

}  // namespace velkor
