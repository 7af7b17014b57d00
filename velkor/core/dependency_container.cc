#include "velkor/core/dependency_container.h"

#include <mutex>
#include <set>
#include <string>

#include "platform/base/log.h"
#include "platform/ui/screen.h"
#include "velkor/components/indicator_view_representable.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/components/velkor_navigation_bar.h"
#include "velkor/core/default_classes.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/detail/ofw_detail_view.h"
#include "velkor/offerwall/list/ofw_list_view.h"
#include "velkor/offerwall/pager/ofw_list_pager_view.h"
#include "velkor/resources/framework_nibs.h"
#include "velkor/web/ofw_in_app_browser_view_controller.h"

namespace velkor {
namespace {

// A part nobody made is said once per process: callers ask for it at every screen.
void logMissingOnce(const std::string& part) {
  static std::mutex mutex;
  static auto* said = new std::set<std::string>;
  std::lock_guard lock(mutex);
  if (said->insert(part).second) base::log("Factory", "no class makes the " + part + "; nothing is shown");
}

template <class T>
std::shared_ptr<T> made(std::shared_ptr<T> object, const char* part) {
  if (!object) logMissingOnce(part);
  return object;
}

template <class Protocol>
ScreenOf<Protocol> made(ScreenOf<Protocol> screen, const char* part) {
  if (!screen) logMissingOnce(part);
  return screen;
}

// The pager from its nib only when the framework holds one of that name and so does the registry
// the class loads from (a host subclass loads from the host's); otherwise plainly.
ScreenOf<OfwListPagerView> makePager(const ScreenClass<OfwListPagerView>& screenClass) {
  if (!screenClass) return {};
  const auto nibName = VelkorConfig::offerwallListViewControllerNibName().value_or(screenClass.typeName());
  const bool fromNib = frameworkNibs().contains(nibName) && screenClass.bundle().contains(nibName);
  return screenClass.make(fromNib ? std::optional(nibName) : std::nullopt);
}

// The detail screen from its nib; plainly, and said, when the class's registry has no such nib.
ScreenOf<OfwDetailView> makeDetail(const ScreenClass<OfwDetailView>& screenClass, const std::string& nibName) {
  if (!screenClass) return {};
  if (screenClass.bundle().contains(nibName)) return screenClass.make(nibName);
  base::log("Factory", "no nib \"" + nibName + "\" for the ad detail screen; it is built without one");
  return screenClass.make(std::nullopt);
}

}  // namespace

ScreenOf<OfwListPagerView> DependencyContainer::makeOfferwallListViewController() const {
  auto screen = makePager(VelkorConfig::offerwallListViewControllerClazz());
  if (!screen) screen = makePager(DefaultClasses::listPagerViewController());
  if (!screen) return made(std::move(screen), "offerwall list screen");
  const auto presenterClass = VelkorConfig::offerwallListViewPresenterClazz();
  auto presenter = presenterClass ? presenterClass(screen.view) : nullptr;
  if (!presenter && DefaultClasses::listPagerPresenter()) presenter = DefaultClasses::listPagerPresenter()(screen.view);
  if (presenter) screen.view->setPresenter(std::move(presenter));
  return screen;
}

ScreenOf<OfwDetailView> DependencyContainer::makeOfferwallDetailViewController(std::int64_t adId,
                                                                               std::string from) const {
  auto screenClass = VelkorConfig::offerwallDetailViewControllerClazz();
  const auto configuredNib = VelkorConfig::offerwallDetailViewControllerNibName();
  const auto presenterClass = VelkorConfig::offerwallDetailViewPresenterClazz();
  auto screen = makeDetail(screenClass, configuredNib.value_or(screenClass.typeName()));
  if (!screen) {
    screenClass = DefaultClasses::detailViewController();
    screen = makeDetail(screenClass, configuredNib.value_or(screenClass.typeName()));
  }
  if (!screen) return made(std::move(screen), "ad detail screen");
  auto presenter = presenterClass ? presenterClass(screen.view, adId) : nullptr;
  if (!presenter && DefaultClasses::detailPresenter()) presenter = DefaultClasses::detailPresenter()(screen.view, adId);
  if (presenter) screen.view->setPresenter(std::move(presenter));
  screen.view->setFrom(std::move(from));
  return screen;
}

ScreenOf<OfwListView> DependencyContainer::makeOfwListViewController() const {
  auto screen = VelkorConfig::ofwListViewControllerClazz().make();
  if (!screen) screen = DefaultClasses::listViewController().make();
  return made(std::move(screen), "list page");
}

std::shared_ptr<SharedWebviewViewController> DependencyContainer::makeContractViewController() const {
  return made(makeOrDefault(VelkorConfig::contractViewControllerClazz(), DefaultClasses::contractViewController()),
              "help page");
}

std::shared_ptr<OfwInAppBrowserViewController> DependencyContainer::makeInAppBrowserViewController(
    std::string url, std::string title) const {
  auto browser = made(
      makeOrDefault(VelkorConfig::inAppBrowserViewControllerClass(), DefaultClasses::inAppBrowserViewController()),
      "in-app browser");
  if (browser) {
    browser->setWebViewURL(std::move(url));
    browser->setNavigationTitle(std::move(title));
  }
  return browser;
}

std::shared_ptr<ui::View> DependencyContainer::makePrepareView() const {
  const auto bounds = ui::Screen::main().bounds;
  const ui::Rect frame{0, 0, bounds.size.width, bounds.size.height};
  auto viewClass = VelkorInternal::shared().config()->prepareViewClass();
  auto view = viewClass ? viewClass(frame) : nullptr;
  if (!view && DefaultClasses::prepareView()) view = DefaultClasses::prepareView()(frame);
  return made(std::move(view), "prepare view");
}

std::shared_ptr<ui::View> DependencyContainer::makeLoadingIndicatorView() const {
  auto view = made(
      makeOrDefault(VelkorInternal::shared().config()->indicatorViewClass(), DefaultClasses::indicatorView()),
      "loading indicator");
  return asIndicator(view.get()) ? view : nullptr;
}

std::shared_ptr<VelkorErrorView> DependencyContainer::makeErrorView() const {
  return made(makeOrDefault(VelkorConfig::errorViewClass(), DefaultClasses::errorView()), "error view");
}

std::shared_ptr<OfwNetworkErrorView> DependencyContainer::makeNetworkErrorView() const {
  return made(makeOrDefault(VelkorConfig::networkErrorViewClass(), DefaultClasses::networkErrorView()),
              "network error view");
}

std::shared_ptr<OfwDetailWebViewController> DependencyContainer::makeDetailWebViewController() const {
  return made(makeOrDefault(VelkorConfig::detailWebViewControllerClazz(), DefaultClasses::detailWebViewController()),
              "ad detail web page");
}

std::shared_ptr<OfwNavigationController> DependencyContainer::makeNavigationController() const {
  auto barClass = VelkorInternal::shared().config()->navigationBarClazz();
  auto navigation = std::make_shared<OfwNavigationController>([barClass]() -> std::shared_ptr<ui::NavigationBar> {
    return makeOrDefault(barClass, DefaultClasses::navigationBar());
  });
  navigation->setModalPresentationStyle(ui::ModalPresentationStyle::fullScreen);
  return navigation;
}

std::shared_ptr<OfwTableHeaderView> DependencyContainer::makeTableHeaderView() const {
  return made(makeOrDefault(VelkorConfig::ofwTableHeaderViewClass(), DefaultClasses::tableHeaderView()),
              "list header");
}

std::shared_ptr<OfwTableFooterView> DependencyContainer::makeTableFooterView() const {
  return made(makeOrDefault(VelkorConfig::ofwTableFooterViewClass(), DefaultClasses::tableFooterView()),
              "list footer");
}

}  // namespace velkor
