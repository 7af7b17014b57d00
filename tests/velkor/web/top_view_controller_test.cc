#include "velkor/web/top_view_controller.h"

#include <gtest/gtest.h>

#include "platform/ui/navigation_controller.h"
#include "platform/ui/tab_bar_controller.h"
#include "tests/platform/ui/controller_testing.h"

namespace velkor {
namespace {

using Controller = std::shared_ptr<ui::ViewController>;
using TopViewControllerTest = ui::testing::ScreenTest;

Controller make() { return std::make_shared<ui::ViewController>(); }

TEST_F(TopViewControllerTest, WalksNavigationTabsAndPresentations) {
  EXPECT_EQ(topViewController(nullptr), nullptr);
  auto top = make();
  auto navigation = std::make_shared<ui::NavigationController>();
  navigation->setViewControllers({make(), top});
  auto tabs = std::make_shared<ui::TabBarController>();
  tabs->setViewControllers({make(), navigation});
  tabs->setSelectedIndex(1);
  show(tabs);
  EXPECT_EQ(topViewController(tabs), top);
  EXPECT_EQ(topViewController(top), top);

  // What the selected stack presents, and what that presents in turn.
  auto presented = std::make_shared<ui::NavigationController>(make());
  navigation->present(presented, false);
  auto alert = make();
  presented->present(alert, false);
  dispatch::main_loop::drain();
  EXPECT_EQ(topViewController(tabs), alert);

  // A tab bar without a selected tab goes on to what it presents.
  window_ = std::make_shared<ui::Window>();
  auto empty = std::make_shared<ui::TabBarController>();
  show(empty);
  auto overEmpty = make();
  empty->present(overEmpty, false);
  dispatch::main_loop::drain();
  EXPECT_EQ(topViewController(empty), overEmpty);
}

}  // namespace
}  // namespace velkor
