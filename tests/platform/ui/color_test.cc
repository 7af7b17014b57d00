#include "platform/ui/color.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

const TraitCollection kLight{UserInterfaceStyle::light};
const TraitCollection kDark{UserInterfaceStyle::dark};
const TraitCollection kUnspecified{};

TEST(ColorTest, DynamicColoursResolveByStyleAndUnspecifiedDrawsLight) {
  struct Case {
    const char* name;
    Color color;
    Color light;
    Color dark;
  };
  const Case cases[] = {
      {"systemBackground", Color::systemBackground(), Color::white(), Color::black()},
      {"label", Color::label(), Color::black(), Color::white()},
      {"static", Color(0.2, 0.4, 0.6), Color(0.2, 0.4, 0.6), Color(0.2, 0.4, 0.6)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.color.resolved(kLight), c.light);
    EXPECT_EQ(c.color.resolved(kUnspecified), c.light);
    EXPECT_EQ(c.color.resolved(kDark), c.dark);
    EXPECT_FALSE(c.color.resolved(kDark).isDynamic());
  }
}

TEST(ColorTest, WithAlphaKeepsBothAppearances) {
  Color faded = Color::systemBackground().withAlphaComponent(0.25);
  EXPECT_TRUE(faded.isDynamic());
  EXPECT_EQ(faded.resolved(kLight), Color(1, 1, 1, 0.25));
  EXPECT_EQ(faded.resolved(kDark), Color(0, 0, 0, 0.25));
  EXPECT_EQ(Color::white(), Color::white().withAlphaComponent(0.25).withAlphaComponent(1.0));
}

TEST(ColorTest, DynamicAndStaticColoursDiffer) {
  EXPECT_NE(Color::systemBackground(), Color::white());
  EXPECT_NE(Color::white(), Color::systemBackground());
  EXPECT_EQ(Color::systemBackground(), Color::dynamic(Color::white(), Color::black()));
  // A dynamic colour given as a member resolves to that member's own appearance.
  EXPECT_EQ(Color::dynamic(Color::label(), Color::label()).resolved(kDark), Color::white());
}

TEST(ColorTest, DescriptionRoundsAndClamps) {
  EXPECT_EQ(Color(0x34 / 255.0, 0x81 / 255.0, 1.0, 0.5).description(), "#3481FF80");
  EXPECT_EQ(Color(-1, 2, 0, 1).description(), "#00FF00FF");
}

TEST(ColorTest, AttributeDescriptionsRoundTripBothAppearances) {
  for (const Color& color : {Color(0.1, 0.2, 0.3, 0.4), Color::systemBackground(), Color::label().withAlphaComponent(0.5)}) {
    base::ColorDescription description = color.toColorDescription();
    EXPECT_EQ(description.dark.has_value(), color.isDynamic());
    EXPECT_EQ(Color::fromColorDescription(description), color) << color.description();
  }
  EXPECT_EQ(Color::systemBackground().toColorDescription().dark, (base::Rgba{0, 0, 0, 1}));
}

}  // namespace
}  // namespace ui
