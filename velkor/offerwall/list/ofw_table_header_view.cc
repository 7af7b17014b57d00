#include "velkor/offerwall/list/ofw_table_header_view.h"

#include <vector>

#include "platform/ui/constraint.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/resources/resource_bundle.h"

namespace velkor {

OfwTableHeaderView::OfwTableHeaderView()
    : colorScheme_(VelkorInternal::shared().colorScheme()), dimension_(VelkorInternal::shared().dimension()) {}

void OfwTableHeaderView::commonInit() {
  setUIAttributes();
  setUILayout();
}

void OfwTableHeaderView::setUILayout() {
  for (const auto& view : std::vector<std::shared_ptr<ui::View>>{
           tagListWrapper_, additionalSpacer_, tagListView_, orderView_, totalRewardLabel_, orderButtonContainerView_,
           orderButtonTextLabel_, orderButtonImageView_}) {
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
  }
  addSubview(tagListWrapper_);
  tagListWrapper_->addArrangedSubview(additionalSpacer_);
  tagListWrapper_->addArrangedSubview(tagListView_);
  addSubview(orderView_);
  orderView_->addSubview(totalRewardLabel_);
  orderView_->addSubview(orderButtonContainerView_);
  orderButtonContainerView_->addSubview(orderButtonTextLabel_);
  orderButtonContainerView_->addSubview(orderButtonImageView_);

  // Just below required: a hidden spacer or strip collapses in its stack without a conflict.
  auto spacerHeight = additionalSpacer_->heightAnchor().constraintEqualToConstant(dimension_->additionalSpacerHeight());
  auto stripHeight = tagListView_->heightAnchor().constraintGreaterThanOrEqualToConstant(45);
  spacerHeight->setPriority(999);
  stripHeight->setPriority(999);
  ui::Constraint::activate({
      tagListWrapper_->topAnchor().constraintEqualTo(topAnchor()),
      tagListWrapper_->leadingAnchor().constraintEqualTo(leadingAnchor()),
      tagListWrapper_->trailingAnchor().constraintEqualTo(trailingAnchor()),
      spacerHeight,
      stripHeight,
  });
  // The bar sits 6 below the chips, or 6 below the top while they are hidden.
  auto belowWrapper = orderView_->topAnchor().constraintGreaterThanOrEqualTo(tagListWrapper_->bottomAnchor(), 6);
  auto belowTop = orderView_->topAnchor().constraintGreaterThanOrEqualTo(topAnchor(), 6);
  belowWrapper->setPriority(999);
  belowTop->setPriority(999);
  ui::Constraint::activate({
      orderView_->heightAnchor().constraintEqualToConstant(28),
      belowWrapper,
      belowTop,
      orderView_->leadingAnchor().constraintEqualTo(leadingAnchor()),
      orderView_->trailingAnchor().constraintEqualTo(trailingAnchor()),
      orderView_->bottomAnchor().constraintEqualTo(bottomAnchor(), -6),
      totalRewardLabel_->centerYAnchor().constraintEqualTo(orderView_->centerYAnchor()),
      totalRewardLabel_->topAnchor().constraintGreaterThanOrEqualTo(orderView_->topAnchor()),
      totalRewardLabel_->leadingAnchor().constraintEqualTo(orderView_->leadingAnchor(), 20),
      totalRewardLabel_->bottomAnchor().constraintLessThanOrEqualTo(orderView_->bottomAnchor()),
      orderButtonContainerView_->topAnchor().constraintEqualTo(orderView_->topAnchor()),
      orderButtonContainerView_->trailingAnchor().constraintEqualTo(orderView_->trailingAnchor(), -20),
      orderButtonContainerView_->bottomAnchor().constraintEqualTo(orderView_->bottomAnchor()),
      orderButtonTextLabel_->centerYAnchor().constraintEqualTo(orderButtonContainerView_->centerYAnchor()),
      orderButtonTextLabel_->leadingAnchor().constraintEqualTo(orderButtonContainerView_->leadingAnchor()),
      orderButtonTextLabel_->trailingAnchor().constraintEqualTo(orderButtonImageView_->leadingAnchor(), -2),
      orderButtonImageView_->widthAnchor().constraintEqualToConstant(12),
      orderButtonImageView_->heightAnchor().constraintEqualTo(orderButtonImageView_->widthAnchor()),
      orderButtonImageView_->centerYAnchor().constraintEqualTo(orderButtonContainerView_->centerYAnchor(), -1),
      orderButtonImageView_->trailingAnchor().constraintEqualTo(orderButtonContainerView_->trailingAnchor()),
  });
  totalRewardLabel_->setContentHuggingPriority(1000, ui::LayoutAxis::horizontal);
  orderButtonContainerView_->setContentHuggingPriority(1000, ui::LayoutAxis::horizontal);
}

void OfwTableHeaderView::setUIAttributes() {
  const VelkorDimension& d = *dimension_;
  const VelkorColorScheme& c = *colorScheme_;
  tagListWrapper_->setAxis(ui::LayoutAxis::vertical);
  ANTagListView& tags = *tagListView_;
  tags.setBackgroundColor(ui::Color::clear());
  tags.setTagListViewVerticalPadding(d.tagListViewVerticalPadding());
  tags.setTagListViewHorizontalPadding(d.tagListViewHorizontalPadding());
  tags.setTextFont(VelkorOfwText::tagItemTextFont().instance(d.tagItemTextSize()));
  tags.setSelectedTextFont(VelkorOfwText::selectedTagItemTextFont().instance(d.tagItemTextSize()));
  tags.setTextColor(c.tagItemTextNormalColor());
  tags.setSelectedTextColor(c.tagItemTextSelectedColor());
  tags.setTagBackgroundColor(c.tagItemNormalColor());
  tags.setTagSelectedBackgroundColor(c.tagItemSelectedColor());
  tags.setBorderWidth(d.tagItemBorderWidth());
  // One border colour for both states: there is no key of its own for the selected chip's border.
  tags.setSelectedBorderColor(c.tagItemBorderNormalColor());
  tags.setBorderColor(c.tagItemBorderNormalColor());
  tags.setPaddingY(d.tagItemVerticalPadding());
  tags.setPaddingX(d.tagItemHorizontalPadding());
  // The horizontal gap reads the row-gap key, as publishers' themes expect.
  tags.setMarginX(d.tagItemRowGap());
  tags.setMarginY(d.tagItemColumnGap());
  tags.setCornerRadius(d.tagCornerRadius());
  totalRewardLabel_->setFont(VelkorOfwText::totalRewardTextFont().instance(13));
  totalRewardLabel_->setTextColor(c.totalRewardTextColor());
  orderButtonTextLabel_->setText("추천순");
  orderButtonTextLabel_->setTextAlignment(ui::TextAlignment::right);
  orderButtonTextLabel_->setFont(VelkorOfwText::orderButtonTextFont().instance(13));
  orderButtonTextLabel_->setTextColor(c.orderButtonTextColor());
  orderButtonImageView_->setImage(ui::Image::named("ic_dropdown_arrow", resourceBundle()));
}

}  // namespace velkor
