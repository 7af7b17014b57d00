#include <gtest/gtest.h>

#include <optional>

#include "platform/ui/shape_layer.h"
#include "tests/velkor/components/components_testing.h"
#include "velkor/components/default_indicator_view.h"
#include "velkor/components/ofw_toast_message_label.h"
#include "velkor/components/ui_kit_extensions.h"
#include "velkor/components/velkor_error_view.h"

namespace velkor {
namespace {

using ComponentViewsTest = testing::ComponentsTest;

TEST_F(ComponentViewsTest, DotsSitTwentyTwoPointsApartInTheMiddleAndNeverStackAnimations) {
  const ui::Color primary(0.2, 0.4, 0.6);
  VelkorInternal::shared().colorScheme()->setPrimaryColor(primary);
  // Even in an indicator of no size, the dots are centred on its centre.
  for (const ui::Rect frame : {ui::Rect{0, 0, 390, 844}, ui::Rect{50, 60, 0, 0}}) {
    auto indicator = DefaultIndicatorView::make();
    indicator->setFrame(frame);
    indicator->layoutIfNeeded();
    const auto& dots = *indicator->dotIndicatorView();
    EXPECT_EQ(dots.frame(), (ui::Rect{frame.width() / 2 - 60, frame.height() / 2 - 60, 120, 120}));
    const auto& layers = dots.layer().sublayers();
    ASSERT_EQ(layers.size(), 3u);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(layers[i]->position(), (ui::Point{60 + 22.0 * (i - 1), 60}));
      EXPECT_EQ(dynamic_cast<ui::ShapeLayer&>(*layers[i]).fillColor(), primary);
    }
    indicator->show();
    indicator->show();
    for (int i = 0; i < 3; ++i) {
      ASSERT_EQ(layers[i]->animations().size(), 1u);
      auto* group = dynamic_cast<const ui::AnimationGroup*>(layers[i]->animation("velkor.indicator.alphaAnimation"));
      ASSERT_TRUE(group);
      EXPECT_EQ(group->animations[0]->beginTime, 0.25 * i);
      EXPECT_EQ(group->animations[1]->beginTime, 0.25 * i + 0.3);
    }
    indicator->hide();
    for (const auto& layer : layers) EXPECT_TRUE(layer->animations().empty());
  }
}

TEST_F(ComponentViewsTest, AToastLetGoBeforeItsFadeOutDoesNothingMore) {
  auto parent = std::make_shared<ui::View>();
  std::weak_ptr<OfwToastMessageLabel> weak;
  {
    auto toast = std::make_shared<OfwToastMessageLabel>();
    parent->addSubview(toast);
    toast->setLifecycleAnimation(1.0, 0.0, 1.0, 2.0);
    weak = toast;
    advance(0.5);
    toast->removeFromSuperview();
  }
  advance(5);
  EXPECT_TRUE(weak.expired());
}

// The gap under the icon is the theme's, set after the icon alone: a view that a subclass stacks
// under the text sits flush against it.
TEST_F(ComponentViewsTest, TheEmptyViewsGapUnderItsIconIsTheThemes) {
  for (const std::optional<double> spacing : {std::optional<double>{}, std::optional<double>{33}}) {
    auto dimension = std::make_shared<VelkorDimension>();
    if (spacing) dimension->setEmptyViewIconBottomSpacing(*spacing);
    VelkorInternal::shared().setDimension(dimension);
    auto view = VelkorErrorView::make();
    auto below = std::make_shared<ui::View>();
    below->heightAnchor().constraintEqualToConstant(10)->setActive(true);
    view->contentStackView()->addArrangedSubview(below);
    view->setFrame({0, 0, 390, 844});
    view->layoutIfNeeded();
    const auto label = view->messageLabel()->frame();
    EXPECT_EQ(label.minY() - view->iconImageView()->frame().maxY(), spacing.value_or(20));
    EXPECT_EQ(below->frame().minY(), label.maxY());
  }
  VelkorInternal::shared().setDimension(std::make_shared<VelkorDimension>());
}

TEST_F(ComponentViewsTest, DarkModeFollowsTheOverrideThenTheTraits) {
  struct Case {
    const char* version;
    ui::UserInterfaceStyle override;
    ui::UserInterfaceStyle system;
    bool dark;
  };
  using Style = ui::UserInterfaceStyle;
  for (const Case& c : {Case{"13.0", Style::dark, Style::light, true}, Case{"13.0", Style::light, Style::dark, false},
                        Case{"13.0", Style::unspecified, Style::dark, true},
                        Case{"13.0", Style::unspecified, Style::light, false},
                        Case{"12.4", Style::dark, Style::dark, false}}) {
    ui::Device::update([&](ui::Device& device) { device.systemVersion = c.version; });
    window_->setTraitCollection({c.system});
    auto view = std::make_shared<ui::View>();
    window_->addSubview(view);
    view->setOverrideUserInterfaceStyle(c.override);
    EXPECT_EQ(isDarkMode(*view), c.dark) << c.version << " " << int(c.override) << " " << int(c.system);
    view->removeFromSuperview();
  }
}

}  // namespace
}  // namespace velkor
