#include "platform/web/internal/engine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <vector>

#include "platform/base/log.h"
#include "platform/dispatch/main_loop.h"
#include "platform/net/error.h"
#include "platform/ui/screen.h"
#include "platform/web/error.h"

namespace web::internal {
namespace {

// GLib's default context, served by the platform's loop: prepare and query before its wait,
// check and dispatch after. Rounds nest when a callback runs the loop again (runUntil inside a
// handler), so each round's state is kept on a stack.
class MainContextSource final : public dispatch::main_loop::EventSource {
 public:
  int prepare(std::vector<pollfd>& fds) override {
    GMainContext* context = g_main_context_default();
    Round round;
    round.acquired = g_main_context_acquire(context);
    round.first = fds.size();
    if (!round.acquired) {
      rounds_.push_back(round);
      return -1;
    }
    g_main_context_prepare(context, &round.priority);
    int timeout = -1;
    std::vector<GPollFD> polls(8);
    int count = 0;
    while ((count = g_main_context_query(context, round.priority, &timeout, polls.data(),
                                         static_cast<int>(polls.size()))) > static_cast<int>(polls.size())) {
      polls.resize(count);
    }
    for (int i = 0; i < count; ++i) {
      fds.push_back(pollfd{polls[i].fd, static_cast<short>(polls[i].events), 0});
    }
    rounds_.push_back(round);
    return timeout;
  }

  void dispatch(const std::vector<pollfd>& fds) override {
    const Round round = rounds_.back();
    rounds_.pop_back();
    if (!round.acquired) return;
    std::vector<GPollFD> polls;
    for (std::size_t i = round.first; i < fds.size(); ++i) {
      polls.push_back(GPollFD{fds[i].fd, static_cast<gushort>(fds[i].events), static_cast<gushort>(fds[i].revents)});
    }
    GMainContext* context = g_main_context_default();
    if (g_main_context_check(context, round.priority, polls.data(), static_cast<int>(polls.size()))) {
      g_main_context_dispatch(context);
    }
    g_main_context_release(context);
  }

 private:
  struct Round {
    bool acquired = false;
    int priority = 0;
    std::size_t first = 0;
  };
  std::vector<Round> rounds_;
};

MainContextSource& source() {
  static auto* s = new MainContextSource;
  return *s;
}

int holders = 0;
int callbackDepth = 0;

net::ErrorCode transportCode(const GError* error) {
  if (error->domain == WEBKIT_NETWORK_ERROR) {
    switch (error->code) {
      case WEBKIT_NETWORK_ERROR_CANCELLED: return net::ErrorCode::Cancelled;
      case WEBKIT_NETWORK_ERROR_UNKNOWN_PROTOCOL: return net::ErrorCode::UnsupportedUrl;
      default: return net::ErrorCode::Unknown;
    }
  }
  if (error->domain == WEBKIT_POLICY_ERROR) {
    if (error->code == WEBKIT_POLICY_ERROR_CANNOT_SHOW_URI) return net::ErrorCode::UnsupportedUrl;
    if (error->code == WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE) return net::ErrorCode::Cancelled;
    if (error->code == WEBKIT_POLICY_ERROR_CANNOT_USE_RESTRICTED_PORT) return net::ErrorCode::CannotConnectToHost;
    return net::ErrorCode::Unknown;
  }
  if (error->domain == G_IO_ERROR) {
    switch (error->code) {
      case G_IO_ERROR_CONNECTION_REFUSED:
      case G_IO_ERROR_HOST_UNREACHABLE:
      case G_IO_ERROR_NETWORK_UNREACHABLE: return net::ErrorCode::CannotConnectToHost;
      case G_IO_ERROR_TIMED_OUT: return net::ErrorCode::TimedOut;
      case G_IO_ERROR_CONNECTION_CLOSED:  // also G_IO_ERROR_BROKEN_PIPE
      case G_IO_ERROR_PARTIAL_INPUT: return net::ErrorCode::NetworkConnectionLost;
      case G_IO_ERROR_CANCELLED: return net::ErrorCode::Cancelled;
      default: return net::ErrorCode::Unknown;
    }
  }
  if (error->domain == G_RESOLVER_ERROR) return net::ErrorCode::CannotFindHost;
  if (error->domain == G_TLS_ERROR) {
    return error->code == G_TLS_ERROR_BAD_CERTIFICATE ? net::ErrorCode::ServerCertificateUntrusted
                                                       : net::ErrorCode::SecureConnectionFailed;
  }
  if (error->domain == SOUP_SESSION_ERROR) {
    return error->code == SOUP_SESSION_ERROR_TOO_MANY_REDIRECTS ? net::ErrorCode::HttpTooManyRedirects
                                                                 : net::ErrorCode::BadServerResponse;
  }
  return net::ErrorCode::Unknown;
}

bool isTransportDomain(GQuark domain) {
  return domain == WEBKIT_NETWORK_ERROR || domain == WEBKIT_POLICY_ERROR || domain == G_IO_ERROR ||
         domain == G_RESOLVER_ERROR || domain == G_TLS_ERROR || domain == SOUP_SESSION_ERROR;
}

base::Error engineError(ErrorCode code, std::string message) {
  return base::Error{kErrorDomain, static_cast<long>(code), std::move(message)};
}

}  // namespace

// The engine's environment, written before main(), while nothing else can be reading it: written
// when the engine starts, it raced with the threads of libraries already at work (the font
// service's start-up thread reads the environment), and their getenv() could crash.
// - The accessibility bus is not there on a virtual display; asking for it only prints warnings.
// - Pages are drawn at the screen's pixels per point (whole numbers only), so that snapshots of
//   windows show them as sharp as the views around them.
[[maybe_unused]] const bool kEnvironmentSet = [] {
  setenv("GTK_A11Y", "none", 0);
  const long scale = std::clamp(std::lround(ui::Screen::main().scale), 1L, 4L);
  setenv("GDK_SCALE", std::to_string(scale).c_str(), 0);
  return true;
}();

bool startEngine() {
  static const bool started = [] {
    if (gtk_init_check()) return true;
    base::logError("web: the web engine cannot start without a display (DISPLAY or WAYLAND_DISPLAY)");
    return false;
  }();
  return started;
}

void retainMainContext() {
  if (holders++ == 0) dispatch::main_loop::setEventSource(&source());
}

void releaseMainContext() {
  if (--holders == 0) dispatch::main_loop::setEventSource(nullptr);
}

WebKitNetworkSession* networkSession() {
  static WebKitNetworkSession* session = webkit_network_session_new_ephemeral();
  return session;
}

CallbackScope::CallbackScope() { ++callbackDepth; }
CallbackScope::~CallbackScope() { --callbackDepth; }
bool CallbackScope::active() { return callbackDepth > 0; }

base::Error loadError(const GError* error) {
  if (!error) return net::Error::make(net::ErrorCode::Unknown);
  if (!isTransportDomain(error->domain)) return engineError(ErrorCode::unknown, error->message);
  return net::Error::make(transportCode(error), error->message);
}

base::Error noEngineError() { return engineError(ErrorCode::unknown, "The web engine is not running (no display)."); }

base::Error invalidatedError() {
  return engineError(ErrorCode::webViewInvalidated, "The web view went before the script answered.");
}

base::Error scriptError(const GError* error) {
  if (!error) return engineError(ErrorCode::unknown, "The script failed.");
  if (error->domain == G_IO_ERROR && error->code == G_IO_ERROR_CANCELLED) return invalidatedError();
  if (error->domain == WEBKIT_JAVASCRIPT_ERROR && error->code == WEBKIT_JAVASCRIPT_ERROR_INVALID_RESULT) {
    return engineError(ErrorCode::javaScriptResultTypeIsUnsupported, error->message);
  }
  if (error->domain == WEBKIT_JAVASCRIPT_ERROR && error->code == WEBKIT_JAVASCRIPT_ERROR_SCRIPT_FAILED) {
    // The engine puts the script's source position before its message: "<url>:1:24: Error: boom".
    static const std::regex position(R"(^.*?:\d+:\d+: )");
    return engineError(ErrorCode::javaScriptExceptionOccurred, std::regex_replace(error->message, position, ""));
  }
  return engineError(ErrorCode::unknown, error->message);
}

}  // namespace web::internal
