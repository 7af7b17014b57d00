#include "velkor/appearance/velkor_dimension.h"

#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {
namespace {

// Defaults that several sizes share.
constexpr double kDefaultNavigationTitleSize = 17.0;
constexpr double kDefaultTabItemTextSize = 16.0;
constexpr double kDefaultTagCornerRadius = 14.0;
constexpr double kDefaultTagItemTextSize = 12.0;
constexpr double kDefaultListItemMargin = 20.0;
constexpr double kDefaultListItemPadding = 16.0;
constexpr double kDefaultListItemThumbnailWidth = 52.0;
constexpr double kDefaultListItemTitleTextSize = 13.0;
constexpr double kDefaultListItemSubtitleTextSize = 16.0;
constexpr double kDefaultRewardNameTextSize = 13.0;
constexpr double kDefaultRewardTextSize = 16.0;
constexpr double kDefaultRewardButtonTitleTextSize = 14.0;
constexpr double kDefaultMarkNewMargin = 2.0;
constexpr double kDefaultButtonViewPadding = 15.0;
constexpr double kDefaultTextGap = 2.0;
constexpr double kDefaultTextCTAButtonGap = 10.0;
constexpr double kDefaultListItemBottomViewHeight = 68.0;
constexpr double kDefaultButtonWidth = 90.0;
constexpr double kDefaultButtonHeight = 43.0;
constexpr double kDefaultListItemSeparatorMargin = 0.0;
constexpr double kDefaultRewardButtonViewWidth = 80.0;
constexpr double kDefaultRewardButtonViewHeight = 40.0;
constexpr double kDefaultAdditionalSpacerHeight = 88.0;
constexpr double kDefaultMoveToTopButtonTopSpacing = 0.0;
constexpr double kDefaultMoveToTopButtonSize = 46.0;
constexpr double kDefaultDetailCTAButtonBottomMargin = 24.0;
constexpr double kDefaultEmptyViewIconBottomSpacing = 20.0;
constexpr double kDefaultEmptyViewIconSize = 50.0;
constexpr double kDefaultFeedInfoTitleTextSize = 18.0;
constexpr double kDefaultListInfoTitleTextSize = 14.0;
constexpr double kDefaultInfoTitleTimerTextSize = 14.0;
constexpr double kDefaultBannerTextSize = 12.0;
constexpr double kDefaultPopupViewTextSize = 12.0;
constexpr double kDefaultPopupTextSize = 15.0;

// The compact list sets its move-to-top button this much lower.
constexpr double kCompactListTopSpacing = 15.0;

#define OWN ""
#define NONE ""
#define VELKOR_DIMENSION_ROW(name, Name, key, first, second, defaultValue) \
  DimensionProperty{#name, *key ? key : #name, {first, second}, defaultValue},
constexpr DimensionProperty kProperties[] = {VELKOR_DIMENSION_PROPERTIES(VELKOR_DIMENSION_ROW)};
#undef VELKOR_DIMENSION_ROW
#undef NONE
#undef OWN

}  // namespace

std::span<const DimensionProperty> VelkorDimension::properties() { return kProperties; }

const DimensionProperty& VelkorDimension::property(Property property) {
  return kProperties[static_cast<std::size_t>(property)];
}

std::optional<double> VelkorDimension::overrideFor(std::string_view key) const {
  std::lock_guard guard(mutex_);
  auto found = dictionary_.find(key);
  if (found == dictionary_.end()) return std::nullopt;
  return found->second;
}

double VelkorDimension::resolveChain(const DimensionProperty& row) const {
  if (auto own = overrideFor(row.key)) return *own;
  for (std::string_view key : row.fallbacks) {
    if (key.empty()) break;
    if (auto general = overrideFor(key)) return *general;
  }
  return row.defaultValue;
}

double VelkorDimension::value(Property which) const {
  switch (which) {
    case Property::moveToTopButtonTopSpacing: return moveToTopButtonTopSpacingValue();
    case Property::popupPageIndicatorHeight: return popupPageIndicatorHeightValue();
    default: return resolveChain(property(which));
  }
}

void VelkorDimension::setValue(Property which, double newValue) {
  std::lock_guard guard(mutex_);
  dictionary_.insert_or_assign(std::string(property(which).key), newValue);
}

// Follows the list type of the configuration in force at each call. A raw list type outside the
// three known ones (only a host's cast can make one) is read as the feed.
double VelkorDimension::moveToTopButtonTopSpacingValue() const {
  if (auto own = overrideFor("moveToTopButtonTopSpacing")) return *own;
  bool compact = VelkorInternal::shared().config()->listType() == ListType::compactList;
  return kDefaultMoveToTopButtonTopSpacing + (compact ? kCompactListTopSpacing : 0.0);
}

// The indicator is half as high as wide unless its height is set itself.
double VelkorDimension::popupPageIndicatorHeightValue() const {
  if (auto own = overrideFor("popupPageIndicatorHeight")) return *own;
  if (auto width = overrideFor("popupPageIndicatorWidth")) return *width * 0.5;
  return property(Property::popupPageIndicatorHeight).defaultValue;
}

}  // namespace velkor
