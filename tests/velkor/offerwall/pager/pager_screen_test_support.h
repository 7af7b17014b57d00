// The pager screen under test: the SDK's screen inside the offerwall's navigation controller, in a
// window on the manual clock, driven by a presenter that serves fixed tabs, ads and popups and
// records what the screen asks of it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/velkor/offerwall/pager/recording_pager_presenter.h"
#include "tests/velkor/offerwall/rows/screen_testing.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/network/ad_repository.h"
#include "velkor/offerwall/pager/default_ofw_list_pager_view_controller.h"
#include "velkor/offerwall/pager/ofw_list_pager_presenter.h"

namespace velkor::testing {

inline Tab pagerTab(const std::string& slug, const std::string& name, std::vector<std::string> tags = {"all"}) {
  Tab tab;
  tab.slug = slug;
  tab.name = name;
  std::int64_t id = 1;
  for (const auto& tag : tags) {
    Tag made;
    made.id = id++;
    made.slug = tag;
    made.name = tag;
    tab.tags.push_back(made);
  }
  return tab;
}

inline Popup pagerPopup(std::int64_t id, PopupDisplayType type = PopupDisplayType::IMAGE_ONLY) {
  Popup popup;
  popup.id = id;
  popup.popupDisplayTypeId = type;
  popup.landingUrl = "velkor://offerwall/ads/" + std::to_string(id);
  return popup;
}

class PagerScreenTest : public ScreenTest {
 protected:
  PagerScreenTest() {
    VelkorInternal::shared().config()->setPrepareViewHidden(true);
    VelkorInternal::shared().repository()->localDataSource()->clear();
  }
  ~PagerScreenTest() override {
    if (window_->rootViewController()) window_->rootViewController()->dismiss(false);
    drain();
    VelkorInternal::shared().repository()->setCacheIsDirty(false);
    VelkorInternal::shared().repository()->localDataSource()->clear();
  }

  // The pager at the root of the offerwall's navigation controller (or a plain one), on screen.
  void show(bool offerwallNavigation = true) {
    pager_ = std::make_shared<DefaultOfwListPagerViewController>();
    pager_->setPresenter(presenter_);
    navigation_ = offerwallNavigation ? std::make_shared<OfwNavigationController>(pager_)
                                      : std::make_shared<ui::NavigationController>(pager_);
    window_->setSize({375, 812});
    window_->setRootViewController(navigation_);
    window_->makeKeyAndVisible();
    window_->layoutIfNeeded();
    drain();
  }
  // The tabs, as the pager's load leaves them in the cache (without ads) for the pages to read.
  void showTabs(std::vector<Tab> tabs) {
    VelkorInternal::shared().repository()->localDataSource()->storeAds({}, tabs);
    presenter_->setTabList(tabs);
    pager_->showTabList(tabs);
    drain();
    window_->layoutIfNeeded();
    pager_->view()->layoutIfNeeded();
  }
  void drain() {
    dispatch::main_loop::drain();
  }
  std::shared_ptr<OfwListView> pageOnScreen() const {
    const auto& shown = pager_->pageViewController()->viewControllers();
    return shown.empty() ? nullptr : std::dynamic_pointer_cast<OfwListView>(shown.front());
  }

  std::shared_ptr<RecordingPagerPresenter> presenter_ = std::make_shared<RecordingPagerPresenter>();
  std::shared_ptr<DefaultOfwListPagerViewController> pager_;
  std::shared_ptr<ui::NavigationController> navigation_;
};

}  // namespace velkor::testing
