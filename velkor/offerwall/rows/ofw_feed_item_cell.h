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
#include "velkor/offerwall/rows/ofw_ad_row_cell.h"

namespace velkor {

class OfwFeedItemCell : public OfwAdRowCell {
 public:
  static const std::string& reuseIdentifier() {
    static const std::string identifier = "OfwFeedItemCell";
    return identifier;
  }

  OfwFeedItemCell();

  // The full binding: texts, the reward in its full form, the state; its status only when a
  // countdown runs.
  void updateCell(const Ad& itemBase) override;
  // The "new" mark, the reward in its short form, the state and the countdown.
  using OfwAdRowCell::updateStatus;
  void updateStatus(const Ad& ad) override;

  void layoutSubviews() override;
  // The bar takes the theme's colour again, undoing a disabled ad's grey.
  void prepareForReuse() override;

  const std::shared_ptr<ui::View>& bottomView() const { return bottomView_; }
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

  std::shared_ptr<ui::View> bottomView_ = std::make_shared<ui::View>();
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
