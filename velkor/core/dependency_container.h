// The screen factory: makes every screen, presenter and replaceable view of the offerwall from the
// class the publisher's module names, or the SDK's own, and wires the presenters of the pager and
// the detail screen. It keeps nothing and reads the module afresh at every build; make one where it
// is needed. Main thread only.
//
// A class that names nothing, or makes none, gives the SDK's own; a part whose screen the SDK does
// not have yet is then made by nobody: the maker answers none (saying so once in the log), and its
// caller shows nothing.
#pragma once

#include "velkor/core/ofw_view_controller_factory.h"

namespace velkor {

class OfwDetailWebViewController;
class OfwNavigationController;
class OfwTableHeaderView;
class OfwTableFooterView;

class DependencyContainer : public OfwViewControllerFactory {
 public:
  // Made from a nib only when both the framework's registry and the registry the screen class
  // loads from hold one of the chosen name (the configured list nib name, else the class's name);
  // otherwise plainly.
  ScreenOf<OfwListPagerView> makeOfferwallListViewController() const override;
  // Made from the configured detail nib name, else the class's name; plainly, with a log line, when
  // the class's registry lacks that nib. The presenter gets the ad id before the screen gets its
  // presenter and origin.
  ScreenOf<OfwDetailView> makeOfferwallDetailViewController(std::int64_t adId, std::string from) const override;
  ScreenOf<OfwListView> makeOfwListViewController() const override;
  std::shared_ptr<SharedWebviewViewController> makeContractViewController() const override;
  std::shared_ptr<OfwInAppBrowserViewController> makeInAppBrowserViewController(std::string url,
                                                                                std::string title) const override;
  // Of the configuration's prepare view class (the module is not asked).
  std::shared_ptr<ui::View> makePrepareView() const override;
  // Null when the class made a view that is no indicator.
  std::shared_ptr<ui::View> makeLoadingIndicatorView() const override;
  std::shared_ptr<VelkorErrorView> makeErrorView() const override;
  std::shared_ptr<OfwNetworkErrorView> makeNetworkErrorView() const override;

  std::shared_ptr<OfwDetailWebViewController> makeDetailWebViewController() const;
  // An empty full-screen stack under the bar the configuration names (the module's, else
  // VelkorNavigationBar): every presentation of the offerwall's screens starts with one.
  std::shared_ptr<OfwNavigationController> makeNavigationController() const;
  std::shared_ptr<OfwTableHeaderView> makeTableHeaderView() const;
  std::shared_ptr<OfwTableFooterView> makeTableFooterView() const;
};

}  // namespace velkor
