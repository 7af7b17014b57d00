#include "velkor/web/top_view_controller.h"

#include <gtest/gtest.h>

#include "platform/ui/navigation_controller.h"
#include "platform/ui/tab_bar_controller.h"
#include "tests/platform/ui/controller_testing.h"

namespace velkor {
namespace {

using Controller = std::shared_ptr<ui::ViewController>;

class TopViewControllerTest : public ui::testing::ScreenTest {
 protected:
  Controller make() { return std::make_shared<ui::ViewController>(); }
  // Shows the root in the window and presents `presented` over `from`, without animation.
  void presentOver(const Controller& from, const Controller& presented) {
    from->present(presented, false);
    dispatch::main_loop::drain();
    ASSERT_EQ(from->presentedViewController(), presented);
  }
};

TEST_F(TopViewControllerTest, NoRootGivesNone) { EXPECT_EQ(topViewController(nullptr), nullptr); }

TEST_F(TopViewControllerTest, WalksNavigationTabsAndPresentations) {
  struct Case {
    const char* name;
    std::function<std::pair<Controller, Controller>()> build;  // root, expected top
  };
  const std::vector<Case> cases = {
      {"plain screen",
       [&] {
         auto root = make();
         show(root);
         return std::pair{root, root};
       }},
      {"navigation stack: its top",
       [&] {
         auto bottom = make(), top = make();
         auto navigation = std::make_shared<ui::NavigationController>();
         navigation->setViewControllers({bottom, top});
         show(navigation);
         return std::pair<Controller, Controller>{navigation, top};
       }},
      {"navigation presenting: the presented",
       [&] {
         auto navigation = std::make_shared<ui::NavigationController>(make());
         show(navigation);
         auto presented = make();
         presentOver(navigation, presented);
         return std::pair<Controller, Controller>{navigation, presented};
       }},
      {"tab bar: the selected tab's stack top",
       [&] {
         auto inner = make();
         auto tabs = std::make_shared<ui::TabBarController>();
         tabs->setViewControllers({make(), std::make_shared<ui::NavigationController>(inner)});
         tabs->setSelectedIndex(1);
         show(tabs);
         return std::pair<Controller, Controller>{tabs, inner};
       }},
      {"tab bar without a selection presenting an alert: the alert",
       [&] {
         auto tabs = std::make_shared<ui::TabBarController>();
         show(tabs);
         auto alert = make();
         presentOver(tabs, alert);
         return std::pair<Controller, Controller>{tabs, alert};
       }},
      {"screen presenting a navigation stack: that stack's top",
       [&] {
         auto root = make();
         show(root);
         auto top = make();
         presentOver(root, std::make_shared<ui::NavigationController>(top));
         return std::pair{root, top};
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    window_ = std::make_shared<ui::Window>();
    auto [root, expected] = c.build();
    EXPECT_EQ(topViewController(root), expected);
  }
}

}  // namespace
}  // namespace velkor
