// The UI delegate of a web view: new windows the page opens and the page's alert and confirm panels.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/web/navigation.h"
#include "platform/web/web_view_configuration.h"

namespace web {

class WebView;

class UIDelegate {
 public:
  virtual ~UIDelegate() = default;

  // The page opens a window. Return a web view made with `configuration` to show it, or null for
  // none (the default); loading action.request in `webView` itself is the usual answer.
  virtual std::shared_ptr<WebView> createWebView(WebView& webView, const WebViewConfiguration& configuration,
                                                 const NavigationAction& action, const WindowFeatures& features) {
    (void)webView;
    (void)configuration;
    (void)action;
    (void)features;
    return nullptr;
  }
  // The page waits in alert() until the handler is called (later, on the main thread, is fine).
  // Default: dismissed at once. A handler dropped without being called counts as called.
  virtual void runJavaScriptAlertPanel(WebView& webView, const std::string& message, const FrameInfo& frame,
                                       std::function<void()> completionHandler) {
    (void)webView;
    (void)message;
    (void)frame;
    completionHandler();
  }
  // The page waits in confirm() for the answer. Default: false at once; a handler dropped without
  // being called answers false.
  virtual void runJavaScriptConfirmPanel(WebView& webView, const std::string& message, const FrameInfo& frame,
                                         std::function<void(bool)> completionHandler) {
    (void)webView;
    (void)message;
    (void)frame;
    completionHandler(false);
  }
};

}  // namespace web
