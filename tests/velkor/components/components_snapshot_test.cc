#include <gtest/gtest.h>

#include "platform/render/window_snapshot.h"
#include "tests/platform/render/snapshot_testing.h"
#include "tests/velkor/components/components_testing.h"
#include "tests/velkor/components/widget_test_support.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/components/an_tab_bar.h"
#include "velkor/components/an_tag_list_view.h"
#include "velkor/components/ofw_base_view_controller.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/components/velkor_navigation_bar.h"
#include "velkor/model/dialog.h"

namespace velkor {
namespace {

// A list page's top as the offerwall shows it: three tabs, the first selected, over a strip of tag
// chips in the theme's colours with the first chip chosen.
TEST(ComponentsSnapshotTest, ATagStripUnderATabBar) {
  testing::ScopedPhone phone(375);
  const auto& scheme = *VelkorInternal::shared().colorScheme();
  auto root = std::make_shared<ui::View>(ui::Rect(0, 0, 375, 84));
  root->setBackgroundColor(scheme.backgroundColor());

  auto bar = ANTabBar::make();
  root->addSubview(bar);
  bar->setFrame(ui::Rect(0, 0, 375, 44));
  std::vector<std::shared_ptr<ANTabBarItem>> items;
  for (const char* title : {"전체", "참여", "쇼핑"}) {
    items.push_back(ANTabBarItem::create(title, title));
    bar->addTabBarItem(items.back());
  }
  bar->setSelectedItem(items.front());
  bar->refresh();

  auto strip = std::make_shared<ANTagListView>(ui::Rect(0, 44, 375, 40));
  root->addSubview(strip);
  strip->setTagListViewVerticalPadding(6);
  strip->setCornerRadius(14);
  strip->setBorderWidth(1);
  strip->setPaddingX(12);
  strip->setPaddingY(7);
  strip->setTextColor(scheme.tagItemTextNormalColor());
  strip->setSelectedTextColor(scheme.tagItemTextSelectedColor());
  strip->setTagBackgroundColor(scheme.tagItemNormalColor());
  strip->setTagSelectedBackgroundColor(scheme.tagItemSelectedColor());
  strip->setTextFont(VelkorOfwText::tagItemTextFont().instance(13));
  strip->setSelectedTextFont(VelkorOfwText::selectedTagItemTextFont().instance(13));
  strip->addTags({"전체", "간편미션", "신규", "구독", "한정"});
  strip->setTag(0);
  root->layoutIfNeeded();

  render::testing::expectMatchesReference(render::snapshot(*root), "components_tag_strip_under_tab_bar");
}

using ComponentsScreenSnapshotTest = testing::ComponentsTest;

TEST_F(ComponentsScreenSnapshotTest, TheNavigationBarOverAnAlert) {
  auto screen = std::make_shared<OfwBaseViewController>();
  auto navigation = std::make_shared<OfwNavigationController>([] { return std::make_shared<VelkorNavigationBar>(); });
  navigation->setViewControllers({screen});
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
