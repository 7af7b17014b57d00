// How a web view is set up when it is made: its user content controller (script message handlers)
// and its preferences. Copies share the controller.
#pragma once

#include <memory>

#include "platform/web/user_content_controller.h"

namespace web {

class WebView;

struct Preferences {
  bool javaScriptEnabled = true;
  // window.open() without a user's tap reaches the UI delegate only when set.
  bool javaScriptCanOpenWindowsAutomatically = false;
};

struct WebViewConfiguration {
  std::shared_ptr<UserContentController> userContentController = std::make_shared<UserContentController>();
  Preferences preferences;

 private:
  friend class WebView;
  // Set on the configuration handed to UIDelegate::createWebView: a web view made with it shows the
  // window the page opened.
  std::weak_ptr<WebView> openedBy_;
};

}  // namespace web
