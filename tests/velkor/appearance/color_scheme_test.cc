#include "velkor/appearance/velkor_color_scheme.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace velkor {
namespace {

using M = VelkorColorScheme::Member;
using Getter = ui::Color (VelkorColorScheme::*)() const;

const ui::Color kPink(1, 0.4, 0.7);
const ui::Color kTeal(0, 0.5, 0.5);

ui::Color rgb(unsigned value, double alpha = 1.0) {
  return ui::Color(((value >> 16) & 0xff) / 255.0, ((value >> 8) & 0xff) / 255.0, (value & 0xff) / 255.0, alpha);
}

TEST(ColorTableTest, HoldsEveryMemberOnceWithItsWay) {
  auto members = VelkorColorScheme::members();
  ASSERT_EQ(members.size(), 97u);
  std::set<std::string_view> names, keys;
  std::set<std::string> renamed;
  std::set<std::string_view> groupKeys;
  for (const auto& m : members) {
    SCOPED_TRACE(std::string(m.name));
    EXPECT_TRUE(names.insert(m.name).second);
    bool inTable = m.way != ColorWay::stored && m.way != ColorWay::optionalBacked;
    EXPECT_EQ(m.key.empty(), !inTable);
    if (inTable) {
      EXPECT_TRUE(keys.insert(m.key).second) << "key used twice: " << m.key;
    }
    if (inTable && m.key != m.name) renamed.insert(std::string(m.name) + "=" + std::string(m.key));
    EXPECT_EQ(m.groupKey.empty(), m.way != ColorWay::group);
    if (m.way == ColorWay::group) groupKeys.insert(m.groupKey);
  }
  EXPECT_EQ(renamed, std::set<std::string>{"adResourcePopupLabelTextColor=adResourcePopupTextColor"});
  // Each group key is the key of a member of its own.
  for (const std::string_view key : groupKeys) EXPECT_TRUE(keys.count(key)) << key;
}

TEST(ColorSchemeTest, FallbacksReadBaseColoursAsTheyNowStand) {
  const struct {
    const char* name;
    Getter member;
    void (VelkorColorScheme::*setMember)(const ui::Color&);
    void (VelkorColorScheme::*setBase)(const ui::Color&);
  } cases[] = {
      {"ctaButtonEnableColor", &VelkorColorScheme::ctaButtonEnableColor, &VelkorColorScheme::setCtaButtonEnableColor,
       &VelkorColorScheme::setPrimaryColor},
      {"alertMessageColor", &VelkorColorScheme::alertMessageColor, &VelkorColorScheme::setAlertMessageColor,
       &VelkorColorScheme::setTextColor},
      {"errorMessageColor", &VelkorColorScheme::errorMessageColor, &VelkorColorScheme::setErrorMessageColor,
       &VelkorColorScheme::setTextColor},
      {"errorDetailMessageColor", &VelkorColorScheme::errorDetailMessageColor,
       &VelkorColorScheme::setErrorDetailMessageColor, &VelkorColorScheme::setSubtextColor},
      {"highlightTextColor", &VelkorColorScheme::highlightTextColor, &VelkorColorScheme::setHighlightTextColor,
       &VelkorColorScheme::setPrimaryColorVariant},
      {"alertBackgroundColor", &VelkorColorScheme::alertBackgroundColor, &VelkorColorScheme::setAlertBackgroundColor,
       &VelkorColorScheme::setBackgroundColor},
      // Optional-backed: the same rule through a field of their own.
      {"detailCallToActionButtonColor", &VelkorColorScheme::detailCallToActionButtonColor,
       &VelkorColorScheme::setDetailCallToActionButtonColor, &VelkorColorScheme::setPrimaryColor},
      {"footerViewColor", &VelkorColorScheme::footerViewColor, &VelkorColorScheme::setFooterViewColor,
       &VelkorColorScheme::setPrimaryColor},
      // A group member without its own or its group's override.
      {"listItemTitleTextColor", &VelkorColorScheme::listItemTitleTextColor,
       &VelkorColorScheme::setListItemTitleTextColor, &VelkorColorScheme::setOnPrimaryColor},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    VelkorColorScheme scheme;
    (scheme.*c.setBase)(kPink);
    EXPECT_EQ((scheme.*c.member)(), kPink);
    (scheme.*c.setMember)(kTeal);
    (scheme.*c.setBase)(ui::Color::black());
    EXPECT_EQ((scheme.*c.member)(), kTeal);
  }
}

TEST(ColorSchemeTest, GroupKeysRecolourTheMembersWithoutAKeyOfTheirOwn) {
  VelkorColorScheme scheme;
  scheme.setListItemTextColor(kPink);
  EXPECT_EQ(scheme.listItemTitleTextColor(), kPink);
  EXPECT_EQ(scheme.listItemSubtitleTextColor(), kPink);
  EXPECT_EQ(scheme.listItemRewardTextColor(), kPink);
  scheme.setListItemTitleTextColor(kTeal);
  EXPECT_EQ(scheme.listItemTitleTextColor(), kTeal);
  EXPECT_EQ(scheme.listItemSubtitleTextColor(), kPink);

  scheme.setAdResourcePopupLabelTextColor(kPink);
  EXPECT_EQ(scheme.adResourcePopupLabelTextColor(), kPink);
  EXPECT_EQ(scheme.adResourcePopupTitleTextColor(), kPink);
  EXPECT_EQ(scheme.adResourcePopupSubtitleTextColor(), kPink);
  EXPECT_EQ(scheme.overrideColor("adResourcePopupTextColor"), kPink);
  EXPECT_FALSE(scheme.overrideColor("adResourcePopupLabelTextColor"));

  scheme.setBannerTextColor(kTeal);
  EXPECT_EQ(scheme.adResourceBannerSubtitleTextColor(), kTeal);
  scheme.setPopupViewTextColor(kTeal);
  EXPECT_EQ(scheme.popupViewCloseButtonTextColor(), kTeal);
}

TEST(ColorSchemeTest, TabSelectedTextColorPrefersItsOwnThenTheHighlight) {
  VelkorColorScheme scheme;
  EXPECT_FALSE(scheme.tabHighlightColor());
  scheme.setPrimaryColorVariant(kPink);
  EXPECT_EQ(scheme.tabItemTextSelectedColor(), kPink);
  scheme.setTabHighlightColor(kTeal);
  EXPECT_EQ(scheme.tabItemTextSelectedColor(), kTeal);
  scheme.setTabHighlightColor(std::nullopt);
  EXPECT_EQ(scheme.tabItemTextSelectedColor(), kPink);
  scheme.setTabHighlightColor(kTeal);
  scheme.setTabItemTextSelectedColor(ui::Color::black());
  EXPECT_EQ(scheme.tabItemTextSelectedColor(), ui::Color::black());
}

TEST(ColorSchemeTest, NavigationBackgroundFollowsTheStyleUntilSet) {
  VelkorColorScheme scheme;
  ui::Color background = scheme.navigationBackgroundColor();
  EXPECT_TRUE(background.isDynamic());
  EXPECT_EQ(background.resolved({ui::UserInterfaceStyle::light}), ui::Color::white());
  EXPECT_EQ(background.resolved({ui::UserInterfaceStyle::dark}), ui::Color::black());
  scheme.setNavigationBackgroundColor(kPink);
  EXPECT_EQ(scheme.navigationBackgroundColor(), kPink);
  EXPECT_EQ(scheme.overrideColor("navigationBackgroundColor"), kPink);
}

TEST(ColorSchemeTest, StoredAndOptionalBackedMembersStayOutOfTheOverrideTable) {
  VelkorColorScheme scheme;
  scheme.setPrimaryColor(kPink);
  scheme.setNavigationBarTintColor(kPink);
  scheme.setShareButtonBackground(kTeal);
  EXPECT_EQ(scheme.shareButtonBackground(), kTeal);
  for (const char* key : {"primaryColor", "navigationBarTintColor", "shareButtonBackground"}) {
    EXPECT_FALSE(scheme.overrideColor(key)) << key;
  }
  // Members with fixed defaults ignore the base colours.
  scheme.setOnPrimaryColor(kPink);
  scheme.setTextColor(kPink);
  EXPECT_EQ(scheme.tabBarBottomLineColor(), rgb(0xe0e0e0));
  EXPECT_EQ(scheme.bannerTextColor(), ui::Color::black());
  EXPECT_EQ(scheme.listItemCtaButtonTextDisableColor(), ui::Color::black());
  EXPECT_EQ(scheme.descriptionWrapperBackgroundColor(), rgb(0xf5f5f5));
}

TEST(ColorSchemeTest, EveryMemberStoresWhatItIsGiven) {
  auto members = VelkorColorScheme::members();
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (members[i].name == "tabHighlightColor") continue;
    VelkorColorScheme scheme;
    scheme.setColor(static_cast<M>(i), kTeal);
    EXPECT_EQ(scheme.color(static_cast<M>(i)), kTeal) << members[i].name;
  }
}

}  // namespace
}  // namespace velkor
