// A view that shows a web page in a real engine (WebKitGTK): the page loads, lays out, runs its
// scripts and draws in an offscreen window of the engine's own, sized to follow the view's frame,
// and render::snapshot draws it in the view's place. Pages reach native code through the
// configuration's script message handlers; native code reaches the page with evaluateJavaScript.
//
// Everything arrives on the main thread through the main loop: while a web view exists the loop
// also serves the engine's event context, so main_loop::runUntil() can wait for a page.
// Made with std::make_shared, like every view. Main thread only.
//
// Without a display (no DISPLAY and no WAYLAND_DISPLAY) the engine cannot start: the web view is an
// empty view, every load fails provisionally and every evaluation fails, each reported as usual.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/base/error.h"
#include "platform/base/url.h"
#include "platform/net/request.h"
#include "platform/render/external_content.h"
#include "platform/ui/view.h"
#include "platform/web/navigation.h"
#include "platform/web/navigation_delegate.h"
#include "platform/web/ui_delegate.h"
#include "platform/web/web_view_configuration.h"

namespace web {

class WebView : public ui::View, public render::ExternalContent {
 public:
  // The result as JSON (none for undefined), or an error: a script that threw carries its message
  // ("Error: boom") in web::kErrorDomain, code javaScriptExceptionOccurred.
  using EvaluationCompletion =
      std::function<void(const std::optional<nlohmann::json>& result, const std::optional<base::Error>& error)>;

  explicit WebView(const ui::Rect& frame = {}, WebViewConfiguration configuration = {});
  ~WebView() override;

  const WebViewConfiguration& configuration() const { return configuration_; }

  std::shared_ptr<NavigationDelegate> navigationDelegate() const { return navigationDelegate_.lock(); }
  void setNavigationDelegate(std::weak_ptr<NavigationDelegate> delegate) { navigationDelegate_ = std::move(delegate); }
  std::shared_ptr<UIDelegate> uiDelegate() const { return uiDelegate_.lock(); }
  void setUiDelegate(std::weak_ptr<UIDelegate> delegate) { uiDelegate_ = std::move(delegate); }

  // Loads the request: its URL and header fields (the engine loads pages with GET: a
  // method or body of the request is not sent), failing it
  // provisionally with TimedOut when it has not committed within the request's time-out. A
  // navigation that has not committed yet is cancelled (failed provisionally with Cancelled).
  // Every callback comes later, on the main thread, never within this call.
  Navigation load(const net::Request& request);
  // Stops the current load; a navigation not yet committed fails provisionally with Cancelled.
  void stopLoading();

  // Runs the script in the page's main frame. The completion (optional) is called once, later, on
  // the main thread, also when the web view goes first (webViewInvalidated).
  void evaluateJavaScript(const std::string& script, EvaluationCompletion completionHandler = {});

  // The page's address (the one being loaded once a navigation started); none before any load.
  std::optional<base::Url> url() const;
  // The page's title; none before a page has one.
  std::optional<std::string> title() const;
  bool isLoading() const;

  // Whether a web inspector may attach (developer extras).
  bool isInspectable() const { return inspectable_; }
  void setInspectable(bool inspectable);
  // A web view that is not opaque lets the views behind it show where the page draws nothing.
  bool isOpaque() const { return opaque_; }
  void setOpaque(bool opaque);

  void layoutSubviews() override;

  // The page as the engine last drew it, at the view's size; none before a page loaded.
  void updateContentImage() override;
  std::optional<ui::Image> contentImage() const override { return contentImage_; }

 private:
  struct Engine;
  struct Signals;
  friend struct Signals;

  void syncWindowSize();
  // Navigation bookkeeping (see web_view.cc).
  void reportLater(std::function<void(NavigationDelegate&)> report);
  void flushReports();
  void cancelUncommitted(base::Error error);
  void loadStarted();
  void loadCommitted();
  void loadFinished();
  void loadFailed(const base::Error& error);
  void timedOut(std::uint64_t navigationId);

  WebViewConfiguration configuration_;
  std::weak_ptr<NavigationDelegate> navigationDelegate_;
  std::weak_ptr<UIDelegate> uiDelegate_;
  std::unique_ptr<Engine> engine_;
  bool inspectable_ = false;
  bool opaque_ = true;
  std::optional<ui::Image> contentImage_;
};

}  // namespace web
