// What the three row styles of the ad list share: the theme as it stood when the cell was made, the
// card's wrapper with the thumbnail, the title and subtitle beside or under it and the "new" mark,
// and the binding's two steps for one ad.
#pragma once

#include <memory>

#include "platform/ui/image_view.h"
#include "platform/ui/label.h"
#include "platform/ui/table_view_cell.h"
#include "velkor/model/ad.h"
#include "velkor/model/item_base.h"

namespace velkor {

class VelkorColorScheme;
class VelkorDimension;

class OfwAdRowCell : public ui::TableViewCell {
 public:
  // The full binding when the list hands out the row.
  virtual void updateCell(const Ad& itemBase) = 0;
  // What depends on the ad's state and the clock; runs every second for visible rows. An item that
  // is an ad goes to the ad's own update; any other changes nothing.
  virtual void updateStatus(const ItemBase& itemBase);
  virtual void updateStatus(const Ad& ad) = 0;

  const std::shared_ptr<ui::ImageView>& markNewImageView() const { return markNewImageView_; }
  const std::shared_ptr<ui::View>& contentWrapper() const { return contentWrapper_; }
  const std::shared_ptr<ui::ImageView>& thumbImageView() const { return thumbImageView_; }
  const std::shared_ptr<ui::View>& leftView() const { return leftView_; }
  const std::shared_ptr<ui::Label>& titleLabel() const { return titleLabel_; }
  const std::shared_ptr<ui::Label>& subtitleLabel() const { return subtitleLabel_; }

 protected:
  // Clear and without a selection look: the row draws its own card.
  OfwAdRowCell();

  std::shared_ptr<VelkorDimension> dimension_;
  std::shared_ptr<VelkorColorScheme> colorScheme_;
  std::shared_ptr<ui::ImageView> markNewImageView_ = std::make_shared<ui::ImageView>();
  std::shared_ptr<ui::View> contentWrapper_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::ImageView> thumbImageView_ = std::make_shared<ui::ImageView>();
  std::shared_ptr<ui::View> leftView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::Label> titleLabel_ = std::make_shared<ui::Label>();
  std::shared_ptr<ui::Label> subtitleLabel_ = std::make_shared<ui::Label>();
};

}  // namespace velkor
