// The in-app browser's script bridge: a page's alerts and confirm dialogs, links opened inside or
// outside the app, closing, copying, the title and the SDK version. A body is a non-empty object of
// texts with a "command"; replies go only to "getSdkVersion", to the page object the body's
// "handle_id" (else "id") names. Holds its browser weakly. Main thread only.
#pragma once

#include <memory>
#include <string>

#include "platform/web/script_message.h"

namespace velkor {

class OfwInAppBrowserViewController;

class OfwInAppBrowserJSInterface : public web::ScriptMessageHandler {
 public:
  // What the system log is told.
  static constexpr const char* kInvalidMessage = "유효하지 않은 메시지 형식입니다.";
  static constexpr const char* kUnknownCommand = "정의되지 않은 명령입니다.";
  static constexpr const char* kMissingArguments = "Required arguments are missing.";
  static constexpr const char* kNoNavigationController = "Navigation controller cannot found";

  explicit OfwInAppBrowserJSInterface(const std::shared_ptr<OfwInAppBrowserViewController>& browser)
      : webviewController_(browser) {}

  void didReceive(web::UserContentController& controller, const web::ScriptMessage& message) override;

 private:
  std::weak_ptr<OfwInAppBrowserViewController> webviewController_;
};

}  // namespace velkor
