// The colours of the offerwall's screens. Sixteen are plain stored colours; the others answer from a
// table of host overrides keyed by name, else from a fallback worked out at that moment (a base
// colour as it now stands, so a member follows later changes of it until set itself).
#pragma once

#include <array>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/ui/color.h"
#include "velkor/appearance/hex_color.h"

namespace velkor {

// How a member answers.
enum class ColorWay {
  stored,          // a field of its own; never in the override table
  override,        // its override key, else its fallback
  group,           // its override key, else its group's key, else its fallback
  optionalBacked,  // a private optional, else its fallback; ignores the override table
  ownRule,         // its override key, else a fallback with a rule of its own
};

// Every member but tabHighlightColor (written out in the class, being optional), in declaration
// order, split around it:
//   X(member, Member, way, override key (OWN: the member's name), group key (NONE), fallback)
// The fallback is an expression of `s`, the scheme; a stored member starts with it.
#define VELKOR_COLOR_MEMBERS_BEFORE_TAB_HIGHLIGHT(X) \
  /* Base colours */ \
  X(primaryColor, PrimaryColor, stored, OWN, NONE, colorFromHex("#3481ff", 1.0)) \
  X(primaryColorVariant, PrimaryColorVariant, stored, OWN, NONE, colorFromHex("#3481ff", 1.0)) \
  X(secondaryColor, SecondaryColor, stored, OWN, NONE, colorFromHex("#aaaaaa", 1.0)) \
  X(secondaryColorVariant, SecondaryColorVariant, stored, OWN, NONE, colorFromHex("#aaaaaa", 1.0)) \
  X(errorColor, ErrorColor, stored, OWN, NONE, colorFromHex("#000000", 1.0)) \
  X(surfaceColor, SurfaceColor, stored, OWN, NONE, colorFromHex("#000000", 1.0)) \
  X(backgroundColor, BackgroundColor, stored, OWN, NONE, colorFromHex("#f5f5f5", 1.0)) \
  X(textColor, TextColor, stored, OWN, NONE, colorFromHex("#000000", 1.0)) \
  X(subtextColor, SubtextColor, stored, OWN, NONE, colorFromHex("#777777", 1.0)) \
  X(onPrimaryColor, OnPrimaryColor, stored, OWN, NONE, colorFromHex("#ffffff", 1.0)) \
  X(onSecondaryColor, OnSecondaryColor, stored, OWN, NONE, colorFromHex("#efefef", 1.0)) \
  X(onSurfaceColor, OnSurfaceColor, stored, OWN, NONE, colorFromHex("#000000", 1.0)) \
  X(onBackgroundColor, OnBackgroundColor, stored, OWN, NONE, colorFromHex("#000000", 1.0)) \
  /* Navigation and tab bar */ \
  X(navigationBarTintColor, NavigationBarTintColor, stored, OWN, NONE, ui::Color::white()) \
  X(navigationTintColor, NavigationTintColor, stored, OWN, NONE, ui::Color::white()) \
  X(navigationBackgroundColor, NavigationBackgroundColor, ownRule, OWN, NONE, ui::Color::systemBackground())

#define VELKOR_COLOR_MEMBERS_AFTER_TAB_HIGHLIGHT(X) \
  X(tabItemTextSelectedColor, TabItemTextSelectedColor, ownRule, OWN, NONE, s.tabHighlightColor().value_or(s.primaryColorVariant())) \
  X(tabItemTextNormalColor, TabItemTextNormalColor, override, OWN, NONE, colorFromHex("#777777", 1.0)) \
  X(tabItemIndicatorSelectedColor, TabItemIndicatorSelectedColor, override, OWN, NONE, s.primaryColorVariant()) \
  X(tabBarBottomLineColor, TabBarBottomLineColor, override, OWN, NONE, colorFromHex("#e0e0e0", 1.0)) \
  /* Tag chips */ \
  X(tagItemNormalColor, TagItemNormalColor, override, OWN, NONE, ui::Color::white()) \
  X(tagItemTextNormalColor, TagItemTextNormalColor, override, OWN, NONE, colorFromHex("#ADB5BD", 1.0)) \
  X(tagItemSelectedColor, TagItemSelectedColor, override, OWN, NONE, s.primaryColor()) \
  X(tagItemTextSelectedColor, TagItemTextSelectedColor, override, OWN, NONE, s.onPrimaryColor()) \
  X(tagItemBorderNormalColor, TagItemBorderNormalColor, override, OWN, NONE, colorFromHex("#E9ECEF", 1.0)) \
  /* List rows */ \
  X(listItemBackgroundColor, ListItemBackgroundColor, override, OWN, NONE, s.primaryColor()) \
  X(listItemThumbImageBorderColor, ListItemThumbImageBorderColor, override, OWN, NONE, ui::Color::clear()) \
  X(listItemTextColor, ListItemTextColor, override, OWN, NONE, s.onPrimaryColor()) \
  X(listItemTitleTextColor, ListItemTitleTextColor, group, OWN, "listItemTextColor", s.onPrimaryColor()) \
  X(listItemSubtitleTextColor, ListItemSubtitleTextColor, group, OWN, "listItemTextColor", s.onPrimaryColor()) \
  X(highlightTextColor, HighlightTextColor, override, OWN, NONE, s.primaryColorVariant()) \
  X(listItemRewardTextColor, ListItemRewardTextColor, group, OWN, "listItemTextColor", s.onPrimaryColor()) \
  /* Ad detail */ \
  X(detailBackgroundColor, DetailBackgroundColor, override, OWN, NONE, ui::Color::white()) \
  X(detailContentViewBackgroundColor, DetailContentViewBackgroundColor, override, OWN, NONE, ui::Color::clear()) \
  X(detailTextColor, DetailTextColor, override, OWN, NONE, colorFromHex("#777777", 1.0)) \
  X(detailTitleColor, DetailTitleColor, override, OWN, NONE, ui::Color::black()) \
  X(detailSubtitleColor, DetailSubtitleColor, override, OWN, NONE, colorFromHex("#343A40", 1.0)) \
  X(detailConditionWrapperBackgroundColor, DetailConditionWrapperBackgroundColor, override, OWN, NONE, colorFromHex("#F5F5F5", 1.0)) \
  X(detailConditionTextColor, DetailConditionTextColor, override, OWN, NONE, colorFromHex("#777777", 1.0)) \
  X(detailNoticeWrapperBackgroundColor, DetailNoticeWrapperBackgroundColor, override, OWN, NONE, ui::Color::clear()) \
  X(detailNoticeHeaderTextColor, DetailNoticeHeaderTextColor, override, OWN, NONE, colorFromHex("#343A40", 1.0)) \
  X(detailNoticeDescriptionWrapperBackgroundColor, DetailNoticeDescriptionWrapperBackgroundColor, override, OWN, NONE, colorFromHex("#F5F5F5", 1.0)) \
  X(detailNoticeDescriptionHeaderTextColor, DetailNoticeDescriptionHeaderTextColor, override, OWN, NONE, colorFromHex("#343A40", 1.0)) \
  X(detailNoticeDescriptionTextColor, DetailNoticeDescriptionTextColor, override, OWN, NONE, colorFromHex("#777777", 1.0)) \
  X(detailFixedBottomGradientColor, DetailFixedBottomGradientColor, override, OWN, NONE, colorFromHex("#F5F5F5", 1.0)) \
  X(detailFixedBottomBackgroundColor, DetailFixedBottomBackgroundColor, override, OWN, NONE, colorFromHex("#F5F5F5", 1.0)) \
  X(ctaButtonEnableColor, CtaButtonEnableColor, override, OWN, NONE, s.primaryColor()) \
  X(ctaButtonDisabledColor, CtaButtonDisabledColor, override, OWN, NONE, colorFromHex("#adb5bd", 1.0)) \
  X(detailCtaButtonBorderEnableColor, DetailCtaButtonBorderEnableColor, override, OWN, NONE, s.primaryColor()) \
  X(detailCtaButtonTextEnableColor, DetailCtaButtonTextEnableColor, override, OWN, NONE, s.onPrimaryColor()) \
  X(detailCtaButtonEnableColor, DetailCtaButtonEnableColor, override, OWN, NONE, s.primaryColor()) \
  X(detailCtaButtonBorderDisableColor, DetailCtaButtonBorderDisableColor, override, OWN, NONE, colorFromHex("#adb5bd", 1.0)) \
  X(detailCtaButtonTextDisableColor, DetailCtaButtonTextDisableColor, override, OWN, NONE, colorFromHex("#ffffff", 1.0)) \
  X(detailCtaButtonDisableColor, DetailCtaButtonDisableColor, override, OWN, NONE, colorFromHex("#adb5bd", 1.0)) \
  X(listItemTitleColor, ListItemTitleColor, override, OWN, NONE, colorFromHex("#000000", 1.0)) \
  X(listItemSubtitleColor, ListItemSubtitleColor, override, OWN, NONE, colorFromHex("#000000", 1.0)) \
  /* Backed by optionals, outside the override table */ \
  X(detailCallToActionButtonColor, DetailCallToActionButtonColor, optionalBacked, OWN, NONE, s.primaryColor()) \
  X(footerViewColor, FooterViewColor, optionalBacked, OWN, NONE, s.primaryColor()) \
  X(descriptionWrapperBackgroundColor, DescriptionWrapperBackgroundColor, optionalBacked, OWN, NONE, colorFromHex("#F5F5F5", 1.0)) \
  X(shareButtonBackground, ShareButtonBackground, optionalBacked, OWN, NONE, ui::Color::gray()) \
  /* List row call-to-action button */ \
  X(listItemCtaButtonEnableColor, ListItemCtaButtonEnableColor, override, OWN, NONE, s.primaryColor()) \
  X(listItemCtaButtonDisableColor, ListItemCtaButtonDisableColor, override, OWN, NONE, ui::Color::gray()) \
  X(listItemCtaButtonTextEnableColor, ListItemCtaButtonTextEnableColor, override, OWN, NONE, s.onPrimaryColor()) \
  X(listItemCtaButtonTextDisableColor, ListItemCtaButtonTextDisableColor, override, OWN, NONE, ui::Color::black()) \
  /* Alerts and error views */ \
  X(alertMessageColor, AlertMessageColor, override, OWN, NONE, s.textColor()) \
  X(alertBackgroundColor, AlertBackgroundColor, override, OWN, NONE, s.backgroundColor()) \
  X(alertSubmitButtonTextColor, AlertSubmitButtonTextColor, override, OWN, NONE, s.onPrimaryColor()) \
  X(alertSubmitButtonBackgroundColor, AlertSubmitButtonBackgroundColor, override, OWN, NONE, s.primaryColor()) \
  X(alertCancelButtonTextColor, AlertCancelButtonTextColor, override, OWN, NONE, ui::Color::black()) \
  X(alertCancelButtonBackgroundColor, AlertCancelButtonBackgroundColor, override, OWN, NONE, colorFromHex("#E5E5E5", 1.0)) \
  X(errorMessageColor, ErrorMessageColor, override, OWN, NONE, s.textColor()) \
  X(errorDetailMessageColor, ErrorDetailMessageColor, override, OWN, NONE, s.subtextColor()) \
  /* List header, info bar and separators */ \
  X(totalRewardTextColor, TotalRewardTextColor, override, OWN, NONE, colorFromHex("343A40", 1.0)) \
  X(orderButtonTextColor, OrderButtonTextColor, override, OWN, NONE, colorFromHex("343A40", 0.85)) \
  X(infoViewBackgroundColor, InfoViewBackgroundColor, override, OWN, NONE, colorFromHex("343A40", 0.8)) \
  X(infoTitleTextColor, InfoTitleTextColor, override, OWN, NONE, ui::Color::white()) \
  X(listItemSeparatorColor, ListItemSeparatorColor, override, OWN, NONE, colorFromHex("DEDEDE", 1.0)) \
  X(listItemViewBackgroundColor, ListItemViewBackgroundColor, override, OWN, NONE, ui::Color::white()) \
  X(listItemRewardButtonTitleTextColor, ListItemRewardButtonTitleTextColor, override, OWN, NONE, ui::Color::white()) \
  X(sharedWebViewBackgroundColor, SharedWebViewBackgroundColor, override, OWN, NONE, ui::Color::white()) \
  /* Banners */ \
  X(bannerBackgroundColor, BannerBackgroundColor, override, OWN, NONE, colorFromHex("#F5F5F5", 1.0)) \
  X(bannerTextColor, BannerTextColor, override, OWN, NONE, ui::Color::black()) \
  X(adResourceBannerTitleTextColor, AdResourceBannerTitleTextColor, group, OWN, "bannerTextColor", ui::Color::black()) \
  X(adResourceBannerSubtitleTextColor, AdResourceBannerSubtitleTextColor, group, OWN, "bannerTextColor", ui::Color::black()) \
  /* Popups */ \
  X(popupViewTextColor, PopupViewTextColor, override, OWN, NONE, ui::Color::white()) \
  X(popupViewCloseTodayButtonTextColor, PopupViewCloseTodayButtonTextColor, group, OWN, "popupViewTextColor", ui::Color::white()) \
  X(popupViewCloseButtonTextColor, PopupViewCloseButtonTextColor, group, OWN, "popupViewTextColor", ui::Color::white()) \
  X(popupViewIndicatorTextColor, PopupViewIndicatorTextColor, group, OWN, "popupViewTextColor", ui::Color::white()) \
  X(adResourcePopupBackgroundColor, AdResourcePopupBackgroundColor, override, OWN, NONE, ui::Color::white()) \
  X(adResourcePopupLabelTextColor, AdResourcePopupLabelTextColor, override, "adResourcePopupTextColor", NONE, ui::Color::black()) \
  X(adResourcePopupTitleTextColor, AdResourcePopupTitleTextColor, group, OWN, "adResourcePopupTextColor", ui::Color::black()) \
  X(adResourcePopupSubtitleTextColor, AdResourcePopupSubtitleTextColor, group, OWN, "adResourcePopupTextColor", ui::Color::black()) \
  X(adResourcePopupDividerBackgroundColor, AdResourcePopupDividerBackgroundColor, override, OWN, NONE, colorFromHex("#DEDEDE", 1.0)) \
  X(adResourcePopupCTATextColor, AdResourcePopupCTATextColor, override, OWN, NONE, s.onPrimaryColor()) \
  X(adResourcePopupCTAHighlightedTextColor, AdResourcePopupCTAHighlightedTextColor, override, OWN, NONE, ui::Color::white()) \
  X(adResourcePopupCTABackgroundColor, AdResourcePopupCTABackgroundColor, override, OWN, NONE, s.primaryColor())

class VelkorColorScheme;

// One member of the table.
struct ColorMember {
  std::string_view name;
  ColorWay way;
  std::string_view key;       // empty for stored and optional-backed members
  std::string_view groupKey;  // empty unless way is group
  ui::Color (*fallback)(const VelkorColorScheme&);  // null for tabHighlightColor
};

class VelkorColorScheme {
 public:
  enum class Member {
#define VELKOR_COLOR_ENUM(name, ...) name,
    VELKOR_COLOR_MEMBERS_BEFORE_TAB_HIGHLIGHT(VELKOR_COLOR_ENUM)
    tabHighlightColor,
    VELKOR_COLOR_MEMBERS_AFTER_TAB_HIGHLIGHT(VELKOR_COLOR_ENUM)
#undef VELKOR_COLOR_ENUM
  };
  static constexpr std::size_t kMemberCount = static_cast<std::size_t>(Member::adResourcePopupCTABackgroundColor) + 1;

  VelkorColorScheme();
  VelkorColorScheme(const VelkorColorScheme&) = delete;
  VelkorColorScheme& operator=(const VelkorColorScheme&) = delete;

  // Any member by its enumerator; tabHighlightColor reads as clear while it holds none.
  ui::Color color(Member member) const;
  void setColor(Member member, const ui::Color& color);

#define VELKOR_COLOR_ACCESSORS(name, Name, ...)          \
  ui::Color name() const { return color(Member::name); } \
  void set##Name(const ui::Color& newColor) { setColor(Member::name, newColor); }
  VELKOR_COLOR_MEMBERS_BEFORE_TAB_HIGHLIGHT(VELKOR_COLOR_ACCESSORS)
  VELKOR_COLOR_MEMBERS_AFTER_TAB_HIGHLIGHT(VELKOR_COLOR_ACCESSORS)
#undef VELKOR_COLOR_ACCESSORS

  // The tab highlight may be set back to none.
  std::optional<ui::Color> tabHighlightColor() const;
  void setTabHighlightColor(std::optional<ui::Color> color);

  // The override table's entry under a key, as screens that state their own fallback read it.
  std::optional<ui::Color> overrideColor(std::string_view key) const;

  static std::span<const ColorMember> members();
  static const ColorMember& member(Member member);

 private:
  std::optional<ui::Color> slot(Member member) const;

  // Screens read on the main thread; the lock only keeps a host's write from another thread safe.
  // It is never held while a fallback runs, since fallbacks read other members.
  mutable std::mutex mutex_;
  std::map<std::string, ui::Color, std::less<>> dictionary_;
  // Stored members (always set) and optional-backed ones, by member.
  std::array<std::optional<ui::Color>, kMemberCount> slots_;
};

}  // namespace velkor
