#include "velkor/core/default_classes.h"

#include "velkor/components/default_indicator_view.h"
#include "velkor/components/default_prepare_view.h"
#include "velkor/components/ofw_network_error_view.h"
#include "velkor/components/velkor_error_view.h"
#include "velkor/components/velkor_navigation_bar.h"
#include "velkor/detail/default_ofw_detail_view_controller.h"
#include "velkor/detail/ofw_detail_presenter_impl.h"
#include "velkor/resources/framework_nibs.h"
#include "velkor/web/ofw_detail_web_view_controller.h"
#include "velkor/web/ofw_in_app_browser_view_controller.h"
#include "velkor/web/shared_webview_view_controller.h"

namespace velkor {

// Screens still to come answer empty classes until their folders bring them.

PrepareViewClass DefaultClasses::prepareView() {
  return [](const ui::Rect& frame) { return std::shared_ptr<ui::View>(DefaultPrepareView::make(frame)); };
}
ClassOf<VelkorNavigationBar> DefaultClasses::navigationBar() { return classOf<VelkorNavigationBar>(); }
IndicatorViewClass DefaultClasses::indicatorView() {
  return [] { return std::shared_ptr<ui::View>(DefaultIndicatorView::make()); };
}
ScreenClass<OfwListPagerView> DefaultClasses::listPagerViewController() { return {}; }
OfwListPagerPresenterClass DefaultClasses::listPagerPresenter() { return {}; }
ScreenClass<OfwListView> DefaultClasses::listViewController() { return {}; }
ClassOf<OfwTableHeaderView> DefaultClasses::tableHeaderView() { return {}; }
ClassOf<OfwTableFooterView> DefaultClasses::tableFooterView() { return {}; }
ScreenClass<OfwDetailView> DefaultClasses::detailViewController() {
  return ScreenClass<OfwDetailView>::of<DefaultOfwDetailViewController>(DefaultOfwDetailViewController::kNibName,
                                                                        &frameworkNibs());
}
OfwDetailPresenterClass DefaultClasses::detailPresenter() {
  return [](const std::shared_ptr<OfwDetailView>& view, std::int64_t adId) -> std::shared_ptr<OfwDetailPresenter> {
    return std::make_shared<OfwDetailPresenterImpl>(view, adId);
  };
}
ClassOf<OfwDetailWebViewController> DefaultClasses::detailWebViewController() {
  return classOf<OfwDetailWebViewController>();
}
ClassOf<SharedWebviewViewController> DefaultClasses::contractViewController() {
  return classOf<SharedWebviewViewController>();
}
ClassOf<OfwInAppBrowserViewController> DefaultClasses::inAppBrowserViewController() {
  return classOf<OfwInAppBrowserViewController>();
}
ClassOf<VelkorErrorView> DefaultClasses::errorView() { return [] { return VelkorErrorView::make(); }; }
ClassOf<OfwNetworkErrorView> DefaultClasses::networkErrorView() {
  return [] { return OfwNetworkErrorView::make(); };
}

}  // namespace velkor
