// An ad's detail as a web page: the opener sets the address (made by UriHandler::buildUrl) and the
// bar's title. The page takes part in its ad itself through the handler "velkor" ("showAlert",
// "participate", "setTitle", "close"): the login check, the tracking prompt, the participation,
// the delayed postback under a background task of its own, and the landing, which goes to the
// system. It is told "onResume()" when the user comes back to it while a user id is set.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/base/notification_center.h"
#include "velkor/core/ofw_login_delegate.h"
#include "velkor/network/error.h"
#include "velkor/web/ofw_web_page_view_controller.h"

namespace velkor {

class PostbackTask;
struct ParticipateResult;

class OfwDetailWebViewController : public OfwWebPageViewController,
                                   public web::ScriptMessageHandler,
                                   public OfwLoginDelegate {
 public:
  using OfwWebPageViewController::OfwWebPageViewController;
  ~OfwDetailWebViewController() override;

  // Hidden-bar mode: a backdrop in the status bar's place, and the bar's hidden state given back
  // on leaving.
  bool isNavigationHidden() const { return isNavigationHidden_; }
  void setNavigationHidden(bool hidden) { isNavigationHidden_ = hidden; }
  const std::optional<ui::Color>& statusBarBackgroundColor() const { return statusBarBackgroundColor_; }
  void setStatusBarBackgroundColor(std::optional<ui::Color> color) { statusBarBackgroundColor_ = std::move(color); }
  bool savedNavigationBarHidden() const { return savedNavigationBarHidden_; }
  void setSavedNavigationBarHidden(bool hidden) { savedNavigationBarHidden_ = hidden; }
  // "participate" or "show_help" while a login is awaited.
  const std::optional<std::string>& lastActionName() const { return lastActionName_; }
  // The latest postback's background task; none before a result with a completion delay.
  const std::shared_ptr<PostbackTask>& backgroundTask() const { return backgroundTask_; }

  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;
  void viewDidAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;

  // The offerwall navigation controller's own back action.
  void backButtonClicked() override;
  // The help page, or a login request without a user id.
  virtual void moveToContact();
  // The host logged the user in: the page reloads with the user id, and a help request resumes.
  void success() override;
  // Ends the latest postback's background task.
  virtual void stop();
  // With a user id (not empty), the participation; otherwise a login request. (Spelled as the SDK
  // always has.)
  virtual void paricipate(std::int64_t adId, std::int64_t isLat);
  virtual void sendParticipate(std::int64_t adId, std::int64_t isLat);

  void appMovedToForeground();
  void appMovedToBackground();

  void didReceive(web::UserContentController& controller, const web::ScriptMessage& message) override;
  // Loads show no indicator; only a failure shows the error view.
  void didStartProvisionalNavigation(web::WebView& webView, const web::Navigation& navigation) override;
  void didCommit(web::WebView& webView, const web::Navigation& navigation) override;
  void didFinish(web::WebView& webView, const web::Navigation& navigation) override;
  void didFailProvisionalNavigation(web::WebView& webView, const web::Navigation& navigation,
                                    const base::Error& error) override;
  void didFail(web::WebView& webView, const web::Navigation& navigation, const base::Error& error) override;
  // A window the page opens loads in this page.
  std::shared_ptr<web::WebView> createWebView(web::WebView& webView, const web::WebViewConfiguration& configuration,
                                              const web::NavigationAction& action,
                                              const web::WindowFeatures& features) override;

 private:
  using Weak = std::weak_ptr<OfwDetailWebViewController>;

  std::shared_ptr<OfwDetailWebViewController> self();
  void rebuildWebView();
  void addStatusBarBackdrop();
  void styleBar();
  void askForLogin(const char* action);
  void requestParticipation(std::int64_t adId);
  // "onResume()" in the page, while a user id is set.
  void resumePage();
  static void handleResult(const Weak& weak, const ParticipateResult& result);
  static void handleFailure(const Weak& weak, const Error& error);

  bool isNavigationHidden_ = false;
  std::optional<ui::Color> statusBarBackgroundColor_;
  bool savedNavigationBarHidden_ = false;
  std::optional<std::string> lastActionName_;
  bool isLoaded_ = false;
  std::shared_ptr<PostbackTask> backgroundTask_;
  base::NotificationCenter::Token foregroundObservation_;
  base::NotificationCenter::Token backgroundObservation_;
};

}  // namespace velkor
