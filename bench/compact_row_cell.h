// The compact list row cell built from plain views, for the layout benchmark: its thirteen views in
// their tree and the 38 constraints it activates in one batch. Texts and images are views with a
// natural size the caller sets, as a label's changes with its text. Sizes are the theme's defaults.
#pragma once

#include <memory>
#include <vector>

#include "platform/ui/constraint.h"
#include "platform/ui/view.h"

namespace bench {

using ui::Constraint;
using ui::Size;
using ui::View;

class SizedView : public View {
 public:
  explicit SizedView(Size natural) : natural_(natural) { setTranslatesAutoresizingMaskIntoConstraints(false); }
  Size intrinsicContentSize() const override { return natural_; }
  void setNatural(Size natural) {
    natural_ = natural;
    invalidateIntrinsicContentSize();
  }

 private:
  Size natural_;
};

struct CompactRowCell {
  // Default theme sizes.
  static constexpr double separatorHeight = 0.5, separatorMargin = 0, thumbnailWidth = 52, leftPadding = 16,
                          thumbnailRightMargin = 10, textGap = 2, rewardWidth = 80, rewardHeight = 40,
                          gapBetweenTextAndButton = 10, rightPadding = 16, centerYSpacing = 1, infoIconWidth = 24,
                          stackSpacing = 5;

  std::shared_ptr<View> contentView = std::make_shared<View>();
  std::shared_ptr<SizedView> markNewImageView = std::make_shared<SizedView>(Size{15, 15});
  std::shared_ptr<View> contentWrapper = std::make_shared<View>();
  std::shared_ptr<View> separatorView = std::make_shared<View>();
  std::shared_ptr<SizedView> thumbImageView = std::make_shared<SizedView>(Size{100, 100});
  std::shared_ptr<View> leftView = std::make_shared<View>();
  std::shared_ptr<SizedView> titleLabel = std::make_shared<SizedView>(Size{160, 16});
  std::shared_ptr<SizedView> subtitleLabel = std::make_shared<SizedView>(Size{90, 19});
  std::shared_ptr<View> rewardButtonView = std::make_shared<View>();
  std::shared_ptr<SizedView> rewardButtonTitleLabel = std::make_shared<SizedView>(Size{44, 17});
  std::shared_ptr<View> infoView = std::make_shared<View>();
  std::shared_ptr<View> infoContentStackView = std::make_shared<View>();
  std::shared_ptr<SizedView> infoIconView = std::make_shared<SizedView>(Size{20, 20});
  std::shared_ptr<SizedView> infoTitleLabel = std::make_shared<SizedView>(Size{60, 17});

  std::vector<std::shared_ptr<Constraint>> constraints;
  std::vector<std::shared_ptr<Constraint>> stackConstraints;

  CompactRowCell(double width, double height) {
    contentView->setFrame({0, 0, width, height});
    markNewImageView->setHidden(true);
    contentView->addSubview(contentWrapper);
    for (const auto& view : std::vector<std::shared_ptr<View>>{markNewImageView, separatorView, thumbImageView, leftView,
                                                              rewardButtonView, infoView}) {
      contentWrapper->addSubview(view);
    }
    leftView->addSubview(titleLabel);
    leftView->addSubview(subtitleLabel);
    rewardButtonView->addSubview(rewardButtonTitleLabel);
    infoView->addSubview(infoContentStackView);
    infoContentStackView->addSubview(infoIconView);
    infoContentStackView->addSubview(infoTitleLabel);
    for (const auto& view : views()) view->setTranslatesAutoresizingMaskIntoConstraints(false);
    contentWrapper->bringSubviewToFront(*markNewImageView);

    auto& cw = contentWrapper;
    constraints = {
        cw->topAnchor().constraintEqualTo(contentView->topAnchor()),
        cw->leadingAnchor().constraintEqualTo(contentView->leadingAnchor()),
        cw->bottomAnchor().constraintEqualTo(contentView->bottomAnchor()),
        cw->trailingAnchor().constraintEqualTo(contentView->trailingAnchor()),
        separatorView->heightAnchor().constraintEqualToConstant(separatorHeight),
        separatorView->leadingAnchor().constraintEqualTo(cw->leadingAnchor(), separatorMargin),
        separatorView->topAnchor().constraintEqualTo(cw->topAnchor()),
        separatorView->trailingAnchor().constraintEqualTo(cw->trailingAnchor(), -separatorMargin),
        thumbImageView->centerYAnchor().constraintEqualTo(cw->centerYAnchor()),
        thumbImageView->widthAnchor().constraintEqualToConstant(thumbnailWidth),
        thumbImageView->heightAnchor().constraintEqualTo(thumbImageView->widthAnchor()),
        thumbImageView->leadingAnchor().constraintEqualTo(cw->leadingAnchor(), leftPadding),
        leftView->centerYAnchor().constraintEqualTo(cw->centerYAnchor()),
        leftView->leadingAnchor().constraintEqualTo(thumbImageView->trailingAnchor(), thumbnailRightMargin),
        leftView->topAnchor().constraintGreaterThanOrEqualTo(cw->topAnchor()),
        leftView->bottomAnchor().constraintLessThanOrEqualTo(cw->bottomAnchor()),
        titleLabel->topAnchor().constraintEqualTo(leftView->topAnchor()),
        titleLabel->leadingAnchor().constraintEqualTo(leftView->leadingAnchor()),
        titleLabel->trailingAnchor().constraintLessThanOrEqualTo(leftView->trailingAnchor()),
        subtitleLabel->topAnchor().constraintGreaterThanOrEqualTo(titleLabel->bottomAnchor(), textGap),
        subtitleLabel->leadingAnchor().constraintEqualTo(leftView->leadingAnchor()),
        subtitleLabel->trailingAnchor().constraintLessThanOrEqualTo(leftView->trailingAnchor()),
        subtitleLabel->bottomAnchor().constraintEqualTo(leftView->bottomAnchor()),
        rewardButtonView->centerYAnchor().constraintEqualTo(cw->centerYAnchor()),
        rewardButtonView->widthAnchor().constraintEqualToConstant(rewardWidth),
        rewardButtonView->heightAnchor().constraintEqualToConstant(rewardHeight),
        rewardButtonView->leadingAnchor().constraintGreaterThanOrEqualTo(leftView->trailingAnchor(),
                                                                         gapBetweenTextAndButton),
        rewardButtonView->trailingAnchor().constraintEqualTo(cw->trailingAnchor(), -rightPadding),
        rewardButtonTitleLabel->centerXAnchor().constraintEqualTo(rewardButtonView->centerXAnchor()),
        rewardButtonTitleLabel->centerYAnchor().constraintEqualTo(rewardButtonView->centerYAnchor(), centerYSpacing),
        infoView->leadingAnchor().constraintEqualTo(cw->leadingAnchor()),
        infoView->topAnchor().constraintEqualTo(cw->topAnchor()),
        infoView->trailingAnchor().constraintEqualTo(cw->trailingAnchor()),
        infoView->bottomAnchor().constraintEqualTo(cw->bottomAnchor()),
        infoIconView->widthAnchor().constraintEqualToConstant(infoIconWidth),
        infoIconView->heightAnchor().constraintEqualTo(infoIconView->widthAnchor()),
        infoContentStackView->centerXAnchor().constraintEqualTo(infoView->centerXAnchor()),
        infoContentStackView->centerYAnchor().constraintEqualTo(infoView->centerYAnchor()),
    };
    Constraint::activate(constraints);

    // What the horizontal stack view arranges for its two views (spacing 5, filling its height).
    auto& stack = infoContentStackView;
    stackConstraints = {
        infoIconView->leadingAnchor().constraintEqualTo(stack->leadingAnchor()),
        infoTitleLabel->leadingAnchor().constraintEqualTo(infoIconView->trailingAnchor(), stackSpacing),
        infoTitleLabel->trailingAnchor().constraintEqualTo(stack->trailingAnchor()),
        infoIconView->topAnchor().constraintEqualTo(stack->topAnchor()),
        infoIconView->bottomAnchor().constraintEqualTo(stack->bottomAnchor()),
        infoTitleLabel->topAnchor().constraintEqualTo(stack->topAnchor()),
        infoTitleLabel->bottomAnchor().constraintEqualTo(stack->bottomAnchor()),
    };
    Constraint::activate(stackConstraints);
  }

  // The thirteen views, in the order of the cell's fields.
  std::vector<std::shared_ptr<View>> views() const {
    return {markNewImageView, contentWrapper,         separatorView, thumbImageView,       leftView,
            titleLabel,       subtitleLabel,          rewardButtonView, rewardButtonTitleLabel, infoView,
            infoContentStackView, infoIconView,        infoTitleLabel};
  }
};

}  // namespace bench
