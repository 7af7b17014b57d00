#include "velkor/offerwall/rows/ofw_list_item_cell.h"

#include "velkor/appearance/hex_color.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/offerwall/rows/countdown_text.h"
#include "velkor/offerwall/rows/row_binding.h"
#include "velkor/offerwall/rows/row_style.h"

namespace velkor {

OfwListItemCell::OfwListItemCell() {
  setUIAttributes();
  setLayoutConstraints();
}

void OfwListItemCell::setUIAttributes() {
  const auto& d = *dimension_;
  const auto& c = *colorScheme_;
  contentWrapper_->setBackgroundColor(c.listItemViewBackgroundColor());
  markNewImageView_->setImage(bundleImage("ico-mark-new"));
  markNewImageView_->setHidden(true);
  separatorView_->setBackgroundColor(c.listItemSeparatorColor());
  thumbImageView_->layer().setCornerRadius(d.listItemThumbImageViewRadius());
  thumbImageView_->layer().setBorderWidth(d.listItemThumbImageBorderWidth());
  thumbImageView_->setClipsToBounds(true);
  titleLabel_->setFont(VelkorOfwText::listItemTitleFont().instance(d.listItemTitleTextSize()));
  titleLabel_->setTextColor(c.listItemTitleTextColor());
  subtitleLabel_->setFont(VelkorOfwText::listItemSubtitleFont().instance(d.listItemSubtitleTextSize()));
  subtitleLabel_->setTextColor(c.listItemSubtitleTextColor());
  rewardButtonView_->setBackgroundColor(c.listItemCtaButtonEnableColor());
  rewardButtonView_->layer().setCornerRadius(d.listItemRewardButtonBorderRadius());
  rewardButtonTitleLabel_->setTextColor(c.listItemRewardButtonTitleTextColor());
  rewardButtonTitleLabel_->setFont(VelkorOfwText::listItemRewardTextFont().instance(d.rewardButtonTitleTextSize()));
  styleInfoOverlay(*infoView_, c.infoViewBackgroundColor(), *infoContentStackView_, *infoIconView_, *infoTitleLabel_,
                   ui::LayoutAxis::horizontal);
}

void OfwListItemCell::setLayoutConstraints() {
  const auto& d = *dimension_;
  const auto& content = contentView();
  content->addSubview(contentWrapper_);
  for (const auto& view : std::vector<std::shared_ptr<ui::View>>{markNewImageView_, separatorView_, thumbImageView_,
                                                                 leftView_, rewardButtonView_, infoView_}) {
    contentWrapper_->addSubview(view);
  }
  leftView_->addSubview(titleLabel_);
  leftView_->addSubview(subtitleLabel_);
  rewardButtonView_->addSubview(rewardButtonTitleLabel_);
  infoView_->addSubview(infoContentStackView_);
  infoContentStackView_->addArrangedSubview(infoIconView_);
  infoContentStackView_->addArrangedSubview(infoTitleLabel_);
  for (const auto& view : std::vector<std::shared_ptr<ui::View>>{
           markNewImageView_, contentWrapper_, separatorView_, thumbImageView_, leftView_, titleLabel_, subtitleLabel_,
           rewardButtonView_, rewardButtonTitleLabel_, infoView_, infoContentStackView_, infoIconView_,
           infoTitleLabel_}) {
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
  }
  contentWrapper_->bringSubviewToFront(*markNewImageView_);
  ui::Constraint::activate({
      contentWrapper_->topAnchor().constraintEqualTo(content->topAnchor()),
      contentWrapper_->leadingAnchor().constraintEqualTo(content->leadingAnchor()),
      contentWrapper_->bottomAnchor().constraintEqualTo(content->bottomAnchor()),
      contentWrapper_->trailingAnchor().constraintEqualTo(content->trailingAnchor()),
      separatorView_->heightAnchor().constraintEqualToConstant(d.listItemSeparatorHeight()),
      separatorView_->leadingAnchor().constraintEqualTo(contentWrapper_->leadingAnchor(),
                                                        d.listItemSeparatorLeftMargin()),
      separatorView_->topAnchor().constraintEqualTo(contentWrapper_->topAnchor()),
      separatorView_->trailingAnchor().constraintEqualTo(contentWrapper_->trailingAnchor(),
                                                         -d.listItemSeparatorRightMargin()),
      thumbImageView_->centerYAnchor().constraintEqualTo(contentWrapper_->centerYAnchor()),
      thumbImageView_->widthAnchor().constraintEqualToConstant(d.listItemThumbnailWidth()),
      thumbImageView_->heightAnchor().constraintEqualTo(thumbImageView_->widthAnchor()),
      thumbImageView_->leadingAnchor().constraintEqualTo(contentWrapper_->leadingAnchor(), d.listItemLeftPadding()),
      leftView_->centerYAnchor().constraintEqualTo(contentWrapper_->centerYAnchor()),
      leftView_->leadingAnchor().constraintEqualTo(thumbImageView_->trailingAnchor(),
                                                   d.listItemThumbnailImageRightMargin()),
      leftView_->topAnchor().constraintGreaterThanOrEqualTo(contentWrapper_->topAnchor()),
      leftView_->bottomAnchor().constraintLessThanOrEqualTo(contentWrapper_->bottomAnchor()),
      titleLabel_->topAnchor().constraintEqualTo(leftView_->topAnchor()),
      titleLabel_->leadingAnchor().constraintEqualTo(leftView_->leadingAnchor()),
      titleLabel_->trailingAnchor().constraintLessThanOrEqualTo(leftView_->trailingAnchor()),
      subtitleLabel_->topAnchor().constraintGreaterThanOrEqualTo(titleLabel_->bottomAnchor(), d.textGap()),
      subtitleLabel_->leadingAnchor().constraintEqualTo(leftView_->leadingAnchor()),
      subtitleLabel_->trailingAnchor().constraintLessThanOrEqualTo(leftView_->trailingAnchor()),
      subtitleLabel_->bottomAnchor().constraintEqualTo(leftView_->bottomAnchor()),
      rewardButtonView_->centerYAnchor().constraintEqualTo(contentWrapper_->centerYAnchor()),
      rewardButtonView_->widthAnchor().constraintEqualToConstant(d.rewardButtonViewWidth()),
      rewardButtonView_->heightAnchor().constraintEqualToConstant(d.rewardButtonViewHeight()),
      rewardButtonView_->leadingAnchor().constraintGreaterThanOrEqualTo(leftView_->trailingAnchor(),
                                                                        d.gapBetweenTextAndCtaButton()),
      rewardButtonView_->trailingAnchor().constraintEqualTo(contentWrapper_->trailingAnchor(),
                                                            -d.listItemRightPadding()),
      rewardButtonTitleLabel_->centerXAnchor().constraintEqualTo(rewardButtonView_->centerXAnchor()),
      rewardButtonTitleLabel_->centerYAnchor().constraintEqualTo(rewardButtonView_->centerYAnchor(),
                                                                 d.centerYSpacing()),
      infoView_->leadingAnchor().constraintEqualTo(contentWrapper_->leadingAnchor()),
      infoView_->topAnchor().constraintEqualTo(contentWrapper_->topAnchor()),
      infoView_->trailingAnchor().constraintEqualTo(contentWrapper_->trailingAnchor()),
      infoView_->bottomAnchor().constraintEqualTo(contentWrapper_->bottomAnchor()),
      infoIconView_->widthAnchor().constraintEqualToConstant(d.infoIconViewWidth()),
      infoIconView_->heightAnchor().constraintEqualTo(infoIconView_->widthAnchor()),
      infoContentStackView_->centerXAnchor().constraintEqualTo(infoView_->centerXAnchor()),
      infoContentStackView_->centerYAnchor().constraintEqualTo(infoView_->centerYAnchor()),
  });
}

void OfwListItemCell::setMarkNewImageViewLayout(bool isGone) {
  setMarkLayout(markNewImageView_, isGone, leftView_, markConstraints_, [this] {
    const auto& d = *dimension_;
    return std::vector<std::shared_ptr<ui::Constraint>>{
        markNewImageView_->centerYAnchor().constraintEqualTo(titleLabel_->centerYAnchor()),
        markNewImageView_->leadingAnchor().constraintEqualTo(titleLabel_->trailingAnchor(), d.markNewLeftMargin()),
        markNewImageView_->trailingAnchor().constraintLessThanOrEqualTo(rewardButtonView_->leadingAnchor(),
                                                                        -d.gapBetweenTextAndCtaButton()),
        markNewImageView_->widthAnchor().constraintEqualToConstant(d.markNewImageSize()),
        markNewImageView_->heightAnchor().constraintEqualTo(markNewImageView_->widthAnchor()),
    };
  });
}

void OfwListItemCell::layoutSubviews() {
  ui::TableViewCell::layoutSubviews();
  thumbImageView_->layer().setBorderColor(currentColorScheme()->listItemThumbImageBorderColor());
}

void OfwListItemCell::updateCell(const Ad& ad) {
  if (!ad.iconImage || !loadAdImage(thumbImageView_, *ad.iconImage)) thumbImageView_->setImage(bundleImage("temp_thumb"));
  titleLabel_->setText(plainText(ad, ad.title));
  titleLabel_->setTextColor(ui::Color::black());
  subtitleLabel_->setText(shortSubtitleOrInvitation(ad));
  subtitleLabel_->setTextColor(currentColorScheme()->listItemSubtitleColor());
  markNewImageView_->setHidden(true);
  updateStatus(ad);
}

void OfwListItemCell::updateStatus(const Ad& ad) {
  if (ad.newBadge == 1) setMarkNewImageViewLayout(false);
  rewardButtonTitleLabel_->setText(rewardTextWithoutName(ad));
  if (ad.isCallToActionEnabled()) {
    infoView_->setHidden(true);
  } else {
    const auto scheme = currentColorScheme();
    const auto dimension = currentDimension();
    infoView_->setHidden(false);
    infoIconView_->setImage(infoIcon(ad));
    infoTitleLabel_->setAttributedText(base::AttributedString(
        plainText(ad, ad.callToAction),
        textAttributes(scheme->infoTitleTextColor(),
                       VelkorOfwText::infoTitleTextFont().instance(dimension->listInfoTitleTextSize()))));
  }
  if (countdownApplies(ad, ad.callToAction.value_or(""))) {
    infoTitleLabel_->setAttributedText(makeInfoTitleRemainingTimeText(ad));
  }
}

}  // namespace velkor
