// The feed row with a call-to-action button (list type 1): a card with a wide thumbnail over a bar
// holding title and subtitle and a rounded button whose title (two lines at most, a live countdown
// while one runs) follows the ad's state. The button is no control: a tap on it selects the row.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/constraint.h"
#include "platform/ui/image_view.h"
#include "platform/ui/label.h"
#include "velkor/offerwall/rows/ofw_ad_row_cell.h"

namespace velkor {

class OfwCtaFeedItemCell : public OfwAdRowCell {
 public:
  static const std::string& reuseIdentifier() {
    static const std::string identifier = "OfwCtaFeedItemCell";
    return identifier;
  }

  static constexpr double thumbnailImageAspectRatio = 0.5;
  // Space above the button title beyond the button's top padding.
  static constexpr double ctaButtonTitleLabelTopAnchorConstant = 1.0;

  OfwCtaFeedItemCell();

  void updateCell(const Ad& itemBase) override;
  // The "new" mark, the button's colours and title, the countdown. An item that is no ad clears the
  // button title.
  void updateStatus(const ItemBase& itemBase) override;
  void updateStatus(const Ad& ad) override;

  // Shows the "new" mark after the title (its constraints made once and reused), or takes it out.
  virtual void setMarkNewImageViewLayout(bool isGone);

  void layoutSubviews() override;

  const std::shared_ptr<ui::View>& bottomView() const { return bottomView_; }
  const std::shared_ptr<ui::View>& ctaButtonView() const { return ctaButtonView_; }
  const std::shared_ptr<ui::Label>& ctaButtonTitleLabel() const { return ctaButtonTitleLabel_; }

 private:
  void setupViews();
  void activateConstraints();
  // The button's colours and title for the ad's state; the countdown replaces the title while it runs.
  base::AttributedString applyButtonState(const Ad& ad);
  void setTitleAndLayOut(base::AttributedString title);

  std::shared_ptr<ui::View> bottomView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::View> ctaButtonView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::Label> ctaButtonTitleLabel_ = std::make_shared<ui::Label>();
  std::vector<std::shared_ptr<ui::Constraint>> markConstraints_;
};

}  // namespace velkor
