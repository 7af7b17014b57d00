#include "velkor/offerwall/pager/ofw_image_only_popup_item.h"

#include "velkor/components/pin_edges.h"
#include "velkor/offerwall/list/ofw_image_only_banner_item.h"

namespace velkor {

OfwImageOnlyPopupItem::OfwImageOnlyPopupItem() {
  imageView_->setContentMode(ui::ContentMode::scaleAspectFill);
  contentView()->addSubview(imageView_);
  pinEdges(*imageView_, *contentView());
}

void OfwImageOnlyPopupItem::configure(const std::optional<std::string>& imageUrl) {
  loadBannerImage(imageView_, imageUrl);
}

}  // namespace velkor
