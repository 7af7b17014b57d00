#include "velkor/core/default_classes.h"

#include "velkor/offerwall/list/default_ofw_list_view_controller.h"
#include "velkor/offerwall/list/ofw_table_footer_view.h"
#include "velkor/offerwall/list/ofw_table_header_view.h"

namespace velkor {

// Screens still to come answer empty classes until their folders bring them.

PrepareViewClass DefaultClasses::prepareView() { return {}; }
ClassOf<VelkorNavigationBar> DefaultClasses::navigationBar() { return {}; }
ScreenClass<OfwListPagerView> DefaultClasses::listPagerViewController() { return {}; }
OfwListPagerPresenterClass DefaultClasses::listPagerPresenter() { return {}; }
ScreenClass<OfwListView> DefaultClasses::listViewController() {
  return ScreenClass<OfwListView>::of<DefaultOfwListViewController>("DefaultOfwListViewController",
                                                                     &ui::NibRegistry::framework());
}
ClassOf<OfwTableHeaderView> DefaultClasses::tableHeaderView() { return [] { return OfwTableHeaderView::make(); }; }
ClassOf<OfwTableFooterView> DefaultClasses::tableFooterView() { return [] { return OfwTableFooterView::make(); }; }
ScreenClass<OfwDetailView> DefaultClasses::detailViewController() { return {}; }
OfwDetailPresenterClass DefaultClasses::detailPresenter() { return {}; }
ClassOf<OfwDetailWebViewController> DefaultClasses::detailWebViewController() { return {}; }
ClassOf<SharedWebviewViewController> DefaultClasses::contractViewController() { return {}; }
ClassOf<OfwInAppBrowserViewController> DefaultClasses::inAppBrowserViewController() { return {}; }
ClassOf<VelkorErrorView> DefaultClasses::errorView() { return {}; }
ClassOf<OfwNetworkErrorView> DefaultClasses::networkErrorView() { return {}; }

}  // namespace velkor
