#include "velkor/components/an_tag_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/velkor/components/widget_test_support.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {
namespace {

const ui::Color kRed(1, 0, 0), kGreen(0, 1, 0), kBlue(0, 0, 1), kYellow(1, 1, 0), kGrey(0.5, 0.5, 0.5);

TEST(ANTagViewTest, EachStateTakesItsColoursFontsAndBorder) {
  struct Case {
    const char* name;
    const char* systemVersion;
    bool selected, highlighted;
    bool withOptionalColours;
    ui::Color background;
    std::optional<ui::Color> border;
    bool selectedFont;
    ui::Color titleColor;
  };
  const auto theme = colorFromHex("#E9ECEF", 1.0);
  const std::vector<Case> cases = {
      {"normal from 13 on: the theme's border", "16.0", false, false, true, kGrey, theme, false, kRed},
      {"normal on 12: the chip's border", "12.4", false, false, true, kGrey, kBlue, false, kRed},
      {"selected", "16.0", true, false, true, kYellow, kGreen, true, kBlue},
      {"selected without its own colours", "16.0", true, false, false, kGrey, kBlue, true, kBlue},
      {"pressed", "16.0", false, true, true, kGreen, theme, false, kRed.withAlphaComponent(0.5)},
      {"pressed without a pressed colour keeps its background", "16.0", false, true, false, kGrey, theme, false,
       kRed.withAlphaComponent(0.5)},
      {"pressed while selected keeps the selected look", "16.0", true, true, true, kYellow, kGreen, true, kBlue},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::ScopedPhone phone(375, c.systemVersion);
    auto chip = ANTagView::make("신규");
    chip->setTextColor(kRed);
    chip->setSelectedTextColor(kBlue);
    chip->setTagBackgroundColor(kGrey);
    chip->setBorderColor(kBlue);
    chip->setHighlightedAlpha(0.5);
    chip->setTextFont(ui::Font::systemFont(12));
    chip->setSelectedTextFont(ui::Font::boldSystemFont(13));
    if (c.withOptionalColours) {
      chip->setHighlightedBackgroundColor(kGreen);
      chip->setSelectedBackgroundColor(kYellow);
      chip->setSelectedBorderColor(kGreen);
    }
    chip->setSelected(c.selected);
    chip->setHighlighted(c.highlighted);
    EXPECT_EQ(chip->backgroundColor(), c.background);
    EXPECT_EQ(chip->layer().borderColor(), c.border);
    EXPECT_EQ(chip->titleLabel()->font(), c.selectedFont ? ui::Font::boldSystemFont(13) : ui::Font::systemFont(12));
    EXPECT_EQ(chip->titleLabel()->textColor(), c.titleColor);
  }
}

TEST(ANTagViewTest, TheThemeBorderResolvesAgainstTheChipsTraitsAndTheChipsOwnScheme) {
  testing::ScopedPhone phone;
  const auto saved = VelkorInternal::shared().colorScheme();
  auto scheme = std::make_shared<VelkorColorScheme>();
  scheme->setTagItemBorderNormalColor(ui::Color::dynamic(kRed, kBlue));
  VelkorInternal::shared().setColorScheme(scheme);
  auto chip = ANTagView::make("전체");
  VelkorInternal::shared().setColorScheme(std::make_shared<VelkorColorScheme>());
  auto later = ANTagView::make("전체");
  VelkorInternal::shared().setColorScheme(saved);

  chip->setOverrideUserInterfaceStyle(ui::UserInterfaceStyle::dark);
  chip->setBorderColor(std::nullopt);
  EXPECT_EQ(chip->layer().borderColor(), kBlue) << "the chip keeps the scheme it was made with";
  chip->setOverrideUserInterfaceStyle(ui::UserInterfaceStyle::light);
  chip->setBorderColor(std::nullopt);
  EXPECT_EQ(chip->layer().borderColor(), kRed);
  later->setBorderColor(std::nullopt);
  EXPECT_EQ(later->layer().borderColor(), colorFromHex("#E9ECEF", 1.0));
}

}  // namespace
}  // namespace velkor
