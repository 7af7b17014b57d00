#include "velkor/offerwall/rows/ofw_feed_item_cell.h"

#include <vector>

#include "velkor/appearance/hex_color.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/model/reward_type.h"
#include "velkor/offerwall/rows/countdown_text.h"
#include "velkor/offerwall/rows/feed_card.h"
#include "velkor/offerwall/rows/row_binding.h"
#include "velkor/offerwall/rows/row_style.h"

namespace velkor {
namespace {

constexpr double kRewardGap = 2.0;
// The reward column's fixed insets give way to the theme's paddings when the two disagree.
constexpr ui::LayoutPriority kFixedInsetPriority = 999;

std::shared_ptr<ui::Constraint> yielding(std::shared_ptr<ui::Constraint> constraint) {
  constraint->setPriority(kFixedInsetPriority);
  return constraint;
}

}  // namespace

OfwFeedItemCell::OfwFeedItemCell() {
  setupViews();
}

void OfwFeedItemCell::setupViews() {
  const auto& d = *dimension_;
  const auto& c = *colorScheme_;
  styleCardShadow(*contentWrapper_);
  markNewImageView_->setImage(bundleImage("ico-mark-new"));
  markNewImageView_->setHidden(true);
  bottomView_->setBackgroundColor(c.listItemBackgroundColor());
  titleLabel_->setFont(VelkorOfwText::listItemTitleFont().instance(d.listItemTitleTextSize()));
  subtitleLabel_->setFont(VelkorOfwText::listItemSubtitleFont().instance(d.listItemSubtitleTextSize()));
  rewardNameLabel_->setFont(VelkorOfwText::listItemRewardNameFont().instance(d.rewardNameTextSize()));
  rewardNameLabel_->setTextAlignment(ui::TextAlignment::right);
  rewardTextLabel_->setFont(VelkorOfwText::listItemRewardTextFont().instance(d.rewardTextSize()));
  rewardTextLabel_->setTextAlignment(ui::TextAlignment::right);
  styleInfoOverlay(*infoView_, c.infoViewBackgroundColor(), *infoContentStackView_, *infoIconView_, *infoTitleLabel_,
                   ui::LayoutAxis::vertical);
  infoContentStackView_->addArrangedSubview(infoIconView_);
  infoContentStackView_->addArrangedSubview(infoTitleLabel_);

  contentView()->addSubview(contentWrapper_);
  contentWrapper_->addSubview(markNewImageView_);
  contentWrapper_->addSubview(thumbImageView_);
  contentWrapper_->addSubview(bottomView_);
  bottomView_->addSubview(leftView_);
  leftView_->addSubview(titleLabel_);
  leftView_->addSubview(subtitleLabel_);
  bottomView_->addSubview(rightView_);
  rightView_->addSubview(rewardNameLabel_);
  rightView_->addSubview(rewardTextLabel_);
  thumbImageView_->addSubview(infoView_);
  infoView_->addSubview(infoContentStackView_);
  for (const auto& view : std::vector<std::shared_ptr<ui::View>>{
           contentWrapper_, markNewImageView_, thumbImageView_, bottomView_, leftView_, titleLabel_, subtitleLabel_,
           rightView_, rewardNameLabel_, rewardTextLabel_, infoView_, infoIconView_, infoTitleLabel_,
           infoContentStackView_}) {
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
  }
  contentWrapper_->bringSubviewToFront(*markNewImageView_);
  activateConstraints();
}

void OfwFeedItemCell::activateConstraints() {
  const auto& d = *dimension_;
  const auto& content = contentView();
  rewardGap_ = rewardTextLabel_->topAnchor().constraintEqualTo(rewardNameLabel_->bottomAnchor(), kRewardGap);
  rewardNameHold_ = rewardNameLabel_->heightAnchor().constraintEqualToConstant(0);
  ui::Constraint::activate({
      markNewImageView_->trailingAnchor().constraintEqualTo(contentWrapper_->trailingAnchor(), -14.0),
      markNewImageView_->centerYAnchor().constraintEqualTo(thumbImageView_->bottomAnchor()),
      markNewImageView_->widthAnchor().constraintEqualToConstant(20.0),
      markNewImageView_->heightAnchor().constraintEqualTo(markNewImageView_->widthAnchor()),
      contentWrapper_->topAnchor().constraintEqualTo(content->topAnchor()),
      contentWrapper_->leadingAnchor().constraintEqualTo(content->leadingAnchor(), d.listItemLeftMargin()),
      contentWrapper_->trailingAnchor().constraintEqualTo(content->trailingAnchor(), -d.listItemRightMargin()),
      contentWrapper_->bottomAnchor().constraintLessThanOrEqualTo(content->bottomAnchor(), -d.listItemBottomMargin()),
      thumbImageView_->topAnchor().constraintEqualTo(contentWrapper_->topAnchor()),
      thumbImageView_->leadingAnchor().constraintEqualTo(contentWrapper_->leadingAnchor()),
      thumbImageView_->trailingAnchor().constraintEqualTo(contentWrapper_->trailingAnchor()),
      thumbImageView_->bottomAnchor().constraintEqualTo(bottomView_->topAnchor()),
      thumbImageView_->widthAnchor().constraintEqualTo(thumbImageView_->heightAnchor(), 2.0, 0),
      bottomView_->leadingAnchor().constraintEqualTo(contentWrapper_->leadingAnchor()),
      bottomView_->trailingAnchor().constraintEqualTo(contentWrapper_->trailingAnchor()),
      bottomView_->bottomAnchor().constraintEqualTo(contentWrapper_->bottomAnchor()),
      bottomView_->heightAnchor().constraintEqualToConstant(d.listItemBottomViewHeight()),
      leftView_->centerYAnchor().constraintEqualTo(rightView_->centerYAnchor()),
      leftView_->leadingAnchor().constraintEqualTo(bottomView_->leadingAnchor(), d.bottomViewLeftPadding()),
      leftView_->topAnchor().constraintEqualTo(bottomView_->topAnchor(), d.bottomViewTopPadding()),
      leftView_->trailingAnchor().constraintLessThanOrEqualTo(rightView_->leadingAnchor(),
                                                              -d.gapBetweenTextAndCtaButton()),
      leftView_->bottomAnchor().constraintEqualTo(bottomView_->bottomAnchor(), -d.bottomViewBottomPadding()),
      titleLabel_->topAnchor().constraintEqualTo(leftView_->topAnchor()),
      titleLabel_->leadingAnchor().constraintEqualTo(leftView_->leadingAnchor()),
      titleLabel_->trailingAnchor().constraintEqualTo(leftView_->trailingAnchor()),
      subtitleLabel_->topAnchor().constraintEqualTo(titleLabel_->bottomAnchor(), d.textGap()),
      subtitleLabel_->leadingAnchor().constraintEqualTo(leftView_->leadingAnchor()),
      subtitleLabel_->trailingAnchor().constraintEqualTo(leftView_->trailingAnchor()),
      subtitleLabel_->bottomAnchor().constraintEqualTo(leftView_->bottomAnchor()),
      yielding(rightView_->topAnchor().constraintEqualTo(bottomView_->topAnchor(), 15.0)),
      yielding(rightView_->leadingAnchor().constraintEqualTo(titleLabel_->trailingAnchor(), 10.0)),
      yielding(rightView_->leadingAnchor().constraintEqualTo(subtitleLabel_->trailingAnchor(), 10.0)),
      yielding(rightView_->trailingAnchor().constraintEqualTo(bottomView_->trailingAnchor(), -14.0)),
      yielding(rightView_->bottomAnchor().constraintEqualTo(bottomView_->bottomAnchor(), -15.0)),
      rewardNameLabel_->topAnchor().constraintEqualTo(rightView_->topAnchor()),
      rewardNameLabel_->trailingAnchor().constraintEqualTo(rightView_->trailingAnchor()),
      rewardGap_,
      rewardTextLabel_->leadingAnchor().constraintEqualTo(rightView_->leadingAnchor()),
      rewardTextLabel_->trailingAnchor().constraintEqualTo(rightView_->trailingAnchor()),
      rewardTextLabel_->bottomAnchor().constraintEqualTo(rightView_->bottomAnchor()),
      infoView_->topAnchor().constraintEqualTo(thumbImageView_->topAnchor()),
      infoView_->leadingAnchor().constraintEqualTo(thumbImageView_->leadingAnchor()),
      infoView_->trailingAnchor().constraintEqualTo(thumbImageView_->trailingAnchor()),
      infoView_->bottomAnchor().constraintEqualTo(thumbImageView_->bottomAnchor()),
      infoContentStackView_->centerXAnchor().constraintEqualTo(infoView_->centerXAnchor()),
      infoContentStackView_->centerYAnchor().constraintEqualTo(infoView_->centerYAnchor()),
  });
}

void OfwFeedItemCell::layoutSubviews() {
  ui::TableViewCell::layoutSubviews();
  contentWrapper_->setNeedsLayout();
  contentWrapper_->layoutIfNeeded();
  infoView_->setClipsToBounds(true);
  shapeCard(*thumbImageView_, *bottomView_);
}

void OfwFeedItemCell::prepareForReuse() {
  ui::TableViewCell::prepareForReuse();
  bottomView_->setBackgroundColor(currentColorScheme()->listItemBackgroundColor());
}

void OfwFeedItemCell::showRewardName(bool shown, double gap) {
  rewardNameLabel_->setHidden(!shown);
  rewardNameHold_->setActive(!shown);
  rewardGap_->setConstant(gap);
}

void OfwFeedItemCell::applyRewardColors() {
  const ui::Color color = currentColorScheme()->listItemRewardTextColor();
  rewardTextLabel_->setTextColor(color);
  rewardNameLabel_->setTextColor(color);
}

void OfwFeedItemCell::applyCallToActionState(const Ad& ad) {
  if (ad.isCallToActionEnabled()) {
    bottomView_->setBackgroundColor(currentColorScheme()->listItemBackgroundColor());
    infoView_->setHidden(true);
    return;
  }
  bottomView_->setBackgroundColor(colorFromHex("#adb5bd", 1.0));
  infoView_->setHidden(false);
  infoIconView_->setImage(infoIcon(ad));
  infoTitleLabel_->setAttributedText(base::AttributedString(
      plainText(ad, ad.callToAction), textAttributes(colorFromHex("#ffffff", 1.0), gothicBold(18.0))));
}

void OfwFeedItemCell::updateCell(const Ad& ad) {
  loadAdImage(thumbImageView_, ad.thumbImage);
  const auto scheme = currentColorScheme();
  titleLabel_->setText(plainText(ad, ad.title));
  titleLabel_->setTextColor(scheme->listItemTitleTextColor());
  subtitleLabel_->setText(shortSubtitleOrInvitation(ad));
  subtitleLabel_->setTextColor(scheme->listItemSubtitleTextColor());
  markNewImageView_->setHidden(true);

  if (ad.newBadge == 1) markNewImageView_->setHidden(false);
  const FullRewardForm reward = fullRewardForm(ad);
  showRewardName(reward.nameShown, reward.nameShown ? kRewardGap : 0);
  if (reward.nameShown) rewardNameLabel_->setText(reward.name);
  rewardTextLabel_->setText(reward.text);
  rewardTextLabel_->setFont(gothicBold(reward.nameShown ? 16.0 : 18.0));
  applyRewardColors();
  applyCallToActionState(ad);
  if (countdownApplies(ad, ad.callToAction.value_or(""))) updateStatus(ad);
}

void OfwFeedItemCell::updateStatus(const Ad& ad) {
  if (ad.newBadge == 1) markNewImageView_->setHidden(false);
  const RewardType primary = RewardType::primary();
  const bool nameShown = primary.unit != primary.name;
  rewardNameLabel_->setHidden(!nameShown);
  rewardNameHold_->setActive(!nameShown);
  rewardNameLabel_->setText(ad.rewardType().name);
  rewardTextLabel_->setText(ad.getRewardUnitStr());
  applyRewardColors();
  applyCallToActionState(ad);
  if (countdownApplies(ad, ad.callToAction.value_or(""))) {
    infoTitleLabel_->setAttributedText(makeFeedRemainingTimeText(ad));
  }
}

}  // namespace velkor
