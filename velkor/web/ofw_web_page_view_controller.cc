#include "velkor/web/ofw_web_page_view_controller.h"

#include "platform/base/log.h"
#include "platform/dispatch/queue.h"
#include "platform/net/error.h"
#include "platform/ui/constraint.h"
#include "platform/ui/navigation_controller.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/components/ofw_network_error_view.h"
#include "velkor/components/velkor_alert_controller.h"
#include "velkor/components/velkor_navigation_bar.h"
#include "velkor/core/dependency_container.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/resources/framework_nibs.h"
#include "velkor/resources/resource_bundle.h"
#include "velkor/web/web_address.h"
#include "velkor/web/weak_script_message_handler.h"

namespace velkor {
namespace {

void pinToEdges(ui::View& view, ui::View& container) {
  view.setTranslatesAutoresizingMaskIntoConstraints(false);
  ui::Constraint::activate({
      view.leadingAnchor().constraintEqualTo(container.leadingAnchor()),
      view.trailingAnchor().constraintEqualTo(container.trailingAnchor()),
      view.topAnchor().constraintEqualTo(container.topAnchor()),
      view.bottomAnchor().constraintEqualTo(container.bottomAnchor()),
  });
}

}  // namespace

void OfwWebPageViewController::installWebView(
    const std::vector<std::pair<std::string, std::shared_ptr<web::ScriptMessageHandler>>>& handlers) {
  if (webView_) webView_->removeFromSuperview();
  web::WebViewConfiguration configuration;
  for (const auto& [name, handler] : handlers) configuration.userContentController->add(handler, name);
  webView_ = std::make_shared<web::WebView>(ui::Rect{}, configuration);
  webView_->setOpaque(false);
  webView_->setBackgroundColor(ui::Color::clear());
  auto self = shared_from_this();
  webView_->setNavigationDelegate(std::shared_ptr<web::NavigationDelegate>(self, this));
  webView_->setUiDelegate(std::shared_ptr<web::UIDelegate>(self, this));
  view()->addSubview(webView_);
  pinToEdges(*webView_, *view());
}

std::shared_ptr<web::ScriptMessageHandler> OfwWebPageViewController::weakHandler(web::ScriptMessageHandler& handler) {
  return std::make_shared<WeakScriptMessageHandler>(std::shared_ptr<web::ScriptMessageHandler>(shared_from_this(), &handler));
}

void OfwWebPageViewController::loadURL(const std::string& text) {
  const auto url = base::Url::parse(text);
  if (!url || !webView_) return;
  switch (routeOf(*url)) {
    case AddressRoute::webPage: {
      webView_->load(net::Request(*url, net::CachePolicy::UseProtocolCachePolicy,
                                  dispatch::Seconds(kLoadTimeout)));
      return;
    }
    case AddressRoute::system: openInSystem(*url); return;
    case AddressRoute::refused: base::log("Error", "refused to load " + text); return;
  }
}

void OfwWebPageViewController::refresh() { loadURL(webViewURL_); }

void OfwWebPageViewController::showAlert(const std::string& message, const std::string& callbackScript) {
  auto alert = frameworkNibs().instantiate<VelkorAlertController>("VelkorAlertController");
  if (!alert) return;
  const auto& scheme = *colorScheme();
  if (auto label = alert->messaageLabel()) label->setText(message);
  if (auto submit = alert->submitButton()) {
    submit->setBackgroundColor(scheme.alertSubmitButtonBackgroundColor());
    submit->setTitleColor(scheme.alertSubmitButtonTextColor(), ui::ControlState::normal);
    submit->removeTarget(nullptr, ui::ControlEvent::touchUpInside);
    std::weak_ptr<VelkorAlertController> weakAlert = alert;
    std::weak_ptr<web::WebView> weakPage = webView_;
    submit->addAction(ui::ControlEvent::touchUpInside, [weakAlert, weakPage, callbackScript] {
      if (auto shown = weakAlert.lock()) shown->dismiss(false);
      if (auto page = weakPage.lock()) page->evaluateJavaScript(callbackScript);
    });
  }
  if (auto cancel = alert->cancelButton()) {
    cancel->setBackgroundColor(scheme.alertCancelButtonBackgroundColor());
    cancel->setTitleColor(scheme.alertCancelButtonTextColor(), ui::ControlState::normal);
  }
  alert->setModalPresentationStyle(ui::ModalPresentationStyle::overCurrentContext);
  present(alert, false);
}

void OfwWebPageViewController::evalueateJavaScript(const std::string& script,
                                                   web::WebView::EvaluationCompletion completion) {
  if (webView_) webView_->evaluateJavaScript(script, std::move(completion));
}

void OfwWebPageViewController::showNetworkError() {
  removeNetworkError();
  networkErrorView_ = DependencyContainer().makeNetworkErrorView();
  if (!networkErrorView_) return;
  std::weak_ptr<ui::ViewController> weak = weak_from_this();
  if (const auto& retry = networkErrorView_->retryButton()) {
    retry->addAction(ui::ControlEvent::touchUpInside, [weak] {
      if (auto self = std::dynamic_pointer_cast<OfwWebPageViewController>(weak.lock())) self->refresh();
    });
  }
  view()->addSubview(networkErrorView_);
  pinToEdges(*networkErrorView_, *view());
}

void OfwWebPageViewController::removeNetworkError() {
  if (!networkErrorView_) return;
  networkErrorView_->removeFromSuperview();
  networkErrorView_ = nullptr;
}

void OfwWebPageViewController::decidePolicyFor(web::WebView&, const web::NavigationAction& action,
                                               PolicyDecisionHandler decisionHandler) {
  const auto& url = action.request.url();
  const auto scheme = url.scheme().value_or("");
  if (routeOf(url) == AddressRoute::webPage || scheme == "about") {
    return decisionHandler(web::NavigationActionPolicy::allow);
  }
  decisionHandler(web::NavigationActionPolicy::cancel);
  openInSystem(url);
}

void OfwWebPageViewController::didStartProvisionalNavigation(web::WebView&, const web::Navigation&) {
  showLoadingIndicator();
  if (networkErrorView_ && networkErrorView_->contentView()) networkErrorView_->contentView()->setHidden(true);
}

void OfwWebPageViewController::didCommit(web::WebView&, const web::Navigation&) {
  showLoadingIndicator();
  removeNetworkError();
}

void OfwWebPageViewController::didFinish(web::WebView&, const web::Navigation&) {
  hideLoadingIndicator();
  removeNetworkError();
}

void OfwWebPageViewController::didFailProvisionalNavigation(web::WebView&, const web::Navigation&,
                                                            const base::Error& error) {
  hideLoadingIndicator();
  // A load replaced by a newer one failed on purpose: the newer one decides what shows.
  if (!isCancellation(error)) showNetworkError();
}

void OfwWebPageViewController::didFail(web::WebView&, const web::Navigation&, const base::Error& error) {
  hideLoadingIndicator();
  if (!isCancellation(error)) showNetworkError();
}

bool OfwWebPageViewController::isCancellation(const base::Error& error) {
  return error.domain == net::errorDomain && error.code == static_cast<long>(net::ErrorCode::Cancelled);
}

VelkorNavigationBar* OfwWebPageViewController::velkorNavigationBar() const {
  auto* navigation = ui::ViewController::navigationController();
  return navigation ? dynamic_cast<VelkorNavigationBar*>(&navigation->navigationBar()) : nullptr;
}

void OfwWebPageViewController::blankBackIndicator(ui::NavigationBar& bar) {
  bar.setBackIndicatorImage(resourceBundle().image("empty"));
  bar.setBackIndicatorTransitionMaskImage(resourceBundle().image("empty"));
}

void OfwWebPageViewController::setupNavigationBar() {
  auto* navigation = ui::ViewController::navigationController();
  if (!navigation) return;
  auto& bar = navigation->navigationBar();
  if (VelkorInternal::shared().userInterfaceStyle() == ui::UserInterfaceStyle::light) {
    bar.setBarStyle(ui::BarStyle::defaultStyle);
    bar.setBarTintColor(ui::Color::white());
  }
  auto* velkorBar = velkorNavigationBar();
  if (!velkorBar) return;
  ui::NavigationBarAppearance appearance;
  appearance.configureWithOpaqueBackground();
  appearance.shadowColor = ui::Color::clear();
  appearance.backgroundColor = colorScheme()->navigationBackgroundColor();
  velkorBar->setStandardAppearance(appearance);
  velkorBar->setScrollEdgeAppearance(appearance);
  navigationItem().setHidesBackButton(true, false);
  std::weak_ptr<ui::ViewController> weak = weak_from_this();
  if (auto back = velkorBar->backBarButton()) {
    showBarButton(*back, [weak] {
      if (auto self = std::dynamic_pointer_cast<OfwWebPageViewController>(weak.lock())) self->backButtonClicked();
    });
  }
  if (auto title = velkorBar->titleLabel()) title->setText(navigationTitle_);
  if (auto closeButton = velkorBar->closeButton()) closeButton->setHidden(true);
  if (auto help = velkorBar->helpButton()) help->setHidden(true);
}

void OfwWebPageViewController::postPageAlert(const std::string& message) {
  std::weak_ptr<ui::ViewController> weak = weak_from_this();
  auto page = [weak] { return std::static_pointer_cast<OfwWebPageViewController>(weak.lock()); };
  dispatch::main()->async([page] {
    if (auto screen = page(); screen && screen->webView()) screen->webView()->endEditing(true);
  });
  dispatch::main()->async([page, message] {
    if (auto screen = page()) screen->showAlert(message, std::nullopt);
  });
}

void OfwWebPageViewController::postPageClose() {
  dispatch::main()->async([weak = weak_from_this()] {
    auto screen = weak.lock();
    if (auto* navigation = screen ? screen->navigationController() : nullptr) popOrDismiss(*navigation);
  });
}

}  // namespace velkor
