// The navigation delegate of a web view: it decides each navigation action and hears the life of
// each main-frame navigation: started, then committed and finished, or failed (provisionally, before
// it committed, or after).
//
// Errors are base::Errors: transport failures and unusable URLs in net::errorDomain with the
// net::ErrorCode the session uses (Cancelled when a later load replaced one that had not committed,
// TimedOut when the request's time-out passed before it did); script and engine failures in
// web::kErrorDomain.
#pragma once

#include <functional>

#include "platform/base/error.h"
#include "platform/web/navigation.h"

namespace web {

class WebView;

class NavigationDelegate {
 public:
  using PolicyDecisionHandler = std::function<void(NavigationActionPolicy)>;
  virtual ~NavigationDelegate() = default;

  // Called for each navigation action of the main frame and of new windows; the handler may be
  // called later (on the main thread). Default: allow. A handler dropped without being called
  // allows the navigation, so nothing hangs.
  virtual void decidePolicyFor(WebView& webView, const NavigationAction& action, PolicyDecisionHandler decisionHandler) {
    (void)webView;
    (void)action;
    decisionHandler(NavigationActionPolicy::allow);
  }
  virtual void didStartProvisionalNavigation(WebView& webView, const Navigation& navigation) {
    (void)webView;
    (void)navigation;
  }
  // The first bytes of the answer arrived, whatever its HTTP status: an error page commits too.
  virtual void didCommit(WebView& webView, const Navigation& navigation) {
    (void)webView;
    (void)navigation;
  }
  virtual void didFinish(WebView& webView, const Navigation& navigation) {
    (void)webView;
    (void)navigation;
  }
  virtual void didFailProvisionalNavigation(WebView& webView, const Navigation& navigation, const base::Error& error) {
    (void)webView;
    (void)navigation;
    (void)error;
  }
  virtual void didFail(WebView& webView, const Navigation& navigation, const base::Error& error) {
    (void)webView;
    (void)navigation;
    (void)error;
  }
};

}  // namespace web
