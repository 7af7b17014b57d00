// A script message handler that hands each message to another one it holds weakly. A page's user
// content controller keeps its handlers alive; a screen that owns the web view registers this
// proxy instead of itself, so screen, web view and controller make no cycle.
#pragma once

#include <memory>

#include "platform/web/script_message.h"

namespace velkor {

class WeakScriptMessageHandler : public web::ScriptMessageHandler {
 public:
  explicit WeakScriptMessageHandler(const std::shared_ptr<web::ScriptMessageHandler>& target) : target_(target) {}

  void didReceive(web::UserContentController& controller, const web::ScriptMessage& message) override {
    if (auto target = target_.lock()) target->didReceive(controller, message);
  }

 private:
  std::weak_ptr<web::ScriptMessageHandler> target_;
};

}  // namespace velkor
