#include "velkor/appearance/velkor_color_scheme.h"

#include <gtest/gtest.h>

#include <string>

#include "velkor/appearance/hex_color.h"

namespace velkor {
namespace {

using ColorGetter = ui::Color (VelkorColorScheme::*)() const;

const ui::Color kPink(1, 0.4, 0.7);
const ui::Color kTeal(0, 0.5, 0.5);

TEST(ColorSchemeTest, FallbacksReadBaseColoursAsTheyNowStand) {
  const struct {
    const char* name;
    ColorGetter member;
    void (VelkorColorScheme::*setMember)(const ui::Color&);
    void (VelkorColorScheme::*setBase)(const ui::Color&);
  } cases[] = {
      {"ctaButtonEnableColor", &VelkorColorScheme::ctaButtonEnableColor, &VelkorColorScheme::setCtaButtonEnableColor,
       &VelkorColorScheme::setPrimaryColor},
      {"alertMessageColor", &VelkorColorScheme::alertMessageColor, &VelkorColorScheme::setAlertMessageColor,
       &VelkorColorScheme::setTextColor},
      {"highlightTextColor", &VelkorColorScheme::highlightTextColor, &VelkorColorScheme::setHighlightTextColor,
       &VelkorColorScheme::setPrimaryColorVariant},
      // Optional-backed: the same rule through a field of their own.
      {"detailCallToActionButtonColor", &VelkorColorScheme::detailCallToActionButtonColor,
       &VelkorColorScheme::setDetailCallToActionButtonColor, &VelkorColorScheme::setPrimaryColor},
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

struct HexCase {
  const char* text;
  unsigned rgb;  // expected red, green and blue bytes
};

const HexCase kCases[] = {
    // The same colour however it is written; Unicode blanks count as blanks too.
    HexCase{"#3481ff", 0x3481ff}, HexCase{"0X3481FF", 0x3481ff}, HexCase{"# 3481ff", 0x3481ff},
    HexCase{"#0x3481ff", 0x3481ff}, HexCase{"\u00a0#3481ff\u2028", 0x3481ff},
    // Short forms are numbers, not expanded.
    HexCase{"#fff", 0x000fff},
    // Wider numbers keep their low 24 bits; past 32 bits they saturate.
    HexCase{"#80FF0000", 0xff0000}, HexCase{"123456789", 0xffffff},
    // The number ends at the first other character.
    HexCase{"#12zz34", 0x000012},
    // No number at all: black.
    HexCase{"", 0}, HexCase{"##3481ff", 0}, HexCase{"0x", 0}, HexCase{"-3481ff", 0},
};

TEST(HexColorTest, ReadsOneHexNumberAndKeepsItsLow24Bits) {
  for (const HexCase& c : kCases) {
    SCOPED_TRACE(testing::Message() << '"' << c.text << '"');
    ui::Color color = colorFromHex(c.text, 0.5);
    EXPECT_DOUBLE_EQ(color.red(), ((c.rgb >> 16) & 0xff) / 255.0);
    EXPECT_DOUBLE_EQ(color.green(), ((c.rgb >> 8) & 0xff) / 255.0);
    EXPECT_DOUBLE_EQ(color.blue(), (c.rgb & 0xff) / 255.0);
    EXPECT_EQ(color.alpha(), 0.5);  // the argument, never the text's
  }
}

}  // namespace
}  // namespace velkor
