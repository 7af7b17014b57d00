#include <gtest/gtest.h>

#include "tests/platform/render/snapshot_testing.h"
#include "tests/velkor/components/widget_test_support.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/components/an_tab_bar.h"
#include "velkor/components/an_tag_list_view.h"
#include "velkor/core/velkor_internal.h"

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

}  // namespace
}  // namespace velkor
