// The sizes of the offerwall's screens, in points: text sizes, margins, paddings, gaps, radii,
// border widths and fixed heights. The host overrides any of them by name; an override of a general
// size (listItemMargin) steers every more specific one (listItemLeftMargin) not overridden itself.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velkor {

// Every size once, in declaration order:
//   X(property, Property, override key (OWN: the property's name), first and second fallback key
//     (NONE: no more), default)
// A fallback key is the override key of a more general property of the same family.
#define VELKOR_DIMENSION_PROPERTIES(X) \
  /* Navigation bar and tab bar */ \
  X(navigationTitleSize, NavigationTitleSize, OWN, NONE, NONE, kDefaultNavigationTitleSize) \
  X(tabItemTextSize, TabItemTextSize, OWN, NONE, NONE, kDefaultTabItemTextSize) \
  X(tabBarBottomLineHeight, TabBarBottomLineHeight, OWN, NONE, NONE, 0.5) \
  /* Tag chips */ \
  X(tagCornerRadius, TagCornerRadius, OWN, NONE, NONE, kDefaultTagCornerRadius) \
  X(tagItemPadding, TagItemPadding, OWN, NONE, NONE, kDefaultListItemMargin) \
  X(tagItemVerticalPadding, TagItemVerticalPadding, OWN, NONE, NONE, 8.0) \
  X(tagItemHorizontalPadding, TagItemHorizontalPadding, OWN, NONE, NONE, 15.0) \
  X(tagItemLeftPadding, TagItemLeftPadding, OWN, "tagItemHorizontalPadding", NONE, 15.0) \
  X(tagItemTopPadding, TagItemTopPadding, OWN, "tagItemVerticalPadding", NONE, 8.0) \
  X(tagItemRightPadding, TagItemRightPadding, OWN, "tagItemHorizontalPadding", NONE, 15.0) \
  X(tagItemBottomPadding, TagItemBottomPadding, OWN, "tagItemVerticalPadding", NONE, 8.0) \
  X(tagItemGap, TagItemGap, OWN, NONE, NONE, 4.0) \
  X(tagItemColumnGap, TagItemColumnGap, OWN, "tagItemGap", NONE, 4.0) \
  X(tagItemRowGap, TagItemRowGap, OWN, "tagItemGap", NONE, 4.0) \
  X(tagItemTextSize, TagItemTextSize, OWN, NONE, NONE, kDefaultTagItemTextSize) \
  X(tagItemBorderWidth, TagItemBorderWidth, OWN, NONE, NONE, 0.5) \
  /* Tag list view */ \
  X(tagListViewPadding, TagListViewPadding, OWN, NONE, NONE, kDefaultListItemMargin) \
  X(tagListViewVerticalPadding, TagListViewVerticalPadding, OWN, NONE, NONE, 10.0) \
  X(tagListViewHorizontalPadding, TagListViewHorizontalPadding, OWN, NONE, NONE, 20.0) \
  X(tagListViewLeftPadding, TagListViewLeftPadding, OWN, "tagListViewHorizontalPadding", NONE, 20.0) \
  X(tagListViewTopPadding, TagListViewTopPadding, OWN, "tagListViewVerticalPadding", NONE, 10.0) \
  X(tagListViewRightPadding, TagListViewRightPadding, OWN, "tagListViewHorizontalPadding", NONE, 20.0) \
  X(tagListViewBottomPadding, TagListViewBottomPadding, OWN, "tagListViewVerticalPadding", NONE, 10.0) \
  /* Order view and list container */ \
  X(orderViewHeight, OrderViewHeight, OWN, NONE, NONE, 28.0) \
  X(orderViewTopMargin, OrderViewTopMargin, OWN, NONE, NONE, 6.0) \
  X(orderViewBottomMargin, OrderViewBottomMargin, OWN, NONE, NONE, 6.0) \
  X(listTypeCellHeight, ListTypeCellHeight, OWN, NONE, NONE, 88.0) \
  X(tableFooterViewHeight, TableFooterViewHeight, OWN, NONE, NONE, 64.0) \
  /* List item: outer margins */ \
  X(listItemMargin, ListItemMargin, OWN, NONE, NONE, kDefaultListItemMargin) \
  X(listItemHorizontalMargin, ListItemHorizontalMargin, OWN, "listItemMargin", NONE, kDefaultListItemMargin) \
  X(listItemVerticalMargin, ListItemVerticalMargin, OWN, "listItemMargin", NONE, kDefaultListItemMargin) \
  X(listItemLeftMargin, ListItemLeftMargin, OWN, "listItemHorizontalMargin", "listItemMargin", kDefaultListItemMargin) \
  X(listItemTopMargin, ListItemTopMargin, OWN, "listItemVerticalMargin", "listItemMargin", kDefaultListItemMargin) \
  X(listItemRightMargin, ListItemRightMargin, OWN, "listItemHorizontalMargin", "listItemMargin", kDefaultListItemMargin) \
  X(listItemBottomMargin, ListItemBottomMargin, OWN, "listItemVerticalMargin", "listItemMargin", kDefaultListItemMargin) \
  /* List item: inner paddings */ \
  X(listItemPadding, ListItemPadding, OWN, NONE, NONE, kDefaultListItemPadding) \
  X(listItemHorizontalPadding, ListItemHorizontalPadding, OWN, "listItemPadding", NONE, kDefaultListItemPadding) \
  X(listItemVerticalPadding, ListItemVerticalPadding, OWN, "listItemPadding", NONE, kDefaultListItemPadding) \
  X(listItemLeftPadding, ListItemLeftPadding, OWN, "listItemHorizontalPadding", "listItemPadding", kDefaultListItemPadding) \
  X(listItemTopPadding, ListItemTopPadding, OWN, "listItemVerticalPadding", "listItemPadding", kDefaultListItemPadding) \
  X(listItemRightPadding, ListItemRightPadding, OWN, "listItemHorizontalPadding", "listItemPadding", kDefaultListItemPadding) \
  X(listItemBottomPadding, ListItemBottomPadding, OWN, "listItemVerticalPadding", "listItemPadding", kDefaultListItemPadding) \
  /* List item: thumbnail */ \
  X(listItemThumbnailWidth, ListItemThumbnailWidth, OWN, NONE, NONE, kDefaultListItemThumbnailWidth) \
  X(listItemThumbImageViewRadius, ListItemThumbImageViewRadius, OWN, NONE, NONE, 10.0) \
  X(listItemThumbImageBorderWidth, ListItemThumbImageBorderWidth, OWN, NONE, NONE, 0.0) \
  X(listItemThumbnailImageRightMargin, ListItemThumbnailImageRightMargin, OWN, NONE, NONE, 10.0) \
  /* List item: texts */ \
  X(listItemTitleTextSize, ListItemTitleTextSize, "listItemTitleSize", NONE, NONE, kDefaultListItemTitleTextSize) \
  X(listItemSubtitleTextSize, ListItemSubtitleTextSize, "listItemSubtitleSize", NONE, NONE, kDefaultListItemSubtitleTextSize) \
  X(rewardNameTextSize, RewardNameTextSize, OWN, NONE, NONE, kDefaultRewardNameTextSize) \
  X(rewardTextSize, RewardTextSize, OWN, NONE, NONE, kDefaultRewardTextSize) \
  X(rewardButtonTitleTextSize, RewardButtonTitleTextSize, OWN, NONE, NONE, kDefaultRewardButtonTitleTextSize) \
  /* List item: reward and call-to-action buttons */ \
  X(listItemRewardButtonBorderRadius, ListItemRewardButtonBorderRadius, OWN, NONE, NONE, 20.0) \
  X(listItemCtaBorderRadius, ListItemCtaBorderRadius, OWN, NONE, NONE, 2.0) \
  X(listItemCtaButtonTextSize, ListItemCtaButtonTextSize, "listCtaButtonTextSize", NONE, NONE, 16.0) \
  X(listItemCtaButtonTimerSize, ListItemCtaButtonTimerSize, OWN, NONE, NONE, 12.0) \
  /* List item: mark-new badge */ \
  X(markNewImageSize, MarkNewImageSize, OWN, NONE, NONE, 15.0) \
  X(markNewMargin, MarkNewMargin, OWN, NONE, NONE, kDefaultMarkNewMargin) \
  X(markNewHorizontalMargin, MarkNewHorizontalMargin, OWN, "markNewMargin", NONE, kDefaultMarkNewMargin) \
  X(markNewVerticalMargin, MarkNewVerticalMargin, OWN, "markNewMargin", NONE, kDefaultMarkNewMargin) \
  X(markNewLeftMargin, MarkNewLeftMargin, OWN, "markNewHorizontalMargin", "markNewMargin", kDefaultMarkNewMargin) \
  X(markNewTopMargin, MarkNewTopMargin, OWN, "markNewVerticalMargin", "markNewMargin", kDefaultMarkNewMargin) \
  X(markNewRightMargin, MarkNewRightMargin, OWN, "markNewHorizontalMargin", "markNewMargin", kDefaultMarkNewMargin) \
  X(markNewBottomMargin, MarkNewBottomMargin, OWN, "markNewVerticalMargin", "markNewMargin", kDefaultMarkNewMargin) \
  /* List item: bottom view paddings */ \
  X(bottomViewPadding, BottomViewPadding, OWN, NONE, NONE, kDefaultButtonViewPadding) \
  X(bottomViewHorizontalPadding, BottomViewHorizontalPadding, OWN, "bottomViewPadding", NONE, kDefaultButtonViewPadding) \
  X(bottomViewVerticalPadding, BottomViewVerticalPadding, OWN, "bottomViewPadding", NONE, kDefaultButtonViewPadding) \
  X(bottomViewLeftPadding, BottomViewLeftPadding, OWN, "bottomViewHorizontalPadding", "bottomViewPadding", kDefaultButtonViewPadding) \
  X(bottomViewTopPadding, BottomViewTopPadding, OWN, "bottomViewVerticalPadding", "bottomViewPadding", kDefaultButtonViewPadding) \
  X(bottomViewRightPadding, BottomViewRightPadding, OWN, "bottomViewHorizontalPadding", "bottomViewPadding", kDefaultButtonViewPadding) \
  X(bottomViewBottomPadding, BottomViewBottomPadding, OWN, "bottomViewVerticalPadding", "bottomViewPadding", kDefaultButtonViewPadding) \
  /* List item: text gaps and title margins */ \
  X(textGap, TextGap, OWN, NONE, NONE, kDefaultTextGap) \
  X(gapBetweenTextAndCtaButton, GapBetweenTextAndCtaButton, OWN, NONE, NONE, kDefaultTextCTAButtonGap) \
  X(titleLeftMargin, TitleLeftMargin, OWN, NONE, NONE, 20.0) \
  X(titleTopMargin, TitleTopMargin, OWN, NONE, NONE, 20.0) \
  X(titleRightMargin, TitleRightMargin, OWN, NONE, NONE, 20.0) \
  X(titleBottomMargin, TitleBottomMargin, OWN, NONE, NONE, 20.0) \
  /* List item: call-to-action button paddings */ \
  X(listItemCtaButtonPadding, ListItemCtaButtonPadding, OWN, NONE, NONE, 0.0) \
  X(listItemCtaButtonHorizontalPadding, ListItemCtaButtonHorizontalPadding, OWN, "listItemCtaButtonPadding", NONE, 0.0) \
  X(listItemCtaButtonVerticalPadding, ListItemCtaButtonVerticalPadding, OWN, "listItemCtaButtonPadding", NONE, 0.0) \
  X(listItemCtaButtonLeftPadding, ListItemCtaButtonLeftPadding, OWN, "listItemCtaButtonHorizontalPadding", "listItemCtaButtonPadding", 0.0) \
  X(listItemCtaButtonTopPadding, ListItemCtaButtonTopPadding, OWN, "listItemCtaButtonVerticalPadding", "listItemCtaButtonPadding", 0.0) \
  X(listItemCtaButtonRightPadding, ListItemCtaButtonRightPadding, OWN, "listItemCtaButtonHorizontalPadding", "listItemCtaButtonPadding", 0.0) \
  X(listItemCtaButtonBottomPadding, ListItemCtaButtonBottomPadding, OWN, "listItemCtaButtonVerticalPadding", "listItemCtaButtonPadding", 0.0) \
  /* List item: bottom view and call-to-action button sizes */ \
  X(listItemBottomViewHeight, ListItemBottomViewHeight, OWN, NONE, NONE, kDefaultListItemBottomViewHeight) \
  X(ctaButtonWidth, CtaButtonWidth, OWN, NONE, NONE, kDefaultButtonWidth) \
  X(ctaButtonHeight, CtaButtonHeight, OWN, NONE, NONE, kDefaultButtonHeight) \
  /* List item: separator */ \
  X(listItemSeparatorHeight, ListItemSeparatorHeight, OWN, NONE, NONE, 0.5) \
  X(listItemSeparatorMargin, ListItemSeparatorMargin, OWN, NONE, NONE, kDefaultListItemSeparatorMargin) \
  X(listItemSeparatorLeftMargin, ListItemSeparatorLeftMargin, OWN, "listItemSeparatorMargin", NONE, kDefaultListItemSeparatorMargin) \
  X(listItemSeparatorRightMargin, ListItemSeparatorRightMargin, OWN, "listItemSeparatorMargin", NONE, kDefaultListItemSeparatorMargin) \
  /* Reward button view and spacer */ \
  X(rewardButtonViewWidth, RewardButtonViewWidth, OWN, NONE, NONE, kDefaultRewardButtonViewWidth) \
  X(rewardButtonViewHeight, RewardButtonViewHeight, OWN, NONE, NONE, kDefaultRewardButtonViewHeight) \
  X(additionalSpacerHeight, AdditionalSpacerHeight, OWN, NONE, NONE, kDefaultAdditionalSpacerHeight) \
  /* Move-to-top button */ \
  X(moveToTopButtonTopSpacing, MoveToTopButtonTopSpacing, OWN, NONE, NONE, kDefaultMoveToTopButtonTopSpacing) \
  X(moveToTopButtonSize, MoveToTopButtonSize, OWN, NONE, NONE, kDefaultMoveToTopButtonSize) \
  X(moveToTopButtonWidth, MoveToTopButtonWidth, OWN, "moveToTopButtonSize", NONE, kDefaultMoveToTopButtonSize) \
  X(moveToTopButtonHeight, MoveToTopButtonHeight, OWN, "moveToTopButtonSize", NONE, kDefaultMoveToTopButtonSize) \
  /* Ad detail */ \
  X(detailConditionWrapperCornerRadius, DetailConditionWrapperCornerRadius, OWN, NONE, NONE, 4.0) \
  X(detailCtaButtonTextSize, DetailCtaButtonTextSize, OWN, NONE, NONE, 16.0) \
  X(detailCTAButtonBottomMargin, DetailCTAButtonBottomMargin, OWN, NONE, NONE, kDefaultDetailCTAButtonBottomMargin) \
  /* Empty view */ \
  X(emptyViewIconBottomSpacing, EmptyViewIconBottomSpacing, OWN, NONE, NONE, kDefaultEmptyViewIconBottomSpacing) \
  X(emptyViewIconWidth, EmptyViewIconWidth, OWN, NONE, NONE, kDefaultEmptyViewIconSize) \
  X(emptyViewIconHeight, EmptyViewIconHeight, OWN, NONE, NONE, kDefaultEmptyViewIconSize) \
  /* Error views */ \
  X(errorMessageTopSpacing, ErrorMessageTopSpacing, OWN, NONE, NONE, 20.0) \
  X(errorDetailMessageTopSpacing, ErrorDetailMessageTopSpacing, OWN, NONE, NONE, 8.0) \
  X(retryButtonTopSpacing, RetryButtonTopSpacing, OWN, NONE, NONE, 20.0) \
  X(errorMessageTextSize, ErrorMessageTextSize, OWN, NONE, NONE, 20.0) \
  X(detailErrorMessageTextSize, DetailErrorMessageTextSize, OWN, NONE, NONE, 16.0) \
  /* Info bar */ \
  X(feedInfoTitleTextSize, FeedInfoTitleTextSize, OWN, NONE, NONE, kDefaultFeedInfoTitleTextSize) \
  X(listInfoTitleTextSize, ListInfoTitleTextSize, OWN, NONE, NONE, kDefaultListInfoTitleTextSize) \
  X(infoTitleTimerTextSize, InfoTitleTimerTextSize, OWN, NONE, NONE, kDefaultInfoTitleTimerTextSize) \
  X(infoIconViewWidth, InfoIconViewWidth, OWN, NONE, NONE, 24.0) \
  /* Banners */ \
  X(bannerViewHeight, BannerViewHeight, OWN, NONE, NONE, 88.0) \
  X(bannerViewTopSpacing, BannerViewTopSpacing, OWN, NONE, NONE, 4.0) \
  X(bannerItemHeight, BannerItemHeight, OWN, NONE, NONE, 72.0) \
  X(bannerTopMargin, BannerTopMargin, OWN, NONE, NONE, 8.0) \
  X(bannerLeftMargin, BannerLeftMargin, OWN, NONE, NONE, 20.0) \
  X(bannerBottomMargin, BannerBottomMargin, OWN, NONE, NONE, 8.0) \
  X(bannerRightMargin, BannerRightMargin, OWN, NONE, NONE, 20.0) \
  X(bannerCornerRadius, BannerCornerRadius, OWN, NONE, NONE, 8.0) \
  X(bannerTextSize, BannerTextSize, OWN, NONE, NONE, kDefaultBannerTextSize) \
  X(bannerTitleTextSize, BannerTitleTextSize, OWN, "bannerTextSize", NONE, kDefaultBannerTextSize) \
  X(bannerSubtitleTextSize, BannerSubtitleTextSize, OWN, "bannerTextSize", NONE, kDefaultBannerTextSize) \
  /* Popup frame */ \
  X(popupTopMargin, PopupTopMargin, OWN, NONE, NONE, 0.0) \
  X(popupLeftMargin, PopupLeftMargin, OWN, NONE, NONE, 20.0) \
  X(popupBottomMargin, PopupBottomMargin, OWN, NONE, NONE, 20.0) \
  X(popupRightMargin, PopupRightMargin, OWN, NONE, NONE, 20.0) \
  X(popupCornerRadius, PopupCornerRadius, OWN, NONE, NONE, 16.0) \
  /* Popup view buttons and indicator texts */ \
  X(popupViewButtonBottomSpacing, PopupViewButtonBottomSpacing, OWN, NONE, NONE, 11.0) \
  X(popupViewTextSize, PopupViewTextSize, OWN, NONE, NONE, kDefaultPopupViewTextSize) \
  X(popupViewCloseTodayButtonTextSize, PopupViewCloseTodayButtonTextSize, OWN, "popupViewTextSize", NONE, kDefaultPopupViewTextSize) \
  X(popupViewCloseButtonTextSize, PopupViewCloseButtonTextSize, OWN, "popupViewTextSize", NONE, kDefaultPopupViewTextSize) \
  X(popupViewIndicatorTextSize, PopupViewIndicatorTextSize, OWN, "popupViewTextSize", NONE, kDefaultPopupViewTextSize) \
  /* Popup texts, call-to-action button and size */ \
  X(popupTextSize, PopupTextSize, OWN, NONE, NONE, kDefaultPopupTextSize) \
  X(popupTitleTextSize, PopupTitleTextSize, OWN, "popupTextSize", NONE, kDefaultPopupTextSize) \
  X(popupSubtitleTextSize, PopupSubtitleTextSize, OWN, "popupTextSize", NONE, kDefaultPopupTextSize) \
  X(popupCTATextSize, PopupCTATextSize, OWN, "popupTextSize", NONE, kDefaultPopupTextSize) \
  X(popupCTACornerRadius, PopupCTACornerRadius, OWN, NONE, NONE, 8.0) \
  X(popupCTAButtonHeight, PopupCTAButtonHeight, OWN, NONE, NONE, 44.0) \
  X(popupMaxSize, PopupMaxSize, OWN, NONE, NONE, 480.0) \
  /* Popup page indicator */ \
  X(popupPageIndicatorWidth, PopupPageIndicatorWidth, OWN, NONE, NONE, 48.0) \
  X(popupPageIndicatorHeight, PopupPageIndicatorHeight, OWN, "popupPageIndicatorWidth", NONE, 24.0) \
  X(popupPageIndicatorCornerRadius, PopupPageIndicatorCornerRadius, OWN, NONE, NONE, 12.0) \
  /* Popup title, subtitle, divider and call-to-action wrapper */ \
  X(popupTitleLabelTopSpacing, PopupTitleLabelTopSpacing, OWN, NONE, NONE, 24.0) \
  X(popupTitleHorizontalMargin, PopupTitleHorizontalMargin, OWN, NONE, NONE, 20.0) \
  X(popupTitleLeftMargin, PopupTitleLeftMargin, OWN, "popupTitleHorizontalMargin", NONE, 20.0) \
  X(popupTitleRightMargin, PopupTitleRightMargin, OWN, "popupTitleHorizontalMargin", NONE, 20.0) \
  X(popupSubtitleTopSpacing, PopupSubtitleTopSpacing, OWN, NONE, NONE, 2.0) \
  X(popupSubtitleHorizontalMargin, PopupSubtitleHorizontalMargin, OWN, NONE, NONE, 20.0) \
  X(popupSubtitleLeftMargin, PopupSubtitleLeftMargin, OWN, "popupSubtitleHorizontalMargin", NONE, 20.0) \
  X(popupSubtitleRightMargin, PopupSubtitleRightMargin, OWN, "popupSubtitleHorizontalMargin", NONE, 20.0) \
  X(popupDividerViewTopSpacing, PopupDividerViewTopSpacing, OWN, NONE, NONE, 24.0) \
  X(popupDividerViewHeight, PopupDividerViewHeight, OWN, NONE, NONE, 1.0) \
  X(popupDividerViewHorizontalMargin, PopupDividerViewHorizontalMargin, OWN, NONE, NONE, 20.0) \
  X(popupDividerViewLeftMargin, PopupDividerViewLeftMargin, OWN, "popupDividerViewHorizontalMargin", NONE, 20.0) \
  X(popupDividerViewRightMargin, PopupDividerViewRightMargin, OWN, "popupDividerViewHorizontalMargin", NONE, 20.0) \
  X(popupCTAButtonWrapperViewHorizontalMargin, PopupCTAButtonWrapperViewHorizontalMargin, OWN, NONE, NONE, 20.0) \
  X(popupCTAButtonWrapperViewVerticalMargin, PopupCTAButtonWrapperViewVerticalMargin, OWN, NONE, NONE, 24.0) \
  X(popupCTAButtonWrapperViewTopMargin, PopupCTAButtonWrapperViewTopMargin, OWN, "popupCTAButtonWrapperViewVerticalMargin", NONE, 24.0) \
  X(popupCTAButtonWrapperViewLeftMargin, PopupCTAButtonWrapperViewLeftMargin, OWN, "popupCTAButtonWrapperViewHorizontalMargin", NONE, 20.0) \
  X(popupCTAButtonWrapperViewBottomMargin, PopupCTAButtonWrapperViewBottomMargin, OWN, "popupCTAButtonWrapperViewVerticalMargin", NONE, 24.0) \
  X(popupCTAButtonWrapperViewRightMargin, PopupCTAButtonWrapperViewRightMargin, OWN, "popupCTAButtonWrapperViewHorizontalMargin", NONE, 20.0)

// One row of the table above.
struct DimensionProperty {
  std::string_view name;
  std::string_view key;
  std::string_view fallbacks[2];  // empty when absent
  double defaultValue;
};

class VelkorDimension {
 public:
  enum class Property {
#define VELKOR_DIMENSION_ENUM(name, ...) name,
    VELKOR_DIMENSION_PROPERTIES(VELKOR_DIMENSION_ENUM)
#undef VELKOR_DIMENSION_ENUM
  };

  VelkorDimension() = default;
  VelkorDimension(const VelkorDimension&) = delete;
  VelkorDimension& operator=(const VelkorDimension&) = delete;

  // The property's own override, else the first of its fallback keys that is overridden, else its
  // default; two properties compute theirs (see the .cc).
  double value(Property property) const;
  // Stores under the property's own key, whatever the value (0, negative or not finite).
  void setValue(Property property, double value);

#define VELKOR_DIMENSION_ACCESSORS(name, Name, ...)            \
  double name() const { return value(Property::name); }        \
  void set##Name(double newValue) { setValue(Property::name, newValue); }
  VELKOR_DIMENSION_PROPERTIES(VELKOR_DIMENSION_ACCESSORS)
#undef VELKOR_DIMENSION_ACCESSORS

  // The constant of the list rows' vertical-centre constraint; not overridable.
  double centerYSpacing() const { return 1.0; }

  // The table, in declaration order.
  static std::span<const DimensionProperty> properties();
  static const DimensionProperty& property(Property property);

 private:
  std::optional<double> overrideFor(std::string_view key) const;
  double resolveChain(const DimensionProperty& row) const;
  double moveToTopButtonTopSpacingValue() const;
  double popupPageIndicatorHeightValue() const;

  // Screens read on the main thread; the lock only keeps a host's write from another thread safe.
  mutable std::mutex mutex_;
  std::map<std::string, double, std::less<>> dictionary_;
};

}  // namespace velkor
