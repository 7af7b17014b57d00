#include "velkor/offerwall/rows/feed_card.h"

#include "velkor/core/velkor_config.h"
#include "velkor/offerwall/rows/row_style.h"

namespace velkor {

void styleCardShadow(ui::View& wrapper) {
  ui::Layer& layer = wrapper.layer();
  layer.setShadowColor(ui::Color::gray());
  layer.setShadowOpacity(0.2);
  layer.setShadowOffset({0, -2.0});
  layer.setShadowRadius(currentConfig()->listItemRadius());
  layer.setMasksToBounds(false);
}

void shapeCard(ui::View& thumbnail, ui::View& bottomBar) {
  const double radius = currentConfig()->listItemRadius();
  thumbnail.setClipsToBounds(true);
  bottomBar.setClipsToBounds(true);
  thumbnail.layer().setCornerRadius(radius);
  thumbnail.layer().setMaskedCorners(ui::RectCorner::topLeft | ui::RectCorner::topRight);
  bottomBar.layer().setCornerRadius(radius);
  bottomBar.layer().setMaskedCorners(ui::RectCorner::bottomLeft | ui::RectCorner::bottomRight);
}

}  // namespace velkor
