#include "velkor/web/ofw_in_app_browser_view_controller.h"

#include "platform/base/trimming.h"
#include "platform/ui/navigation_controller.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/components/velkor_alert_controller.h"
#include "velkor/components/velkor_navigation_bar.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/resources/framework_nibs.h"
#include "velkor/web/ofw_in_app_browser_js_interface.h"
#include "velkor/web/web_address.h"

namespace velkor {
namespace {

// A text of blanks and line ends only (in any script) reads as the default title.
std::string buttonTitle(const std::optional<std::string>& text, const char* blank) {
  return text && !base::trimmingWhitespaceAndNewlines(*text).empty() ? *text : blank;
}

// A confirm button: closes the dialog, then runs its script in the browser's page while both exist.
void wireConfirmButton(ui::Button& button, const std::weak_ptr<VelkorAlertController>& alert,
                       const std::weak_ptr<OfwInAppBrowserViewController>& browser,
                       const std::optional<std::string>& callback) {
  button.addAction(ui::ControlEvent::touchUpInside, [alert] {
    if (auto shown = alert.lock()) shown->dismiss(false);
  });
  if (!callback) return;
  button.addAction(ui::ControlEvent::touchUpInside, [browser, script = *callback] {
    if (auto page = browser.lock()) page->evalueateJavaScript(script);
  });
}

}  // namespace

void OfwInAppBrowserViewController::viewDidLoad() {
  OfwWebPageViewController::viewDidLoad();
  setupNavigationBar();
  auto self = std::static_pointer_cast<OfwInAppBrowserViewController>(shared_from_this());
  // Two bridges, each holding the browser weakly: a page may post to either name.
  installWebView({{"velkor", std::make_shared<OfwInAppBrowserJSInterface>(self)},
                  {"SharedWeb", std::make_shared<OfwInAppBrowserJSInterface>(self)}});
  view()->setBackgroundColor(colorScheme()->sharedWebViewBackgroundColor());
  if (VelkorInternal::shared().debugEnabled()) webView()->setInspectable(true);
  loadURL(webViewURL());
}

void OfwInAppBrowserViewController::viewWillAppear(bool animated) {
  OfwWebPageViewController::viewWillAppear(animated);
  if (auto* bar = velkorNavigationBar()) blankBackIndicator(*bar);
  setupNavigationBar();
}

void OfwInAppBrowserViewController::viewDidAppear(bool animated) {
  OfwWebPageViewController::viewDidAppear(animated);
  setupNavigationBar();
}

void OfwInAppBrowserViewController::backButtonClicked() {
  auto* navigation = dynamic_cast<OfwNavigationController*>(ui::ViewController::navigationController());
  if (navigation) popOrDismiss(*navigation);
}

void OfwInAppBrowserViewController::presentConfirm(const std::string& message,
                                                   const std::optional<std::string>& positiveText,
                                                   const std::optional<std::string>& positiveCallback,
                                                   const std::optional<std::string>& negativeText,
                                                   const std::optional<std::string>& negativeCallback) {
  // From the framework's registry, as the plain alert: a host subclass's own registry has no alert.
  auto alert = frameworkNibs().instantiate<VelkorAlertController>("VelkorAlertController");
  auto* navigation = ui::ViewController::navigationController();
  auto presenter = navigation ? navigation->visibleViewController() : nullptr;
  if (!alert || !presenter) return;
  const auto& scheme = *colorScheme();
  if (auto label = alert->messaageLabel()) label->setText(message);
  auto self = std::static_pointer_cast<OfwInAppBrowserViewController>(shared_from_this());
  if (auto submit = alert->submitButton()) {
    submit->setBackgroundColor(scheme.alertSubmitButtonBackgroundColor());
    submit->setTitleColor(scheme.alertSubmitButtonTextColor(), ui::ControlState::normal);
    submit->setTitle(buttonTitle(positiveText, "확인"), ui::ControlState::normal);
    wireConfirmButton(*submit, alert, self, positiveCallback);
  }
  if (auto cancel = alert->cancelButton()) {
    cancel->setHidden(false);
    cancel->setBackgroundColor(scheme.alertCancelButtonBackgroundColor());
    cancel->setTitleColor(scheme.alertCancelButtonTextColor(), ui::ControlState::normal);
    cancel->setTitle(buttonTitle(negativeText, "취소"), ui::ControlState::normal);
    wireConfirmButton(*cancel, alert, self, negativeCallback);
  }
  alert->setModalPresentationStyle(ui::ModalPresentationStyle::overCurrentContext);
  presenter->present(alert, false);
}

std::shared_ptr<web::WebView> OfwInAppBrowserViewController::createWebView(web::WebView& webView,
                                                                           const web::WebViewConfiguration&,
                                                                           const web::NavigationAction& action,
                                                                           const web::WindowFeatures&) {
  const auto& url = action.request.url();
  if (!action.targetFrame) {
    openInSystem(url);
  } else if (routeOf(url) == AddressRoute::webPage) {
    webView.load(action.request);
  }
  return nullptr;
}

void OfwInAppBrowserViewController::runJavaScriptAlertPanel(web::WebView&, const std::string& message,
                                                            const web::FrameInfo&,
                                                            std::function<void()> completionHandler) {
  showAlert(message);
  completionHandler();
}

}  // namespace velkor
