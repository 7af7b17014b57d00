#include "velkor/web/ofw_in_app_browser_js_interface.h"

#include <optional>

#include "platform/base/log.h"
#include "platform/dispatch/queue.h"
#include "platform/ui/navigation_controller.h"
#include "platform/ui/pasteboard.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/core/sdk_version.h"
#include "velkor/core/velkor_uri_parser.h"
#include "velkor/web/ofw_in_app_browser_view_controller.h"
#include "velkor/web/script_message_body.h"
#include "velkor/web/web_address.h"

namespace velkor {
namespace {

using Body = nlohmann::json;
using WeakBrowser = std::weak_ptr<OfwInAppBrowserViewController>;

void logLine(const char* message) { base::log("Error", message); }

// The command of a non-empty object whose every value is text; none otherwise.
std::optional<std::string> commandOf(const Body& body) {
  if (!body.is_object() || body.empty()) return std::nullopt;
  for (const auto& value : body) {
    if (!value.is_string()) return std::nullopt;
  }
  return bodyText(body, "command");
}

void open(const WeakBrowser& weak, const Body& body, bool external) {
  const auto text = bodyText(body, "url");
  const auto url = text ? base::Url::parse(*text) : std::nullopt;
  if (!url) return;
  if (!external) {
    if (auto screen = VelkorUriParser::parseUri(*url)) {
      auto browser = weak.lock();
      auto* navigation = browser ? browser->navigationController() : nullptr;
      if (navigation) navigation->pushViewController(std::move(screen), true);
      return;
    }
  }
  openInSystem(*url);
}

void showAlert(const WeakBrowser& weak, const Body& body) {
  const auto message = bodyText(body, "message");
  if (!message) return;
  dispatch::main()->async([weak, message = *message, callback = bodyText(body, "callback")] {
    auto browser = weak.lock();
    if (!browser) return;
    callback ? browser->showAlert(message, *callback) : browser->showAlert(message);
  });
}

void showConfirm(const WeakBrowser& weak, const Body& body) {
  const auto message = bodyText(body, "message");
  if (!message) return logLine(OfwInAppBrowserJSInterface::kMissingArguments);
  dispatch::main()->async([weak, message = *message, body] {
    if (auto browser = weak.lock()) {
      browser->presentConfirm(message, bodyText(body, "positiveText"), bodyText(body, "positiveCallback"),
                              bodyText(body, "negativeText"), bodyText(body, "negativeCallback"));
    }
  });
}

void close(const WeakBrowser& weak) {
  auto browser = weak.lock();
  auto* found = browser ? browser->navigationController() : nullptr;
  // The navigation controller found now still closes, even once the browser has gone.
  auto navigation = found ? std::static_pointer_cast<ui::NavigationController>(found->shared_from_this()) : nullptr;
  dispatch::main()->async([weak, navigation] {
    if (!navigation) return logLine(OfwInAppBrowserJSInterface::kNoNavigationController);
    if (auto browser = weak.lock(); browser && browser->webView()) browser->webView()->endEditing(true);
    popOrDismiss(*navigation);
  });
}

void getSdkVersion(const WeakBrowser& weak, const Body& body) {
  const auto handle = bodyText(body, "handle_id") ? bodyText(body, "handle_id") : bodyText(body, "id");
  auto browser = weak.lock();
  if (!handle || !browser) return;
  // The handle is a script expression of the page's own (the object that takes replies).
  browser->evalueateJavaScript(*handle + ".callback(true, \"" + kSdkVersion + "\")");
}

void setTitle(const WeakBrowser& weak, const Body& body) {
  const auto title = bodyText(body, "title");
  if (!title) return;
  // The bar shows it the next time the browser comes on screen.
  dispatch::main()->async([weak, title = *title] {
    if (auto browser = weak.lock()) browser->setNavigationTitle(title);
  });
}

}  // namespace

void OfwInAppBrowserJSInterface::didReceive(web::UserContentController&, const web::ScriptMessage& message) {
  const auto command = commandOf(message.body);
  if (!command) return logLine(kInvalidMessage);
  const Body& body = message.body;
  if (*command == "showAlert") return showAlert(webviewController_, body);
  if (*command == "open") return open(webviewController_, body, false);
  if (*command == "openExternal") return open(webviewController_, body, true);
  if (*command == "showConfirm") return showConfirm(webviewController_, body);
  if (*command == "close") return close(webviewController_);
  if (*command == "getSdkVersion") return getSdkVersion(webviewController_, body);
  if (*command == "copyToClipboard") return ui::Pasteboard::general().setString(bodyText(body, "text"));
  if (*command == "setTitle") return setTitle(webviewController_, body);
  logLine(kUnknownCommand);
}

}  // namespace velkor
