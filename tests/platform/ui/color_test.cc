#include "platform/ui/color.h"

#include <gtest/gtest.h>

namespace ui {
namespace {


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
