// The SDK's own class for each part of the offerwall that a publisher may replace: what the screen
// factory and the configuration's lookups fall back to. A part whose screen the SDK does not have
// yet has an empty class here; the factory then makes none.
#pragma once

#include "velkor/core/pub_app_module.h"
#include "velkor/core/velkor_config.h"

namespace velkor {

struct DefaultClasses {
  static PrepareViewClass prepareView();
  static ClassOf<VelkorNavigationBar> navigationBar();
  static IndicatorViewClass indicatorView();
  static ScreenClass<OfwListPagerView> listPagerViewController();
  static OfwListPagerPresenterClass listPagerPresenter();
  static ScreenClass<OfwListView> listViewController();
  static ClassOf<OfwTableHeaderView> tableHeaderView();
  static ClassOf<OfwTableFooterView> tableFooterView();
  static ScreenClass<OfwDetailView> detailViewController();
  static OfwDetailPresenterClass detailPresenter();
  static ClassOf<OfwDetailWebViewController> detailWebViewController();
  static ClassOf<SharedWebviewViewController> contractViewController();
  static ClassOf<OfwInAppBrowserViewController> inAppBrowserViewController();
  static ClassOf<VelkorErrorView> errorView();
  static ClassOf<OfwNetworkErrorView> networkErrorView();
};

}  // namespace velkor
