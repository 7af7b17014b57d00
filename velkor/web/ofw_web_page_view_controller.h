// What the SDK's web page screens share (the in-app browser, the ad detail web page and the help
// page): a page at an address under the offerwall's bar with a title, both set by whoever opens
// the screen; its web view pinned to the whole view; loading shown through the navigation
// controller's indicator; one network error view, with a retry, while a load has failed; the alert
// a page asks for; and leaving the screen.
//
// Addresses go through web_address.h: only web pages load, other apps' addresses go to the system
// and script, file and data addresses, and addresses without a scheme, are refused. A cancelled
// load (replaced by a newer one) shows no error. Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/web/navigation_delegate.h"
#include "platform/web/script_message.h"
#include "platform/web/ui_delegate.h"
#include "platform/web/web_view.h"
#include "velkor/components/ofw_base_view_controller.h"

namespace ui {
class NavigationBar;
}

namespace velkor {

class OfwNetworkErrorView;
class VelkorNavigationBar;

class OfwWebPageViewController : public OfwBaseViewController,
                                 public web::NavigationDelegate,
                                 public web::UIDelegate {
 public:
  // Pages wait this long for their first bytes.
  static constexpr double kLoadTimeout = 60.0;

  using OfwBaseViewController::OfwBaseViewController;
  using OfwBaseViewController::showAlert;

  // The page to load; set before the view loads.
  const std::string& webViewURL() const { return webViewURL_; }
  void setWebViewURL(std::string url) { webViewURL_ = std::move(url); }
  // The title shown in its bar.
  const std::string& navigationTitle() const { return navigationTitle_; }
  void setNavigationTitle(std::string title) { navigationTitle_ = std::move(title); }

  // The page's web view: none before the view loads.
  const std::shared_ptr<web::WebView>& webView() const { return webView_; }
  // The error view while one is shown.
  const std::shared_ptr<OfwNetworkErrorView>& networkErrorView() const { return networkErrorView_; }

  // A web page's address loads in the web view (60 s for its first bytes); another app's goes to
  // the system; a refused one and a text that is no address do nothing.
  virtual void loadURL(const std::string& text);
  // Loads webViewURL again: the error view's retry.
  virtual void refresh();
  // The bar's back button.
  virtual void backButtonClicked() = 0;
  // The SDK alert with the message; its submit button closes it, then runs the script in the page.
  virtual void showAlert(const std::string& message, const std::string& callbackScript);
  // Runs the script in the page (spelled as the SDK always has).
  virtual void evalueateJavaScript(const std::string& script, web::WebView::EvaluationCompletion completion = {});
  // Replaces the error view, if any, by a new one from the factory over the whole screen.
  virtual void showNetworkError();

  // A page's own navigation to another app's address goes to the system instead, and one to a
  // script, file or data address is refused: the web view shows web pages only.
  void decidePolicyFor(web::WebView& webView, const web::NavigationAction& action,
                       PolicyDecisionHandler decisionHandler) override;

  // --- page loading: the indicator while loading, the error view on failure ---
  void didStartProvisionalNavigation(web::WebView& webView, const web::Navigation& navigation) override;
  void didCommit(web::WebView& webView, const web::Navigation& navigation) override;
  void didFinish(web::WebView& webView, const web::Navigation& navigation) override;
  void didFailProvisionalNavigation(web::WebView& webView, const web::Navigation& navigation,
                                    const base::Error& error) override;
  void didFail(web::WebView& webView, const web::Navigation& navigation, const base::Error& error) override;

 protected:
  // A new web view (the old one, if any, taken away) with these script message handlers, each
  // registered through a weak proxy so the screen is never kept alive by its own page; this
  // screen as its delegates, pinned to the view's edges.
  void installWebView(const std::vector<std::pair<std::string, std::shared_ptr<web::ScriptMessageHandler>>>& handlers);
  // This screen as a script message handler, held weakly.
  std::shared_ptr<web::ScriptMessageHandler> weakHandler(web::ScriptMessageHandler& handler);
  // The offerwall's own bar, when the screen is in an offerwall navigation controller.
  VelkorNavigationBar* velkorNavigationBar() const;
  // A page's "showAlert" without a callback: the keyboard goes, then the alert shows, each on the
  // main queue and neither once the screen has gone.
  void postPageAlert(const std::string& message);
  // A page's "close": on the main queue, the screen is popped or its stack dismissed.
  void postPageClose();
  // The offerwall bar's look for a web page: opaque, the back button wired to backButtonClicked,
  // the title shown, the close and help buttons hidden.
  void setupNavigationBar();
  // Blanks the bar's own back arrow: a web page's bar shows the offerwall's back button instead.
  static void blankBackIndicator(ui::NavigationBar& bar);
  // Takes the error view away (after a commit or a finish).
  void removeNetworkError();
  static bool isCancellation(const base::Error& error);

 private:
  std::string webViewURL_;
  std::string navigationTitle_;
  std::shared_ptr<web::WebView> webView_;
  std::shared_ptr<OfwNetworkErrorView> networkErrorView_;
};

}  // namespace velkor
