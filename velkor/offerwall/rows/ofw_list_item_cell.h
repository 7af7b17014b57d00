// The compact list row (list type 2): a square thumbnail, title and subtitle, a rounded reward
// button, a hairline along the top, the "new" mark after the title and an information overlay
// over the whole row. Built in code; theme sizes and colours are read when the cell is made (the
// thumbnail border colour at every layout pass), and the binding fills it for one ad.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/constraint.h"
#include "platform/ui/image_view.h"
#include "platform/ui/label.h"
#include "platform/ui/stack_view.h"
#include "platform/ui/table_view_cell.h"
#include "velkor/model/ad.h"
#include "velkor/model/item_base.h"

namespace velkor {

class VelkorColorScheme;
class VelkorDimension;

class OfwListItemCell : public ui::TableViewCell {
 public:
  static const std::string& reuseIdentifier() {
    static const std::string identifier = "OfwListItemCell";
    return identifier;
  }

  OfwListItemCell();

  // The full binding when the list hands out the row; then its status.
  virtual void updateCell(const Ad& itemBase);
  // What depends on the ad's state and the clock: the "new" mark, the reward button, the overlay and
  // its countdown. Runs every second for visible rows; an item that is no ad changes nothing.
  virtual void updateStatus(const ItemBase& itemBase);
  void updateStatus(const Ad& ad);

  // Shows the "new" mark after the title (its constraints made once and reused), or takes it out.
  virtual void setMarkNewImageViewLayout(bool isGone);

  void layoutSubviews() override;

  const std::shared_ptr<ui::ImageView>& markNewImageView() const { return markNewImageView_; }
  const std::shared_ptr<ui::View>& contentWrapper() const { return contentWrapper_; }
  const std::shared_ptr<ui::View>& separatorView() const { return separatorView_; }
  const std::shared_ptr<ui::ImageView>& thumbImageView() const { return thumbImageView_; }
  const std::shared_ptr<ui::View>& leftView() const { return leftView_; }
  const std::shared_ptr<ui::Label>& titleLabel() const { return titleLabel_; }
  const std::shared_ptr<ui::Label>& subtitleLabel() const { return subtitleLabel_; }
  const std::shared_ptr<ui::View>& rewardButtonView() const { return rewardButtonView_; }
  const std::shared_ptr<ui::Label>& rewardButtonTitleLabel() const { return rewardButtonTitleLabel_; }
  const std::shared_ptr<ui::View>& infoView() const { return infoView_; }
  const std::shared_ptr<ui::StackView>& infoContentStackView() const { return infoContentStackView_; }
  const std::shared_ptr<ui::ImageView>& infoIconView() const { return infoIconView_; }
  const std::shared_ptr<ui::Label>& infoTitleLabel() const { return infoTitleLabel_; }

 protected:
  virtual void setUIAttributes();
  virtual void setLayoutConstraints();

 private:
  std::shared_ptr<VelkorDimension> dimension_;
  std::shared_ptr<VelkorColorScheme> colorScheme_;
  std::shared_ptr<ui::ImageView> markNewImageView_ = std::make_shared<ui::ImageView>();
  std::shared_ptr<ui::View> contentWrapper_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::View> separatorView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::ImageView> thumbImageView_ = std::make_shared<ui::ImageView>();
  std::shared_ptr<ui::View> leftView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::Label> titleLabel_ = std::make_shared<ui::Label>();
  std::shared_ptr<ui::Label> subtitleLabel_ = std::make_shared<ui::Label>();
  std::shared_ptr<ui::View> rewardButtonView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::Label> rewardButtonTitleLabel_ = std::make_shared<ui::Label>();
  std::shared_ptr<ui::View> infoView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::StackView> infoContentStackView_ = std::make_shared<ui::StackView>();
  std::shared_ptr<ui::ImageView> infoIconView_ = std::make_shared<ui::ImageView>();
  std::shared_ptr<ui::Label> infoTitleLabel_ = std::make_shared<ui::Label>();
  // The mark's five constraints, made at its first showing.
  std::vector<std::shared_ptr<ui::Constraint>> markConstraints_;
};

}  // namespace velkor
