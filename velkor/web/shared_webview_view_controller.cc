#include "velkor/web/shared_webview_view_controller.h"

#include "platform/ui/navigation_controller.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/components/velkor_navigation_bar.h"
#include "velkor/web/script_message_body.h"
#include "velkor/web/web_address.h"

namespace velkor {

SharedWebviewViewController::SharedWebviewViewController() { setNavigationTitle("이용문의"); }

void SharedWebviewViewController::viewDidLoad() {
  OfwWebPageViewController::viewDidLoad();
  setupNavigationBar();
  auto handler = weakHandler(*this);
  installWebView({{"velkor", handler}, {"SharedWeb", handler}});
  view()->setBackgroundColor(colorScheme()->sharedWebViewBackgroundColor());
  loadURL(webViewURL());
}

void SharedWebviewViewController::viewWillAppear(bool animated) {
  OfwWebPageViewController::viewWillAppear(animated);
  if (auto* bar = velkorNavigationBar()) blankBackIndicator(*bar);
  setupNavigationBar();
}

void SharedWebviewViewController::viewDidAppear(bool animated) {
  OfwWebPageViewController::viewDidAppear(animated);
  setupNavigationBar();
}

void SharedWebviewViewController::backButtonClicked() {
  auto* navigation = dynamic_cast<OfwNavigationController*>(ui::ViewController::navigationController());
  if (!navigation) return;
  if (navigation->viewControllers().size() < 2) {
    navigation->setDismissForce(true);
    navigation->dismiss(true);
  } else {
    navigation->popViewController(true);
  }
}

void SharedWebviewViewController::didReceive(web::UserContentController&, const web::ScriptMessage& message) {
  const auto command = bodyText(message.body, "command");
  if (!command) return;
  if (*command == "showAlert") {
    const auto text = bodyText(message.body, "message");
    if (!text) return;
    if (auto callback = bodyText(message.body, "callback")) return showAlert(*text, *callback);
    postPageAlert(*text);
  } else if (*command == "close") {
    postPageClose();
  }
}

std::shared_ptr<web::WebView> SharedWebviewViewController::createWebView(web::WebView& webView,
                                                                         const web::WebViewConfiguration&,
                                                                         const web::NavigationAction& action,
                                                                         const web::WindowFeatures&) {
  if (routeOf(action.request.url()) == AddressRoute::webPage) webView.load(action.request);
  return nullptr;
}

}  // namespace velkor
