#include "velkor/offerwall/pager/ofw_ad_resource_popup_item.h"

#include "platform/ui/constraint.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/offerwall/list/ofw_image_only_banner_item.h"

namespace velkor {

OfwAdResourcePopupItem::OfwAdResourcePopupItem()
    : dimension_(VelkorInternal::shared().dimension()), colorScheme_(VelkorInternal::shared().colorScheme()) {
  setUIAttributes();
  setLayoutConstraints();
}

void OfwAdResourcePopupItem::setUIAttributes() {
  const auto& d = *dimension_;
  const auto& c = *colorScheme_;
  contentView()->setBackgroundColor(c.adResourcePopupBackgroundColor());
  imageView_->setContentMode(ui::ContentMode::scaleAspectFill);
  titleLabel_->setFont(VelkorOfwText::boldFont(d.popupTitleTextSize()));
  titleLabel_->setTextColor(c.adResourcePopupTitleTextColor());
  subtitleLabel_->setFont(VelkorOfwText::regularFont(d.popupSubtitleTextSize()));
  subtitleLabel_->setTextColor(c.adResourcePopupSubtitleTextColor());
  dividerView_->setBackgroundColor(c.adResourcePopupDividerBackgroundColor());
  ctaButtonWrapperView_->setBackgroundColor(ui::Color::clear());
  ctaButton_->setTitleColor(c.adResourcePopupCTATextColor(), ui::ControlState::normal);
  ctaButton_->setTitleColor(c.adResourcePopupCTAHighlightedTextColor(), ui::ControlState::highlighted);
  ctaButton_->setBackgroundColor(c.adResourcePopupCTABackgroundColor());
  ctaButton_->titleLabel()->setFont(VelkorOfwText::boldFont(d.popupCTATextSize()));
  ctaButton_->setEnabled(false);
  ctaButton_->layer().setCornerRadius(d.popupCTACornerRadius());
}

void OfwAdResourcePopupItem::setLayoutConstraints() {
  const auto& content = contentView();
  for (const auto& view : std::vector<std::shared_ptr<ui::View>>{imageView_, titleLabel_, subtitleLabel_, dividerView_,
                                                                  ctaButtonWrapperView_}) {
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    content->addSubview(view);
  }
  ctaButton_->setTranslatesAutoresizingMaskIntoConstraints(false);
  ctaButtonWrapperView_->addSubview(ctaButton_);
  const auto& d = *dimension_;
  ui::Constraint::activate({
      imageView_->heightAnchor().constraintEqualTo(imageView_->widthAnchor(), 0.5, 0),
      imageView_->topAnchor().constraintEqualTo(content->topAnchor()),
      imageView_->leadingAnchor().constraintEqualTo(content->leadingAnchor()),
      imageView_->trailingAnchor().constraintEqualTo(content->trailingAnchor()),
      titleLabel_->topAnchor().constraintEqualTo(imageView_->bottomAnchor(), d.popupTitleLabelTopSpacing()),
      titleLabel_->leadingAnchor().constraintEqualTo(content->leadingAnchor(), d.popupTitleLeftMargin()),
      titleLabel_->trailingAnchor().constraintLessThanOrEqualTo(content->trailingAnchor(), -d.popupTitleRightMargin()),
      subtitleLabel_->topAnchor().constraintEqualTo(titleLabel_->bottomAnchor(), d.popupSubtitleTopSpacing()),
      subtitleLabel_->leadingAnchor().constraintEqualTo(titleLabel_->leadingAnchor()),
      subtitleLabel_->trailingAnchor().constraintLessThanOrEqualTo(content->trailingAnchor(),
                                                                   -d.popupSubtitleRightMargin()),
      dividerView_->heightAnchor().constraintEqualToConstant(d.popupDividerViewHeight()),
      dividerView_->topAnchor().constraintEqualTo(subtitleLabel_->bottomAnchor(), d.popupDividerViewTopSpacing()),
      dividerView_->leadingAnchor().constraintEqualTo(content->leadingAnchor(), d.popupDividerViewLeftMargin()),
      dividerView_->trailingAnchor().constraintEqualTo(content->trailingAnchor(), -d.popupDividerViewRightMargin()),
      ctaButtonWrapperView_->topAnchor().constraintEqualTo(dividerView_->bottomAnchor(),
                                                           d.popupCTAButtonWrapperViewTopMargin()),
      ctaButtonWrapperView_->leadingAnchor().constraintEqualTo(content->leadingAnchor(),
                                                               d.popupCTAButtonWrapperViewLeftMargin()),
      ctaButtonWrapperView_->bottomAnchor().constraintEqualTo(content->bottomAnchor(),
                                                              -d.popupCTAButtonWrapperViewBottomMargin()),
      ctaButtonWrapperView_->trailingAnchor().constraintEqualTo(content->trailingAnchor(),
                                                                -d.popupCTAButtonWrapperViewRightMargin()),
      ctaButton_->heightAnchor().constraintEqualToConstant(d.popupCTAButtonHeight()),
      ctaButton_->centerYAnchor().constraintEqualTo(ctaButtonWrapperView_->centerYAnchor()),
      ctaButton_->leadingAnchor().constraintEqualTo(ctaButtonWrapperView_->leadingAnchor()),
      ctaButton_->trailingAnchor().constraintEqualTo(ctaButtonWrapperView_->trailingAnchor()),
  });
}

void OfwAdResourcePopupItem::configure(const std::optional<std::string>& title,
                                       const std::optional<base::AttributedString>& subtitle,
                                       const std::optional<std::string>& buttonText,
                                       const std::optional<std::string>& imageUrl) {
  titleLabel_->setText(title.value_or(""));
  subtitleLabel_->setAttributedText(subtitle.value_or(base::AttributedString()));
  const bool hasText = buttonText && !buttonText->empty();
  ctaButton_->setTitle(hasText ? *buttonText : std::string(kDefaultButtonText), ui::ControlState::normal);
  loadBannerImage(imageView_, imageUrl);
}

}  // namespace velkor
