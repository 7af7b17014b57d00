// What a publisher hands the SDK to tell about its own module and to replace parts of the
// offerwall. The core reads it afresh at each use, so a module set later takes effect at the next
// request or screen. Everything defaults to nothing, which selects the SDK's own choice.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "velkor/components/indicator_view_representable.h"
#include "velkor/core/class_of.h"

namespace velkor {

class VelkorNavigationBar;
class OfwListPagerView;
class OfwListPagerPresenter;
class OfwListView;
class OfwTableHeaderView;
class OfwTableFooterView;
class OfwDetailView;
class OfwDetailPresenter;
class OfwDetailWebViewController;
class SharedWebviewViewController;
class OfwInAppBrowserViewController;
class VelkorErrorView;
class OfwNetworkErrorView;

// The presenter classes, made with their screen (held weakly) and, for the detail, the ad id.
using OfwListPagerPresenterClass =
    std::function<std::shared_ptr<OfwListPagerPresenter>(const std::shared_ptr<OfwListPagerView>& view)>;
using OfwDetailPresenterClass = std::function<std::shared_ptr<OfwDetailPresenter>(
    const std::shared_ptr<OfwDetailView>& view, std::int64_t adId)>;

class PubAppModule {
 public:
  virtual ~PubAppModule() = default;

  // Sent with every request and web page as "pub_app_module_name" and "pub_app_module_ver".
  virtual std::optional<std::string> name() const { return std::nullopt; }
  virtual std::optional<std::string> version() const { return std::nullopt; }

  // The classes of the offerwall's parts: each one named here replaces the SDK's own, independently
  // of the others. The factory asks afresh at every build.
  // The bar of every offerwall presentation: VelkorNavigationBar or a subclass.
  virtual ClassOf<VelkorNavigationBar> navigationBarClazz() const { return {}; }
  // The top offerwall screen (tab pager) and its presenter.
  virtual ScreenClass<OfwListPagerView> ofwListViewControllerClazz() const { return {}; }
  virtual OfwListPagerPresenterClass ofwListViewPresenterClazz() const { return {}; }
  // One tab's list page, with its table's header and footer.
  virtual ScreenClass<OfwListView> ofwListViewClazz() const { return {}; }
  virtual ClassOf<OfwTableHeaderView> ofwTableHeaderViewClass() const { return {}; }
  virtual ClassOf<OfwTableFooterView> ofwTableFooterViewClass() const { return {}; }
  // The ad detail screen and its presenter.
  virtual ScreenClass<OfwDetailView> ofwDetailViewControllerClazz() const { return {}; }
  virtual OfwDetailPresenterClass ofwDetailViewPresenterClazz() const { return {}; }
  // The web pages: an ad's detail page, the help and contact page, the in-app browser.
  virtual ClassOf<OfwDetailWebViewController> detailWebViewControllerClazz() const { return {}; }
  virtual ClassOf<SharedWebviewViewController> contractViewControllerClazz() const { return {}; }
  virtual ClassOf<OfwInAppBrowserViewController> inAppBrowserViewControllerClass() const { return {}; }
  // The empty-list error view, and the network error view with its retry button.
  virtual ClassOf<VelkorErrorView> errorViewClass() const { return {}; }
  virtual ClassOf<OfwNetworkErrorView> networkErrorViewClass() const { return {}; }

  // Nib names of the top offerwall screen (declared for publishers; the SDK does not use it) and
  // of the ad detail screen.
  virtual std::optional<std::string> ofwListViewControllerNibName() const { return std::nullopt; }
  virtual std::optional<std::string> ofwDetailViewControllerNibName() const { return std::nullopt; }

  // The help page's address in place of the server stage's; an empty text is still an address.
  virtual std::optional<std::string> customSupportURL() const { return std::nullopt; }

  // The loading indicator laid over the offerwall while it waits for the servers.
  virtual IndicatorViewClass indicatorViewClass() const { return {}; }
};

}  // namespace velkor
