#include "velkor/offerwall/list/ofw_image_only_banner_item.h"

#include "velkor/appearance/hex_color.h"
#include "velkor/components/pin_edges.h"
#include "velkor/components/remote_image.h"
#include "velkor/resources/resource_bundle.h"

namespace velkor {

void loadBannerImage(const std::shared_ptr<ui::ImageView>& view, const std::optional<std::string>& imageUrl) {
  auto placeholder = ui::Image::named("velkorPlaceholder", resourceBundle());
  auto url = imageUrl ? base::Url::parse(*imageUrl) : std::nullopt;
  if (!url) {
    view->setImage(placeholder);
    return;
  }
  view->setBackgroundColor(ui::Color::clear());
  setImage(view, *url, placeholder, {});
}

OfwImageOnlyBannerItem::OfwImageOnlyBannerItem() {
  imageView_->setContentMode(ui::ContentMode::scaleAspectFit);
  // The content view fills the cell; the cell itself has no anchors while it is being made.
  contentView()->addSubview(imageView_);
  pinEdges(*imageView_, *contentView());
}

void OfwImageOnlyBannerItem::configure(const std::string& backgroundColor, const std::optional<std::string>& imageUrl) {
  contentView()->setBackgroundColor(colorFromHex(backgroundColor, 1.0));
  loadBannerImage(imageView_, imageUrl);
}

void OfwImageOnlyBannerItem::prepareForReuse() {
  imageView_->setBackgroundColor(ui::Color::clear());
  ui::CollectionViewCell::prepareForReuse();
}

}  // namespace velkor
