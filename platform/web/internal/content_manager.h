// The engine's side of a user content controller: the engine's content manager, shared by the web
// views made with the controller, and one signal per handler name.
#pragma once

#include <map>
#include <string>

#include "platform/base/json_value.h"
#include "platform/web/internal/engine.h"
#include "platform/web/user_content_controller.h"

namespace web {
namespace internal {

// Where a script message signal goes; the controller disconnects every one before it goes itself.
struct Registration {
  UserContentController* controller;
  std::string name;
};

// A body the page posted, as JSON; undefined and what JSON cannot hold come out as null.
inline nlohmann::json bodyOf(JSCValue* value) {
  char* text = jsc_value_to_json(value, 0);
  if (!text) return nullptr;
  auto parsed = base::parseJson(text);
  g_free(text);
  return parsed ? std::move(*parsed) : nlohmann::json();
}


}  // namespace internal

struct UserContentController::Engine {
  internal::GObjectRef<WebKitUserContentManager> manager{webkit_user_content_manager_new()};
  std::map<std::string, gulong> signals;

  void connect(UserContentController* controller, const std::string& name) {
    webkit_user_content_manager_register_script_message_handler(manager.get(), name.c_str(), nullptr);
    const std::string signal = "script-message-received::" + name;
    signals[name] = g_signal_connect_data(
        manager.get(), signal.c_str(), G_CALLBACK(+[](WebKitUserContentManager*, JSCValue* value, gpointer data) {
          auto* registration = static_cast<internal::Registration*>(data);
          internal::CallbackScope scope;
          registration->controller->deliver(registration->name, internal::bodyOf(value));
        }),
        new internal::Registration{controller, name}, +[](gpointer data, GClosure*) { delete static_cast<internal::Registration*>(data); },
        G_CONNECT_DEFAULT);
  }

  void disconnect(const std::string& name) {
    auto found = signals.find(name);
    if (found == signals.end()) return;
    g_signal_handler_disconnect(manager.get(), found->second);
    webkit_user_content_manager_unregister_script_message_handler(manager.get(), name.c_str(), nullptr);
    signals.erase(found);
  }

  ~Engine() {
    while (!signals.empty()) disconnect(signals.begin()->first);
  }
};

}  // namespace web
