#include "velkor/components/ofw_navigation_controller.h"

#include "platform/ui/application.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/components/indicator_view_representable.h"
#include "velkor/components/pin_edges.h"
#include "velkor/core/dependency_container.h"
#include "velkor/core/ofw_life_cycle_delegate.h"
#include "velkor/core/os_version_gate.h"
#include "velkor/core/velkor.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {

bool InteractivePopRecognizer::gestureRecognizerShouldBegin(ui::GestureRecognizer&) {
  auto controller = navigationController_.lock();
  return controller && controller->viewControllers().size() > 1;
}

bool InteractivePopRecognizer::gestureRecognizerShouldRecognizeSimultaneously(ui::GestureRecognizer&,
                                                                              ui::GestureRecognizer&) {
  return true;
}

void popOrDismiss(ui::NavigationController& navigation) {
  if (navigation.viewControllers().size() < 2) {
    navigation.dismiss(true);
  } else {
    navigation.popViewController(true);
  }
}

OfwNavigationController::OfwNavigationController() = default;

OfwNavigationController::OfwNavigationController(std::shared_ptr<ui::ViewController> rootViewController)
    : ui::NavigationController(std::move(rootViewController)) {}

OfwNavigationController::OfwNavigationController(const NavigationBarFactory& navigationBarClass)
    : ui::NavigationController(navigationBarClass) {}

void OfwNavigationController::viewDidLoad() {
  ui::NavigationController::viewDidLoad();
  const auto scheme = VelkorInternal::shared().colorScheme();
  navigationBar().setBarTintColor(scheme->navigationBarTintColor());
  navigationBar().setTintColor(scheme->navigationTintColor());
  navigationBar().setTranslucent(false);
  popRecognizer_ = std::make_shared<InteractivePopRecognizer>(
      std::static_pointer_cast<ui::NavigationController>(shared_from_this()));
  if (const auto& gesture = interactivePopGestureRecognizer()) gesture->setDelegate(popRecognizer_);
  if (auto delegate = Velkor::shared().lifeCycleDelegate()) delegate->offerwallOpen();
}

void OfwNavigationController::backButtonClicked() {
  if (viewControllers().size() >= 2) {
    popViewController(true);
    return;
  }
  dismiss(true);
  if (auto delegate = Velkor::shared().lifeCycleDelegate()) delegate->offerwallClosed();
}

void OfwNavigationController::forceDismiss(bool animated, Completion completion) {
  dismissForce_ = true;
  dismiss(animated, std::move(completion));
}

void OfwNavigationController::dismiss(bool animated, Completion completion) {
  // With an alert up, the platform dismisses only the alert: the offerwall stays, and so does the
  // login delegate waiting on it.
  if (!presentedViewController()) VelkorInternal::shared().setLoginDelegate({});
  ui::NavigationController::dismiss(animated, std::move(completion));
}

void OfwNavigationController::showIndicator() {
  hideIndicator();
  ui::Application::shared().setNetworkActivityIndicatorVisible(true);
  indicator_ = DependencyContainer().makeLoadingIndicatorView();
  if (!indicator_) return;
  const auto& container = view();
  container->addSubview(indicator_);
  pinEdges(*indicator_, *container);
  indicator_->setUserInteractionEnabled(false);
  asIndicator(indicator_.get())->show();
}

void OfwNavigationController::hideIndicator() {
  ui::Application::shared().setNetworkActivityIndicatorVisible(false);
  if (indicator_) {
    asIndicator(indicator_.get())->hide();
    indicator_->removeFromSuperview();
  }
  indicator_ = nullptr;
}

ui::StatusBarStyle OfwNavigationController::preferredStatusBarStyle() const {
  if (!isOsVersionAtLeast("13")) return ui::StatusBarStyle::defaultStyle;
  switch (Velkor::shared().overrideUserInterfaceStyle()) {
    case ui::UserInterfaceStyle::light:
      return ui::StatusBarStyle::darkContent;
    case ui::UserInterfaceStyle::dark:
      return ui::StatusBarStyle::lightContent;
    default:
      return ui::StatusBarStyle::defaultStyle;
  }
}

ui::InterfaceOrientationMask OfwNavigationController::supportedInterfaceOrientations() const {
  return ui::InterfaceOrientationMask::portrait;
}

}  // namespace velkor
