// A message a page posts to a script message handler
// (window.webkit.messageHandlers.<name>.postMessage(body)), and the handler that receives it.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace web {

class UserContentController;

struct ScriptMessage {
  // The name the handler was added under.
  std::string name;
  // The posted value as JSON: objects, arrays, texts, numbers, booleans; null for undefined, null
  // and values JSON cannot hold (functions).
  nlohmann::json body;
};

class ScriptMessageHandler {
 public:
  virtual ~ScriptMessageHandler() = default;
  // On the main thread, in the order the page posted.
  virtual void didReceive(UserContentController& controller, const ScriptMessage& message) = 0;
};

}  // namespace web
