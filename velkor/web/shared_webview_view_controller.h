// The plain web page of the SDK: the help and contact page. Its opener sets the page's address,
// made by UriHandler::buildUrl. The page may ask for an alert (with a script for its button) and
// close the screen, through the handler "velkor" or "SharedWeb".
#pragma once

#include <string>

#include "velkor/web/ofw_web_page_view_controller.h"

namespace velkor {

class SharedWebviewViewController : public OfwWebPageViewController, public web::ScriptMessageHandler {
 public:
  SharedWebviewViewController();
  using OfwWebPageViewController::showAlert;

  // The bar's title: "이용문의" unless the opener sets another.
  const std::string& navigationBarTitle() const { return navigationTitle(); }
  void setNavigationBarTitle(std::string title) { setNavigationTitle(std::move(title)); }

  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;
  void viewDidAppear(bool animated) override;

  // An offerwall navigation controller is force-dismissed while this is its only screen, else
  // popped; any other does nothing.
  void backButtonClicked() override;

  // "showAlert" (a text "message", and a text "callback" script for its button) and "close".
  void didReceive(web::UserContentController& controller, const web::ScriptMessage& message) override;
  // A window the page opens loads in this page instead.
  std::shared_ptr<web::WebView> createWebView(web::WebView& webView, const web::WebViewConfiguration& configuration,
                                              const web::NavigationAction& action,
                                              const web::WindowFeatures& features) override;
};

}  // namespace velkor
