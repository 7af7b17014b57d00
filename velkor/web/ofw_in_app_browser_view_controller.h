// The SDK's in-app browser: a page the offerwall opens inside the app (a landing that asks for it,
// a "velkor://inappbrowser" link), under a bar with its title; the factory sets both. The page
// drives it through OfwInAppBrowserJSInterface under the handler names "velkor" and "SharedWeb".
#pragma once

#include <optional>
#include <string>

#include "velkor/web/ofw_web_page_view_controller.h"

namespace velkor {

class OfwInAppBrowserViewController : public OfwWebPageViewController {
 public:
  using OfwWebPageViewController::OfwWebPageViewController;
  using OfwWebPageViewController::showAlert;

  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;
  void viewDidAppear(bool animated) override;

  // Dismisses the offerwall when this is its only screen, else pops; nothing outside an offerwall
  // navigation controller.
  void backButtonClicked() override;
  // A two-button dialog; a blank button text reads "확인" / "취소". Each button closes it, then
  // runs its script, if any, in the page.
  virtual void presentConfirm(const std::string& message, const std::optional<std::string>& positiveText,
                              const std::optional<std::string>& positiveCallback,
                              const std::optional<std::string>& negativeText,
                              const std::optional<std::string>& negativeCallback);

  // A window the page opens (a link with a target) goes to the system; no second web view.
  std::shared_ptr<web::WebView> createWebView(web::WebView& webView, const web::WebViewConfiguration& configuration,
                                              const web::NavigationAction& action,
                                              const web::WindowFeatures& features) override;
  // The page's alert() shows the SDK alert; the page goes on at once.
  void runJavaScriptAlertPanel(web::WebView& webView, const std::string& message, const web::FrameInfo& frame,
                               std::function<void()> completionHandler) override;
};

}  // namespace velkor
