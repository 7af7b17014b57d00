// The script message handlers of the web views made with it, by name. A page reaches a handler as
// window.webkit.messageHandlers.<name>.postMessage(body). Handlers are held strongly, as on the
// platform: a handler that owns the web view makes a cycle until it is removed, so screens register
// a weak proxy. Main thread only.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/web/script_message.h"

namespace web {

class UserContentController : public std::enable_shared_from_this<UserContentController> {
 public:
  UserContentController();
  ~UserContentController();
  UserContentController(const UserContentController&) = delete;
  UserContentController& operator=(const UserContentController&) = delete;

  // A name already taken, an empty name or a null handler is refused (logged); false then.
  bool add(std::shared_ptr<ScriptMessageHandler> handler, const std::string& name);
  void removeScriptMessageHandler(const std::string& name);
  void removeAllScriptMessageHandlers();

 private:
  friend class WebView;
  struct Engine;
  // The engine's side, made on first use by a web view.
  Engine& engine();
  void deliver(const std::string& name, const nlohmann::json& body);

  std::map<std::string, std::shared_ptr<ScriptMessageHandler>> handlers_;
  std::unique_ptr<Engine> engine_;
};

}  // namespace web
