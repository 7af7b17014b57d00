#include "velkor/core/default_classes.h"

namespace velkor {

// Screens still to come answer empty classes until their folders bring them.

PrepareViewClass DefaultClasses::prepareView() { return {}; }
ClassOf<VelkorNavigationBar> DefaultClasses::navigationBar() { return {}; }
ScreenClass<OfwListPagerView> DefaultClasses::listPagerViewController() { return {}; }
OfwListPagerPresenterClass DefaultClasses::listPagerPresenter() { return {}; }
ScreenClass<OfwListView> DefaultClasses::listViewController() { return {}; }
ClassOf<OfwTableHeaderView> DefaultClasses::tableHeaderView() { return {}; }
ClassOf<OfwTableFooterView> DefaultClasses::tableFooterView() { return {}; }
ScreenClass<OfwDetailView> DefaultClasses::detailViewController() { return {}; }
OfwDetailPresenterClass DefaultClasses::detailPresenter() { return {}; }
ClassOf<OfwDetailWebViewController> DefaultClasses::detailWebViewController() { return {}; }
ClassOf<SharedWebviewViewController> DefaultClasses::contractViewController() { return {}; }
ClassOf<OfwInAppBrowserViewController> DefaultClasses::inAppBrowserViewController() { return {}; }
ClassOf<VelkorErrorView> DefaultClasses::errorView() { return {}; }
ClassOf<OfwNetworkErrorView> DefaultClasses::networkErrorView() { return {}; }

}  // namespace velkor
