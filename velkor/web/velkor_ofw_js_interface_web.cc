// The bridge's side that touches the web view.
#include "platform/web/script_message.h"
#include "platform/web/web_view.h"
#include "velkor/web/velkor_ofw_js_interface.h"

namespace velkor {

void VelkorOfwJsInterface::handleScriptMessage(const web::ScriptMessage& message) { handleBody(message.body); }

void VelkorOfwJsInterface::evaluateReply(const std::string& script) {
  if (auto webView = webView_.lock()) webView->evaluateJavaScript(script);
}

}  // namespace velkor
