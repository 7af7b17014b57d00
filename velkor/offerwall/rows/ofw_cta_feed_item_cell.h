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
#include "platform/ui/table_view_cell.h"
#include "velkor/model/ad.h"
#include "velkor/model/item_base.h"

namespace velkor {

class VelkorColorScheme;
class VelkorDimension;

class OfwCtaFeedItemCell : public ui::TableViewCell {
 public:
  static const std::string& reuseIdentifier() {
    static const std::string identifier = "OfwCtaFeedItemCell";
    return identifier;
  }

  static constexpr double thumbnailImageAspectRatio = 0.5;
  // Space above the button title beyond the button's top padding.
  static constexpr double ctaButtonTitleLabelTopAnchorConstant = 1.0;

  OfwCtaFeedItemCell();

  virtual void updateCell(const Ad& itemBase);
  // The "new" mark, the button's colours and title, the countdown. An item that is no ad clears the
  // button title.
  virtual void updateStatus(const ItemBase& itemBase);
  void updateStatus(const Ad& ad);

  // Shows the "new" mark after the title (its constraints made once and reused), or takes it out.
  virtual void setMarkNewImageViewLayout(bool isGone);

  void layoutSubviews() override;

  const std::shared_ptr<ui::ImageView>& markNewImageView() const { return markNewImageView_; }
  const std::shared_ptr<ui::View>& contentWrapper() const { return contentWrapper_; }
  const std::shared_ptr<ui::ImageView>& thumbImageView() const { return thumbImageView_; }
  const std::shared_ptr<ui::View>& bottomView() const { return bottomView_; }
  const std::shared_ptr<ui::View>& leftView() const { return leftView_; }
  const std::shared_ptr<ui::Label>& titleLabel() const { return titleLabel_; }
  const std::shared_ptr<ui::Label>& subtitleLabel() const { return subtitleLabel_; }
  const std::shared_ptr<ui::View>& ctaButtonView() const { return ctaButtonView_; }
  const std::shared_ptr<ui::Label>& ctaButtonTitleLabel() const { return ctaButtonTitleLabel_; }

 private:
  void setupViews();
  void activateConstraints();
  // The button's colours and title for the ad's state; the countdown replaces the title while it runs.
  base::AttributedString applyButtonState(const Ad& ad);
  void setTitleAndLayOut(base::AttributedString title);

  std::shared_ptr<VelkorDimension> dimension_;
  std::shared_ptr<VelkorColorScheme> colorScheme_;
  std::shared_ptr<ui::ImageView> markNewImageView_ = std::make_shared<ui::ImageView>();
  std::shared_ptr<ui::View> contentWrapper_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::ImageView> thumbImageView_ = std::make_shared<ui::ImageView>();
  std::shared_ptr<ui::View> bottomView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::View> leftView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::Label> titleLabel_ = std::make_shared<ui::Label>();
  std::shared_ptr<ui::Label> subtitleLabel_ = std::make_shared<ui::Label>();
  std::shared_ptr<ui::View> ctaButtonView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::Label> ctaButtonTitleLabel_ = std::make_shared<ui::Label>();
  std::vector<std::shared_ptr<ui::Constraint>> markConstraints_;
};

}  // namespace velkor
