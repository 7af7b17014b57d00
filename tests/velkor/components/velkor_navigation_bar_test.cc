#include "velkor/components/velkor_navigation_bar.h"

#include <gtest/gtest.h>

#include "platform/render/window_snapshot.h"
#include "tests/platform/render/snapshot_testing.h"
#include "tests/velkor/components/components_testing.h"
#include "velkor/components/ofw_base_view_controller.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/model/dialog.h"

namespace velkor {
namespace {

using VelkorNavigationBarTest = testing::ComponentsTest;

std::shared_ptr<OfwNavigationController> offerwallWithBar(std::shared_ptr<ui::ViewController> root) {
  auto navigation = std::make_shared<OfwNavigationController>([] { return std::make_shared<VelkorNavigationBar>(); });
  navigation->setViewControllers({std::move(root)});
  return navigation;
}

TEST_F(VelkorNavigationBarTest, SnapshotOfTheBarOverAnAlert) {
  auto screen = std::make_shared<OfwBaseViewController>();
  auto navigation = offerwallWithBar(screen);
  host_->present(navigation, false);
  auto& bar = dynamic_cast<VelkorNavigationBar&>(navigation->navigationBar());
  bar.setTitle("바로적립받기");
  Dialog dialog;
  dialog.type = "confirm";
  dialog.message = "참여가 완료되었습니다.\n앱에서 보상을 확인해 주세요.";
  dialog.positiveButton = "확인하기";
  dialog.negativeButton = "닫기";
  screen->showDialog(dialog);
  render::testing::expectMatchesReference(render::snapshot(*window_, 1.0), "components_navigation_bar_over_alert");
}

}  // namespace
}  // namespace velkor
