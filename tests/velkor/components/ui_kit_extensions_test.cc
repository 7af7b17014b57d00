#include "velkor/components/ui_kit_extensions.h"

#include <gtest/gtest.h>

#include "tests/velkor/components/components_testing.h"
#include "velkor/components/ofw_toast_message_label.h"

namespace velkor {
namespace {

using UiKitExtensionsTest = testing::ComponentsTest;

TEST_F(UiKitExtensionsTest, AToastLetGoBeforeItsFadeOutDoesNothingMore) {
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

TEST_F(UiKitExtensionsTest, DarkModeFollowsTheOverrideThenTheTraits) {
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
