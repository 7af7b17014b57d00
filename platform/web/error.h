// Failures of the web engine itself (as opposed to a page's transport, which reports net::Errors):
// a script that threw, a result that has no JSON form, a web view gone before it answered.
#pragma once

namespace web {

inline constexpr const char* kErrorDomain = "WKErrorDomain";

// The platform's raw values.
enum class ErrorCode : long {
  unknown = 1,
  webContentProcessTerminated = 2,
  webViewInvalidated = 3,
  javaScriptExceptionOccurred = 4,
  javaScriptResultTypeIsUnsupported = 5,
};

}  // namespace web
