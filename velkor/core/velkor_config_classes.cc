// The configuration's class lookups: what the publisher module names, else the SDK's own class.
#include "velkor/core/default_classes.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {
namespace {

// The module's class when the module in place now names one, else the fallback.
template <class Class>
Class moduleClassOr(Class (PubAppModule::*requirement)() const, Class fallback) {
  if (const auto module = VelkorInternal::shared().pubAppModule()) {
    if (auto chosen = ((*module).*requirement)()) return chosen;
  }
  return fallback;
}

}  // namespace

PrepareViewClass VelkorConfig::prepareViewClass() const {
  std::lock_guard lock(mutex_);
  return prepareViewClass_ ? prepareViewClass_ : DefaultClasses::prepareView();
}

void VelkorConfig::setPrepareViewClass(PrepareViewClass viewClass) {
  std::lock_guard lock(mutex_);
  prepareViewClass_ = std::move(viewClass);
}

ClassOf<VelkorNavigationBar> VelkorConfig::navigationBarClazz() const {
  return moduleClassOr(&PubAppModule::navigationBarClazz, DefaultClasses::navigationBar());
}

IndicatorViewClass VelkorConfig::indicatorViewClass() const {
  return moduleClassOr(&PubAppModule::indicatorViewClass, DefaultClasses::indicatorView());
}

ScreenClass<OfwListPagerView> VelkorConfig::offerwallListViewControllerClazz() {
  return moduleClassOr(&PubAppModule::ofwListViewControllerClazz, DefaultClasses::listPagerViewController());
}

OfwListPagerPresenterClass VelkorConfig::offerwallListViewPresenterClazz() {
  return moduleClassOr(&PubAppModule::ofwListViewPresenterClazz, DefaultClasses::listPagerPresenter());
}

ScreenClass<OfwDetailView> VelkorConfig::offerwallDetailViewControllerClazz() {
  return moduleClassOr(&PubAppModule::ofwDetailViewControllerClazz, DefaultClasses::detailViewController());
}

OfwDetailPresenterClass VelkorConfig::offerwallDetailViewPresenterClazz() {
  return moduleClassOr(&PubAppModule::ofwDetailViewPresenterClazz, DefaultClasses::detailPresenter());
}

ClassOf<SharedWebviewViewController> VelkorConfig::contractViewControllerClazz() {
  return moduleClassOr(&PubAppModule::contractViewControllerClazz, DefaultClasses::contractViewController());
}

ClassOf<OfwInAppBrowserViewController> VelkorConfig::inAppBrowserViewControllerClass() {
  return moduleClassOr(&PubAppModule::inAppBrowserViewControllerClass, DefaultClasses::inAppBrowserViewController());
}

ClassOf<OfwDetailWebViewController> VelkorConfig::detailWebViewControllerClazz() {
  return moduleClassOr(&PubAppModule::detailWebViewControllerClazz, DefaultClasses::detailWebViewController());
}

ScreenClass<OfwListView> VelkorConfig::ofwListViewControllerClazz() {
  return moduleClassOr(&PubAppModule::ofwListViewClazz, DefaultClasses::listViewController());
}

ClassOf<OfwTableHeaderView> VelkorConfig::ofwTableHeaderViewClass() {
  return moduleClassOr(&PubAppModule::ofwTableHeaderViewClass, DefaultClasses::tableHeaderView());
}

ClassOf<OfwTableFooterView> VelkorConfig::ofwTableFooterViewClass() {
  return moduleClassOr(&PubAppModule::ofwTableFooterViewClass, DefaultClasses::tableFooterView());
}

ClassOf<VelkorErrorView> VelkorConfig::errorViewClass() {
  return moduleClassOr(&PubAppModule::errorViewClass, DefaultClasses::errorView());
}

ClassOf<OfwNetworkErrorView> VelkorConfig::networkErrorViewClass() {
  return moduleClassOr(&PubAppModule::networkErrorViewClass, DefaultClasses::networkErrorView());
}

}  // namespace velkor
