#include "velkor/offerwall/list/ofw_ad_resource_banner_item.h"

#include "platform/ui/constraint.h"
#include "velkor/appearance/hex_color.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/offerwall/list/ofw_image_only_banner_item.h"

namespace velkor {

OfwAdResourceBannerItem::OfwAdResourceBannerItem()
    : colorScheme_(VelkorInternal::shared().colorScheme()), dimension_(VelkorInternal::shared().dimension()) {
  setUIAttributes();
  setLayoutConstraints();
}

void OfwAdResourceBannerItem::setUIAttributes() {
  imageView_->setContentMode(ui::ContentMode::scaleAspectFill);
  labelStackView_->setAxis(ui::LayoutAxis::vertical);
  labelStackView_->setAlignment(ui::StackView::Alignment::leading);
  labelStackView_->setSpacing(4);
  titleLabel_->setFont(VelkorOfwText::boldFont(dimension_->bannerTitleTextSize()));
  titleLabel_->setTextColor(colorScheme_->adResourceBannerTitleTextColor());
  subtitleLabel_->setFont(VelkorOfwText::regularFont(dimension_->bannerSubtitleTextSize()));
  subtitleLabel_->setTextColor(colorScheme_->adResourceBannerSubtitleTextColor());
}

void OfwAdResourceBannerItem::setLayoutConstraints() {
  const auto& content = contentView();
  for (const auto& view : std::vector<std::shared_ptr<ui::View>>{imageView_, labelStackView_}) {
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    content->addSubview(view);
  }
  labelStackView_->addArrangedSubview(titleLabel_);
  labelStackView_->addArrangedSubview(subtitleLabel_);
  ui::Constraint::activate({
      imageView_->widthAnchor().constraintEqualToConstant(62),
      imageView_->heightAnchor().constraintEqualTo(imageView_->widthAnchor()),
      imageView_->centerYAnchor().constraintEqualTo(content->centerYAnchor()),
      imageView_->leadingAnchor().constraintEqualTo(content->leadingAnchor(), 8),
      labelStackView_->centerYAnchor().constraintEqualTo(content->centerYAnchor()),
      labelStackView_->topAnchor().constraintGreaterThanOrEqualTo(content->topAnchor(), 18),
      labelStackView_->leadingAnchor().constraintEqualTo(imageView_->trailingAnchor(), 4),
      labelStackView_->bottomAnchor().constraintLessThanOrEqualTo(content->bottomAnchor(), -18),
      labelStackView_->trailingAnchor().constraintLessThanOrEqualTo(content->trailingAnchor(), -8),
  });
}

void OfwAdResourceBannerItem::configure(const std::string& backgroundColor, const std::optional<std::string>& title,
                                        const std::optional<base::AttributedString>& subtitle,
                                        const std::optional<std::string>& imageUrl) {
  contentView()->setBackgroundColor(colorFromHex(backgroundColor, 1.0));
  titleLabel_->setText(title.value_or(""));
  subtitleLabel_->setAttributedText(subtitle.value_or(base::AttributedString()));
  loadBannerImage(imageView_, imageUrl);
}

}  // namespace velkor
