#include "velkor/offerwall/rows/ofw_cta_feed_item_cell.h"

#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/offerwall/rows/countdown_text.h"
#include "velkor/offerwall/rows/feed_card.h"
#include "velkor/offerwall/rows/row_style.h"

namespace velkor {

OfwCtaFeedItemCell::OfwCtaFeedItemCell() {
  setupViews();
}

void OfwCtaFeedItemCell::setupViews() {
  const auto& d = *dimension_;
  const auto& c = *colorScheme_;
  for (const auto& view : std::vector<std::shared_ptr<ui::View>>{
           contentWrapper_, markNewImageView_, thumbImageView_, bottomView_, leftView_, titleLabel_, subtitleLabel_,
           ctaButtonView_, ctaButtonTitleLabel_}) {
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
  }
  styleCardShadow(*contentWrapper_);
  markNewImageView_->setImage(bundleImage("ico-mark-new"));
  bottomView_->setBackgroundColor(c.listItemBackgroundColor());
  titleLabel_->setFont(VelkorOfwText::listItemTitleFont().instance(d.listItemTitleTextSize()));
  titleLabel_->setTextColor(c.listItemTitleColor());
  subtitleLabel_->setFont(VelkorOfwText::listItemSubtitleFont().instance(d.listItemSubtitleTextSize()));
  subtitleLabel_->setTextColor(c.listItemSubtitleColor());
  ctaButtonView_->layer().setCornerRadius(d.listItemCtaBorderRadius());
  ctaButtonView_->setBackgroundColor(c.primaryColor());
  ctaButtonTitleLabel_->setTextAlignment(ui::TextAlignment::center);
  ctaButtonTitleLabel_->setBackgroundColor(ui::Color::clear());
  ctaButtonTitleLabel_->setNumberOfLines(2);
  ctaButtonTitleLabel_->setFont(VelkorOfwText::listItemCtaButtonTextFont().instance(d.listItemCtaButtonTextSize()));

  contentView()->addSubview(contentWrapper_);
  contentWrapper_->addSubview(thumbImageView_);
  contentWrapper_->addSubview(bottomView_);
  bottomView_->addSubview(leftView_);
  leftView_->addSubview(titleLabel_);
  leftView_->addSubview(subtitleLabel_);
  bottomView_->addSubview(ctaButtonView_);
  ctaButtonView_->addSubview(ctaButtonTitleLabel_);
  activateConstraints();
}

void OfwCtaFeedItemCell::activateConstraints() {
  const auto& d = *dimension_;
  const auto& content = contentView();
  ui::Constraint::activate({
      contentWrapper_->topAnchor().constraintEqualTo(content->topAnchor()),
      contentWrapper_->leadingAnchor().constraintEqualTo(content->leadingAnchor(), d.listItemLeftMargin()),
      contentWrapper_->trailingAnchor().constraintEqualTo(content->trailingAnchor(), -d.listItemRightMargin()),
      contentWrapper_->bottomAnchor().constraintEqualTo(content->bottomAnchor(), -d.listItemBottomMargin()),
      thumbImageView_->topAnchor().constraintEqualTo(contentWrapper_->topAnchor()),
      thumbImageView_->leadingAnchor().constraintEqualTo(contentWrapper_->leadingAnchor()),
      thumbImageView_->trailingAnchor().constraintEqualTo(contentWrapper_->trailingAnchor()),
      thumbImageView_->bottomAnchor().constraintEqualTo(bottomView_->topAnchor()),
      thumbImageView_->heightAnchor().constraintEqualTo(thumbImageView_->widthAnchor(), thumbnailImageAspectRatio, 0),
      bottomView_->leadingAnchor().constraintEqualTo(contentWrapper_->leadingAnchor()),
      bottomView_->trailingAnchor().constraintEqualTo(contentWrapper_->trailingAnchor()),
      bottomView_->bottomAnchor().constraintEqualTo(contentWrapper_->bottomAnchor()),
      bottomView_->heightAnchor().constraintEqualToConstant(d.listItemBottomViewHeight()),
      leftView_->centerYAnchor().constraintEqualTo(ctaButtonView_->centerYAnchor()),
      leftView_->leadingAnchor().constraintEqualTo(bottomView_->leadingAnchor(), d.bottomViewLeftPadding()),
      leftView_->topAnchor().constraintGreaterThanOrEqualTo(bottomView_->topAnchor(), d.bottomViewTopPadding()),
      leftView_->trailingAnchor().constraintLessThanOrEqualTo(ctaButtonView_->leadingAnchor(),
                                                              -d.gapBetweenTextAndCtaButton()),
      leftView_->bottomAnchor().constraintLessThanOrEqualTo(bottomView_->bottomAnchor(), -d.bottomViewBottomPadding()),
      titleLabel_->topAnchor().constraintEqualTo(leftView_->topAnchor()),
      titleLabel_->leadingAnchor().constraintEqualTo(leftView_->leadingAnchor()),
      titleLabel_->trailingAnchor().constraintLessThanOrEqualTo(leftView_->trailingAnchor()),
      subtitleLabel_->topAnchor().constraintEqualTo(titleLabel_->bottomAnchor(), d.textGap()),
      subtitleLabel_->leadingAnchor().constraintEqualTo(leftView_->leadingAnchor()),
      subtitleLabel_->trailingAnchor().constraintLessThanOrEqualTo(leftView_->trailingAnchor()),
      subtitleLabel_->bottomAnchor().constraintEqualTo(leftView_->bottomAnchor()),
      ctaButtonView_->centerYAnchor().constraintEqualTo(bottomView_->centerYAnchor()),
      ctaButtonView_->trailingAnchor().constraintEqualTo(bottomView_->trailingAnchor(), -d.bottomViewRightPadding()),
      ctaButtonView_->widthAnchor().constraintEqualToConstant(d.ctaButtonWidth()),
      ctaButtonView_->heightAnchor().constraintGreaterThanOrEqualToConstant(d.ctaButtonHeight()),
      ctaButtonTitleLabel_->topAnchor().constraintEqualTo(
          ctaButtonView_->topAnchor(), d.listItemCtaButtonTopPadding() + ctaButtonTitleLabelTopAnchorConstant),
      ctaButtonTitleLabel_->leadingAnchor().constraintEqualTo(ctaButtonView_->leadingAnchor(),
                                                              d.listItemCtaButtonLeftPadding()),
      ctaButtonTitleLabel_->trailingAnchor().constraintEqualTo(ctaButtonView_->trailingAnchor(),
                                                               -d.listItemCtaButtonRightPadding()),
      ctaButtonTitleLabel_->bottomAnchor().constraintEqualTo(ctaButtonView_->bottomAnchor(),
                                                             -d.listItemCtaButtonBottomPadding()),
  });
}

void OfwCtaFeedItemCell::layoutSubviews() {
  ui::TableViewCell::layoutSubviews();
  contentWrapper_->setNeedsLayout();
  contentWrapper_->layoutIfNeeded();
  shapeCard(*thumbImageView_, *bottomView_);
}

void OfwCtaFeedItemCell::setMarkNewImageViewLayout(bool isGone) {
  setMarkLayout(markNewImageView_, isGone, leftView_, markConstraints_, [this] {
    const auto& d = *dimension_;
    return std::vector<std::shared_ptr<ui::Constraint>>{
        markNewImageView_->centerYAnchor().constraintEqualTo(titleLabel_->centerYAnchor(), -1.0),
        markNewImageView_->leadingAnchor().constraintEqualTo(titleLabel_->trailingAnchor(), 2.0),
        markNewImageView_->trailingAnchor().constraintLessThanOrEqualTo(ctaButtonView_->leadingAnchor(),
                                                                        -d.gapBetweenTextAndCtaButton()),
        markNewImageView_->widthAnchor().constraintEqualToConstant(d.markNewImageSize()),
        markNewImageView_->heightAnchor().constraintEqualTo(markNewImageView_->widthAnchor()),
    };
  });
}

base::AttributedString OfwCtaFeedItemCell::applyButtonState(const Ad& ad) {
  const auto scheme = currentColorScheme();
  const auto dimension = currentDimension();
  const bool enabled = ad.isCallToActionEnabled();
  const ui::Color textColor =
      enabled ? scheme->listItemCtaButtonTextEnableColor() : scheme->listItemCtaButtonTextDisableColor();
  base::AttributedString title(
      plainText(ad, ad.callToAction),
      textAttributes(textColor,
                     VelkorOfwText::listItemCtaButtonTextFont().instance(dimension->listItemCtaButtonTextSize())));
  ctaButtonView_->setBackgroundColor(enabled ? scheme->listItemCtaButtonEnableColor()
                                             : scheme->listItemCtaButtonDisableColor());
  ctaButtonTitleLabel_->setAttributedText(title);
  if (!countdownApplies(ad, ad.callToAction.value_or(""))) return title;
  title = makeCtaRemainingTimeText(ad);
  ctaButtonTitleLabel_->setAttributedText(title);
  return title;
}

void OfwCtaFeedItemCell::setTitleAndLayOut(base::AttributedString title) {
  ui::View::performWithoutAnimation([&] {
    ctaButtonTitleLabel_->setAttributedText(std::move(title));
    // A cell the table has not placed yet has no height of its own to lay out in; it is laid out
    // when placed.
    if (superview()) layoutIfNeeded();
  });
}

void OfwCtaFeedItemCell::updateCell(const Ad& ad) {
  if (!loadAdImage(thumbImageView_, ad.thumbImage)) thumbImageView_->setImage(bundleImage("temp_thumb"));
  titleLabel_->setAttributedText(ad.makeAttributedString(ad.title));
  markNewImageView_->setHidden(true);
  if (ad.newBadge == 1) setMarkNewImageViewLayout(false);
  subtitleLabel_->setAttributedText(ad.makeAttributedUnitString(ad.subtitle.value_or("")));
  applyButtonState(ad);
  if (countdownApplies(ad, ad.callToAction.value_or(""))) updateStatus(ad);
}

void OfwCtaFeedItemCell::updateStatus(const ItemBase& itemBase) {
  if (const auto* item = dynamic_cast<const AdItem*>(&itemBase)) {
    updateStatus(item->ad());
  } else {
    setTitleAndLayOut({});
  }
}

void OfwCtaFeedItemCell::updateStatus(const Ad& ad) {
  if (ad.newBadge == 1) markNewImageView_->setHidden(false);
  setTitleAndLayOut(applyButtonState(ad));
}

}  // namespace velkor
