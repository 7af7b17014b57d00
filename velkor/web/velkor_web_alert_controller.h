// An alert with a web view outlet, made only from its nib ("VelkorWebAlertController" in the
// framework's registry). Its buttons behave as the SDK's other alerts: either closes it, and the
// submit button of a tracking-permission alert (type 1) then opens the app's settings page. No
// screen of the SDK shows it; a host may.
#pragma once

#include <memory>

#include "platform/web/web_view.h"
#include "velkor/components/alert_controller_base.h"

namespace velkor {

class VelkorWebAlertController : public AlertControllerBase {
 public:
  static constexpr const char* kNibName = "VelkorWebAlertController";

  // A web view the nib may connect, held weakly like the other outlets.
  std::shared_ptr<web::WebView> mWebView() const { return mWebView_.lock(); }
  void setMWebView(const std::shared_ptr<web::WebView>& webView) { mWebView_ = webView; }

 private:
  std::weak_ptr<web::WebView> mWebView_;
};

}  // namespace velkor
