#include "platform/ui/color.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

const TraitCollection kLight{UserInterfaceStyle::light};
const TraitCollection kDark{UserInterfaceStyle::dark};
const TraitCollection kUnspecified{};

TEST(ColorTest, DynamicColoursResolveByStyleAndUnspecifiedDrawsLight) {
  const struct {
    const char* name;
    Color color, light, dark;
  } cases[] = {
      {"systemBackground", Color::systemBackground(), Color::white(), Color::black()},
      {"label", Color::label(), Color::black(), Color::white()},
      {"static", Color(0.2, 0.4, 0.6), Color(0.2, 0.4, 0.6), Color(0.2, 0.4, 0.6)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.color.resolved(kLight), c.light);
    EXPECT_EQ(c.color.resolved(kUnspecified), c.light);
    EXPECT_EQ(c.color.resolved(kDark), c.dark);
    EXPECT_FALSE(c.color.resolved(kDark).isDynamic());
  }
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
