#include "platform/web/user_content_controller.h"

#include <map>

#include "platform/base/json_value.h"
#include "platform/base/log.h"
#include "platform/web/internal/content_manager.h"

namespace web {

UserContentController::UserContentController() = default;
UserContentController::~UserContentController() = default;

bool UserContentController::add(std::shared_ptr<ScriptMessageHandler> handler, const std::string& name) {
  if (!handler || name.empty() || handlers_.contains(name)) {
    base::logError("web: a script message handler needs a handler and a name not taken yet: \"" + name + "\"");
    return false;
  }
  handlers_[name] = std::move(handler);
  if (engine_) engine_->connect(this, name);
  return true;
}

void UserContentController::removeScriptMessageHandler(const std::string& name) {
  if (engine_) engine_->disconnect(name);
  handlers_.erase(name);
}

void UserContentController::removeAllScriptMessageHandlers() {
  while (!handlers_.empty()) removeScriptMessageHandler(handlers_.begin()->first);
}

UserContentController::Engine& UserContentController::engine() {
  if (!engine_) {
    engine_ = std::make_unique<Engine>();
    for (const auto& entry : handlers_) engine_->connect(this, entry.first);
  }
  return *engine_;
}

void UserContentController::deliver(const std::string& name, const nlohmann::json& body) {
  // The handler may let the last web view, and with it this controller, go.
  auto keep = weak_from_this().lock();
  auto found = handlers_.find(name);
  if (found == handlers_.end()) return;
  auto handler = found->second;
  handler->didReceive(*this, ScriptMessage{name, body});
}

}  // namespace web
