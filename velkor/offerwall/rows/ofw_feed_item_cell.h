// The feed row (list type 0, the default): a card with a wide thumbnail (2 : 1) over a bar with
// title and subtitle on the left and the reward name over its amount on the right, the "new" mark on
// the thumbnail's lower edge and an information overlay over the thumbnail. Built in code; theme
// values are read when the cell is made, the corner radius at every layout pass.
#pragma once

#include <memory>
#include <string>

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

class OfwFeedItemCell : public ui::TableViewCell {
 public:
  static const std::string& reuseIdentifier() {
    static const std::string identifier = "OfwFeedItemCell";
    return identifier;
  }

  OfwFeedItemCell();

  // The full binding: texts, the reward in its full form, the state; its status only when a
  // countdown runs.
  virtual void updateCell(const Ad& itemBase);
  // Every second: the "new" mark, the reward in its short form, the state and the countdown. An item
  // that is no ad changes nothing.
  virtual void updateStatus(const ItemBase& itemBase);
  void updateStatus(const Ad& ad);

  void layoutSubviews() override;
  // The bar takes the theme's colour again, undoing a disabled ad's grey.
  void prepareForReuse() override;

  const std::shared_ptr<ui::ImageView>& markNewImageView() const { return markNewImageView_; }
  const std::shared_ptr<ui::View>& contentWrapper() const { return contentWrapper_; }
  const std::shared_ptr<ui::ImageView>& thumbImageView() const { return thumbImageView_; }
  const std::shared_ptr<ui::View>& bottomView() const { return bottomView_; }
  const std::shared_ptr<ui::View>& leftView() const { return leftView_; }
  const std::shared_ptr<ui::Label>& titleLabel() const { return titleLabel_; }
  const std::shared_ptr<ui::Label>& subtitleLabel() const { return subtitleLabel_; }
  const std::shared_ptr<ui::View>& rightView() const { return rightView_; }
  const std::shared_ptr<ui::Label>& rewardTextLabel() const { return rewardTextLabel_; }
  const std::shared_ptr<ui::Label>& rewardNameLabel() const { return rewardNameLabel_; }
  const std::shared_ptr<ui::View>& infoView() const { return infoView_; }
  const std::shared_ptr<ui::StackView>& infoContentStackView() const { return infoContentStackView_; }
  const std::shared_ptr<ui::ImageView>& infoIconView() const { return infoIconView_; }
  const std::shared_ptr<ui::Label>& infoTitleLabel() const { return infoTitleLabel_; }

 private:
  void setupViews();
  void activateConstraints();
  // Shows the reward name (its gap to the amount given), or hides it and holds it at no height.
  void showRewardName(bool shown, double gap);
  void applyRewardColors();
  void applyCallToActionState(const Ad& ad);

  std::shared_ptr<VelkorDimension> dimension_;
  std::shared_ptr<VelkorColorScheme> colorScheme_;
  std::shared_ptr<ui::ImageView> markNewImageView_ = std::make_shared<ui::ImageView>();
  std::shared_ptr<ui::View> contentWrapper_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::ImageView> thumbImageView_ = std::make_shared<ui::ImageView>();
  std::shared_ptr<ui::View> bottomView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::View> leftView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::Label> titleLabel_ = std::make_shared<ui::Label>();
  std::shared_ptr<ui::Label> subtitleLabel_ = std::make_shared<ui::Label>();
  std::shared_ptr<ui::View> rightView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::Label> rewardTextLabel_ = std::make_shared<ui::Label>();
  std::shared_ptr<ui::Label> rewardNameLabel_ = std::make_shared<ui::Label>();
  std::shared_ptr<ui::View> infoView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::StackView> infoContentStackView_ = std::make_shared<ui::StackView>();
  std::shared_ptr<ui::ImageView> infoIconView_ = std::make_shared<ui::ImageView>();
  std::shared_ptr<ui::Label> infoTitleLabel_ = std::make_shared<ui::Label>();
  // Made once: the amount's gap below the name, and the name's zero height while it is hidden.
  std::shared_ptr<ui::Constraint> rewardGap_;
  std::shared_ptr<ui::Constraint> rewardNameHold_;
};

}  // namespace velkor
