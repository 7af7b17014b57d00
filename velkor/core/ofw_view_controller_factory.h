// The makers of the offerwall's screens and replaceable views, as host apps may call them. Each
// takes the publisher module's class when the module names one, else the SDK's own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "velkor/core/class_of.h"

namespace ui {
class View;
}

namespace velkor {

class OfwListPagerView;
class OfwListView;
class OfwDetailView;
class SharedWebviewViewController;
class OfwInAppBrowserViewController;
class VelkorErrorView;
class OfwNetworkErrorView;

class OfwViewControllerFactory {
 public:
  virtual ~OfwViewControllerFactory() = default;

  // The top offerwall screen, with its presenter set.
  virtual ScreenOf<OfwListPagerView> makeOfferwallListViewController() const = 0;
  // An ad's detail screen, with its presenter (given the ad id) and its origin set.
  virtual ScreenOf<OfwDetailView> makeOfferwallDetailViewController(std::int64_t adId, std::string from) const = 0;
  // One tab's list page, without a presenter: the pager sets it.
  virtual ScreenOf<OfwListView> makeOfwListViewController() const = 0;
  // The help and contact page.
  virtual std::shared_ptr<SharedWebviewViewController> makeContractViewController() const = 0;
  // The in-app browser at that page, with that title.
  virtual std::shared_ptr<OfwInAppBrowserViewController> makeInAppBrowserViewController(std::string url,
                                                                                        std::string title) const = 0;
  // The prepare view, the size of the main screen.
  virtual std::shared_ptr<ui::View> makePrepareView() const = 0;
  // A loading indicator (a view adopting IndicatorViewRepresentable).
  virtual std::shared_ptr<ui::View> makeLoadingIndicatorView() const = 0;
  virtual std::shared_ptr<VelkorErrorView> makeErrorView() const = 0;
  virtual std::shared_ptr<OfwNetworkErrorView> makeNetworkErrorView() const = 0;
};

}  // namespace velkor
