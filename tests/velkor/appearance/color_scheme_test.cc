#include "velkor/appearance/velkor_color_scheme.h"

#include <gtest/gtest.h>

#include <map>
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
  std::map<ColorWay, int> ways;
  std::set<std::string_view> names, keys;
  std::set<std::string> renamed;
  std::map<std::string_view, std::set<std::string_view>> groups;
  for (const auto& m : members) {
    SCOPED_TRACE(std::string(m.name));
    ++ways[m.way];
    EXPECT_TRUE(names.insert(m.name).second);
    bool inTable = m.way != ColorWay::stored && m.way != ColorWay::optionalBacked;
    EXPECT_EQ(m.key.empty(), !inTable);
    if (inTable) {
      EXPECT_TRUE(keys.insert(m.key).second) << "key used twice: " << m.key;
    }
    if (inTable && m.key != m.name) renamed.insert(std::string(m.name) + "=" + std::string(m.key));
    EXPECT_EQ(m.groupKey.empty(), m.way != ColorWay::group);
    if (m.way == ColorWay::group) {
      groups[m.groupKey].insert(m.name);
    }
  }
  EXPECT_EQ(ways[ColorWay::stored], 16);
  EXPECT_EQ(ways[ColorWay::optionalBacked], 4);
  EXPECT_EQ(ways[ColorWay::group], 10);
  EXPECT_EQ(ways[ColorWay::ownRule], 2);
  EXPECT_EQ(renamed, std::set<std::string>{"adResourcePopupLabelTextColor=adResourcePopupTextColor"});
  // Each group key is the key of a member of the same family.
  EXPECT_EQ(groups.size(), 4u);
  for (const auto& [key, members] : groups) {
    EXPECT_TRUE(keys.count(key)) << key;
    EXPECT_EQ(members.count(std::string_view("")), 0u);
  }
  EXPECT_EQ(groups["listItemTextColor"],
            (std::set<std::string_view>{"listItemTitleTextColor", "listItemSubtitleTextColor", "listItemRewardTextColor"}));
  EXPECT_EQ(groups["adResourcePopupTextColor"],
            (std::set<std::string_view>{"adResourcePopupTitleTextColor", "adResourcePopupSubtitleTextColor"}));
}

TEST(ColorSchemeTest, FreshSchemeAnswersTheDefaults) {
  // Typed from the design tables.
  const struct {
    const char* name;
    Getter getter;
    ui::Color color;
  } cases[] = {
      {"primaryColor", &VelkorColorScheme::primaryColor, rgb(0x3481ff)},
      {"secondaryColorVariant", &VelkorColorScheme::secondaryColorVariant, rgb(0xaaaaaa)},
      {"backgroundColor", &VelkorColorScheme::backgroundColor, rgb(0xf5f5f5)},
      {"subtextColor", &VelkorColorScheme::subtextColor, rgb(0x777777)},
      {"onSecondaryColor", &VelkorColorScheme::onSecondaryColor, rgb(0xefefef)},
      {"navigationTintColor", &VelkorColorScheme::navigationTintColor, ui::Color::white()},
      {"tabItemTextSelectedColor", &VelkorColorScheme::tabItemTextSelectedColor, rgb(0x3481ff)},
      {"tabItemTextNormalColor", &VelkorColorScheme::tabItemTextNormalColor, rgb(0x777777)},
      {"tabBarBottomLineColor", &VelkorColorScheme::tabBarBottomLineColor, rgb(0xe0e0e0)},
      {"tagItemTextNormalColor", &VelkorColorScheme::tagItemTextNormalColor, rgb(0xadb5bd)},
      {"tagItemBorderNormalColor", &VelkorColorScheme::tagItemBorderNormalColor, rgb(0xe9ecef)},
      {"listItemThumbImageBorderColor", &VelkorColorScheme::listItemThumbImageBorderColor, ui::Color::clear()},
      {"listItemTitleTextColor", &VelkorColorScheme::listItemTitleTextColor, ui::Color::white()},
      {"listItemSubtitleTextColor", &VelkorColorScheme::listItemSubtitleTextColor, ui::Color::white()},
      {"listItemRewardTextColor", &VelkorColorScheme::listItemRewardTextColor, ui::Color::white()},
      {"detailTitleColor", &VelkorColorScheme::detailTitleColor, ui::Color::black()},
      {"detailSubtitleColor", &VelkorColorScheme::detailSubtitleColor, rgb(0x343a40)},
      {"ctaButtonDisabledColor", &VelkorColorScheme::ctaButtonDisabledColor, rgb(0xadb5bd)},
      {"detailCtaButtonTextDisableColor", &VelkorColorScheme::detailCtaButtonTextDisableColor, ui::Color::white()},
      {"descriptionWrapperBackgroundColor", &VelkorColorScheme::descriptionWrapperBackgroundColor, rgb(0xf5f5f5)},
      {"shareButtonBackground", &VelkorColorScheme::shareButtonBackground, ui::Color::gray()},
      {"listItemCtaButtonDisableColor", &VelkorColorScheme::listItemCtaButtonDisableColor, ui::Color::gray()},
      {"alertCancelButtonBackgroundColor", &VelkorColorScheme::alertCancelButtonBackgroundColor, rgb(0xe5e5e5)},
      {"errorDetailMessageColor", &VelkorColorScheme::errorDetailMessageColor, rgb(0x777777)},
      {"totalRewardTextColor", &VelkorColorScheme::totalRewardTextColor, rgb(0x343a40)},
      {"orderButtonTextColor", &VelkorColorScheme::orderButtonTextColor, rgb(0x343a40, 0.85)},
      {"infoViewBackgroundColor", &VelkorColorScheme::infoViewBackgroundColor, rgb(0x343a40, 0.8)},
      {"listItemSeparatorColor", &VelkorColorScheme::listItemSeparatorColor, rgb(0xdedede)},
      {"adResourceBannerTitleTextColor", &VelkorColorScheme::adResourceBannerTitleTextColor, ui::Color::black()},
      {"adResourceBannerSubtitleTextColor", &VelkorColorScheme::adResourceBannerSubtitleTextColor, ui::Color::black()},
      {"popupViewCloseTodayButtonTextColor", &VelkorColorScheme::popupViewCloseTodayButtonTextColor, ui::Color::white()},
      {"popupViewIndicatorTextColor", &VelkorColorScheme::popupViewIndicatorTextColor, ui::Color::white()},
      {"adResourcePopupLabelTextColor", &VelkorColorScheme::adResourcePopupLabelTextColor, ui::Color::black()},
      {"adResourcePopupSubtitleTextColor", &VelkorColorScheme::adResourcePopupSubtitleTextColor, ui::Color::black()},
      {"adResourcePopupDividerBackgroundColor", &VelkorColorScheme::adResourcePopupDividerBackgroundColor, rgb(0xdedede)},
      {"adResourcePopupCTAHighlightedTextColor", &VelkorColorScheme::adResourcePopupCTAHighlightedTextColor, ui::Color::white()},
  };
  VelkorColorScheme scheme;
  for (const auto& c : cases) {
    EXPECT_EQ((scheme.*c.getter)(), c.color) << c.name << ": " << (scheme.*c.getter)().description();
  }
  EXPECT_FALSE(scheme.tabHighlightColor());
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
