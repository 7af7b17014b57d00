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
#include "velkor/offerwall/rows/ofw_ad_row_cell.h"

namespace velkor {

class OfwListItemCell : public OfwAdRowCell {
 public:
  static const std::string& reuseIdentifier() {
    static const std::string identifier = "OfwListItemCell";
    return identifier;
  }

  OfwListItemCell();

  // The full binding; then its status.
  void updateCell(const Ad& itemBase) override;
  // The "new" mark, the reward button, the overlay and its countdown.
  using OfwAdRowCell::updateStatus;
  void updateStatus(const Ad& ad) override;

  // Shows the "new" mark after the title (its constraints made once and reused), or takes it out.
  virtual void setMarkNewImageViewLayout(bool isGone);

  void layoutSubviews() override;

  const std::shared_ptr<ui::View>& separatorView() const { return separatorView_; }
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
  std::shared_ptr<ui::View> separatorView_ = std::make_shared<ui::View>();
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
