#include "platform/web/web_view.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/base/json_value.h"
#include "platform/base/log.h"
#include "platform/dispatch/main_loop.h"
#include "platform/dispatch/queue.h"
#include "platform/dispatch/timer.h"
#include "platform/net/error.h"
#include "platform/web/internal/content_manager.h"

namespace web {
namespace {

// Navigation ids are unique in the process, so a delegate serving several web views can tell them apart.
std::uint64_t nextNavigationId() {
  static std::uint64_t next = 0;
  return ++next;
}

bool isCancellation(const base::Error& error) {
  return error.domain == net::errorDomain && error.code == static_cast<long>(net::ErrorCode::Cancelled);
}

net::Request requestFrom(WebKitURIRequest* request) {
  const char* uri = webkit_uri_request_get_uri(request);
  auto url = base::Url::parse(uri ? uri : "");
  net::Request converted(url ? *url : *base::Url::parse("about:blank"));
  if (const char* method = webkit_uri_request_get_http_method(request)) converted.setHttpMethod(method);
  if (SoupMessageHeaders* headers = webkit_uri_request_get_http_headers(request)) {
    SoupMessageHeadersIter iter;
    soup_message_headers_iter_init(&iter, headers);
    const char* name = nullptr;
    const char* value = nullptr;
    while (soup_message_headers_iter_next(&iter, &name, &value)) converted.addValue(value, name);
  }
  return converted;
}

NavigationType navigationTypeOf(WebKitNavigationType type) {
  switch (type) {
    case WEBKIT_NAVIGATION_TYPE_LINK_CLICKED: return NavigationType::linkActivated;
    case WEBKIT_NAVIGATION_TYPE_FORM_SUBMITTED: return NavigationType::formSubmitted;
    case WEBKIT_NAVIGATION_TYPE_BACK_FORWARD: return NavigationType::backForward;
    case WEBKIT_NAVIGATION_TYPE_RELOAD: return NavigationType::reload;
    case WEBKIT_NAVIGATION_TYPE_FORM_RESUBMITTED: return NavigationType::formResubmitted;
    default: return NavigationType::other;
  }
}

NavigationAction actionFrom(WebKitNavigationAction* action, std::optional<FrameInfo> target) {
  return NavigationAction{requestFrom(webkit_navigation_action_get_request(action)),
                          navigationTypeOf(webkit_navigation_action_get_navigation_type(action)), target,
                          webkit_navigation_action_is_user_gesture(action) != FALSE};
}

// A policy decision or script dialog the delegate answers later: answered once, by the delegate or,
// when it drops the handler unanswered, by the default.
class PendingDecision {
 public:
  explicit PendingDecision(WebKitPolicyDecision* decision)
      : decision_(internal::GObjectRef<WebKitPolicyDecision>::retained(decision)) {}
  ~PendingDecision() { decide(NavigationActionPolicy::allow); }
  void decide(NavigationActionPolicy policy) {
    if (!decision_) return;
    if (policy == NavigationActionPolicy::allow) {
      webkit_policy_decision_use(decision_.get());
    } else {
      webkit_policy_decision_ignore(decision_.get());
    }
    decision_.reset();
  }

 private:
  internal::GObjectRef<WebKitPolicyDecision> decision_;
};

// A dialog answered inside the engine's callback is only given its answer; one answered later is
// held (referenced) until then and closed with it.
class PendingDialog {
 public:
  explicit PendingDialog(WebKitScriptDialog* dialog) : dialog_(dialog) {}
  ~PendingDialog() { answer(false); }
  // After the delegate was asked: an answer still to come keeps the dialog open.
  void detach() {
    if (!dialog_) return;
    webkit_script_dialog_ref(dialog_);
    held_ = true;
  }
  void answer(bool confirmed) {
    if (!dialog_) return;
    if (webkit_script_dialog_get_dialog_type(dialog_) == WEBKIT_SCRIPT_DIALOG_CONFIRM) {
      webkit_script_dialog_confirm_set_confirmed(dialog_, confirmed);
    }
    if (held_) {
      webkit_script_dialog_close(dialog_);
      webkit_script_dialog_unref(dialog_);
    }
    dialog_ = nullptr;
  }

 private:
  WebKitScriptDialog* dialog_;
  bool held_ = false;
};

// An evaluation's completion, called once: by the engine's answer or, when the web view goes
// first, by the web view.
struct Evaluation {
  WebView::EvaluationCompletion completion;
  bool done = false;
  void complete(const std::optional<nlohmann::json>& result, const std::optional<base::Error>& error) {
    if (done) return;
    done = true;
    if (completion) completion(result, error);
    completion = nullptr;
  }
};

std::optional<nlohmann::json> resultOf(JSCValue* value) {
  if (!value || jsc_value_is_undefined(value)) return std::nullopt;
  char* text = jsc_value_to_json(value, 0);
  if (!text) return std::nullopt;
  auto parsed = base::parseJson(text);
  g_free(text);
  if (!parsed) return std::nullopt;
  return std::move(*parsed);
}

// The engine's snapshot: premultiplied ARGB in native order, to straight RGBA.
std::optional<ui::Image> imageFrom(GdkTexture* texture, double pointWidth) {
  const int width = gdk_texture_get_width(texture);
  const int height = gdk_texture_get_height(texture);
  if (width <= 0 || height <= 0) return std::nullopt;
  std::vector<std::uint8_t> argb(static_cast<std::size_t>(width) * height * 4);
  gdk_texture_download(texture, argb.data(), static_cast<gsize>(width) * 4);
  std::vector<std::uint8_t> rgba(argb.size());
  for (std::size_t i = 0; i < argb.size(); i += 4) {
    std::uint32_t pixel;
    std::memcpy(&pixel, &argb[i], 4);
    const std::uint32_t a = pixel >> 24;
    auto straight = [a](std::uint32_t c) { return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a); };
    rgba[i] = static_cast<std::uint8_t>(straight((pixel >> 16) & 0xFF));
    rgba[i + 1] = static_cast<std::uint8_t>(straight((pixel >> 8) & 0xFF));
    rgba[i + 2] = static_cast<std::uint8_t>(straight(pixel & 0xFF));
    rgba[i + 3] = static_cast<std::uint8_t>(a);
  }
  return ui::Image::fromRgba(width, height, std::move(rgba), pointWidth > 0 ? width / pointWidth : 1.0);
}

// Destroys the engine's window (and with it its page) and lets the main loop stop serving the
// engine when it was the last. Deferred while an engine callback is in progress.
struct Teardown {
  explicit Teardown(GtkWidget* engineWindow) : window(engineWindow) {}
  Teardown(const Teardown&) = delete;
  Teardown& operator=(const Teardown&) = delete;
  GtkWidget* window;
  ~Teardown() {
    gtk_window_destroy(GTK_WINDOW(window));
    internal::releaseMainContext();
  }
};

}  // namespace

struct WebView::Engine {
  GtkWidget* window = nullptr;
  WebKitWebView* view = nullptr;
  internal::GObjectRef<GCancellable> cancellable{g_cancellable_new()};
  int width = 0;
  int height = 0;

  // The navigation load() asked for that has not started yet, and the one the engine is on.
  std::optional<Navigation> expected;
  std::optional<Navigation> active;
  bool committed = false;
  // The engine still has to report the cancellation of a navigation already reported as failed.
  bool swallowCancellation = false;
  // The engine reports "finished" after every failure as well.
  bool swallowFinish = false;
  std::shared_ptr<dispatch::Timer> timeout;

  std::vector<std::function<void(NavigationDelegate&)>> reports;
  std::vector<std::weak_ptr<Evaluation>> evaluations;

  void stopTimer() {
    if (timeout) timeout->invalidate();
    timeout.reset();
  }
};

// The engine's signals, each with the web view as its data. Each keeps the web view alive while it
// runs and marks an engine callback in progress.
struct WebView::Signals {
  struct Scope {
    internal::CallbackScope callback;
    std::shared_ptr<View> keep;
    explicit Scope(WebView* view) : keep(view->shared()) { view->flushReports(); }
  };

  static void loadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer data) {
    auto* self = static_cast<WebView*>(data);
    Scope scope(self);
    if (event == WEBKIT_LOAD_STARTED) self->loadStarted();
    if (event == WEBKIT_LOAD_COMMITTED) self->loadCommitted();
    if (event == WEBKIT_LOAD_FINISHED) self->loadFinished();
  }

  static gboolean loadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError* error, gpointer data) {
    auto* self = static_cast<WebView*>(data);
    Scope scope(self);
    self->loadFailed(internal::loadError(error));
    return TRUE;  // no engine error page: the delegate decides what to show
  }

  static gboolean loadFailedWithTlsErrors(WebKitWebView*, gchar*, GTlsCertificate*, GTlsCertificateFlags, gpointer data) {
    auto* self = static_cast<WebView*>(data);
    Scope scope(self);
    self->loadFailed(net::Error::make(net::ErrorCode::ServerCertificateUntrusted));
    return TRUE;
  }

  static gboolean decidePolicy(WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type,
                               gpointer data) {
    if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE) return FALSE;
    auto* self = static_cast<WebView*>(data);
    Scope scope(self);
    auto delegate = self->navigationDelegate();
    if (!delegate) return FALSE;
    auto* navigation = WEBKIT_NAVIGATION_POLICY_DECISION(decision);
    std::optional<FrameInfo> target;
    if (type == WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) target = FrameInfo{};
    const NavigationAction action = actionFrom(webkit_navigation_policy_decision_get_navigation_action(navigation), target);
    auto pending = std::make_shared<PendingDecision>(decision);
    delegate->decidePolicyFor(*self, action, [pending](NavigationActionPolicy policy) { pending->decide(policy); });
    return TRUE;
  }

  static GtkWidget* create(WebKitWebView*, WebKitNavigationAction* action, gpointer data) {
    auto* self = static_cast<WebView*>(data);
    Scope scope(self);
    auto delegate = self->uiDelegate();
    if (!delegate) return nullptr;
    WebViewConfiguration configuration = self->configuration_;
    configuration.openedBy_ = std::static_pointer_cast<WebView>(self->shared());
    auto created = delegate->createWebView(*self, configuration, actionFrom(action, std::nullopt), WindowFeatures{});
    if (!created || !created->engine_->view) return nullptr;
    if (created->configuration_.openedBy_.lock().get() != self) {
      base::logError("web: a web view for a new window must be made with the configuration createWebView was given");
      return nullptr;
    }
    return GTK_WIDGET(created->engine_->view);
  }

  static gboolean scriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, gpointer data) {
    auto* self = static_cast<WebView*>(data);
    Scope scope(self);
    const auto type = webkit_script_dialog_get_dialog_type(dialog);
    auto delegate = self->uiDelegate();
    if (!delegate || (type != WEBKIT_SCRIPT_DIALOG_ALERT && type != WEBKIT_SCRIPT_DIALOG_CONFIRM)) {
      return TRUE;  // answered with the defaults: dismissed, false, no text
    }
    auto pending = std::make_shared<PendingDialog>(dialog);
    const std::string message = webkit_script_dialog_get_message(dialog);
    if (type == WEBKIT_SCRIPT_DIALOG_ALERT) {
      delegate->runJavaScriptAlertPanel(*self, message, FrameInfo{}, [pending] { pending->answer(false); });
    } else {
      delegate->runJavaScriptConfirmPanel(*self, message, FrameInfo{}, [pending](bool ok) { pending->answer(ok); });
    }
    pending->detach();
    return TRUE;
  }

  static void evaluated(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<std::shared_ptr<Evaluation>> evaluation(static_cast<std::shared_ptr<Evaluation>*>(data));
    GError* error = nullptr;
    JSCValue* value = webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, &error);
    internal::CallbackScope scope;
    if (error) {
      (*evaluation)->complete(std::nullopt, internal::scriptError(error));
      g_error_free(error);
    } else {
      (*evaluation)->complete(resultOf(value), std::nullopt);
    }
    if (value) g_object_unref(value);
  }

  struct SnapshotWait {
    bool done = false;
    std::optional<ui::Image> image;
    double pointWidth = 0;
  };

  static void snapshotTaken(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<std::shared_ptr<SnapshotWait>> wait(static_cast<std::shared_ptr<SnapshotWait>*>(data));
    GError* error = nullptr;
    GdkTexture* texture = webkit_web_view_get_snapshot_finish(WEBKIT_WEB_VIEW(source), result, &error);
    if (texture) {
      (*wait)->image = imageFrom(texture, (*wait)->pointWidth);
      g_object_unref(texture);
    }
    if (error) g_error_free(error);
    (*wait)->done = true;
  }

  static void connect(WebView* self, WebKitWebView* view) {
    g_signal_connect(view, "load-changed", G_CALLBACK(loadChanged), self);
    g_signal_connect(view, "load-failed", G_CALLBACK(loadFailed), self);
    g_signal_connect(view, "load-failed-with-tls-errors", G_CALLBACK(loadFailedWithTlsErrors), self);
    g_signal_connect(view, "decide-policy", G_CALLBACK(decidePolicy), self);
    g_signal_connect(view, "create", G_CALLBACK(create), self);
    g_signal_connect(view, "script-dialog", G_CALLBACK(scriptDialog), self);
  }
};

WebView::WebView(const ui::Rect& frame, WebViewConfiguration configuration)
    : ui::View(frame), configuration_(std::move(configuration)), engine_(std::make_unique<Engine>()) {
  if (!configuration_.userContentController) configuration_.userContentController = std::make_shared<UserContentController>();
  if (!internal::startEngine()) return;
  WebKitSettings* settings = webkit_settings_new();
  webkit_settings_set_enable_javascript(settings, configuration_.preferences.javaScriptEnabled);
  webkit_settings_set_javascript_can_open_windows_automatically(
      settings, configuration_.preferences.javaScriptCanOpenWindowsAutomatically);
  WebKitUserContentManager* manager = configuration_.userContentController->engine().manager.get();
  auto opener = configuration_.openedBy_.lock();
  GObject* object = opener && opener->engine_->view
                        ? G_OBJECT(g_object_new(WEBKIT_TYPE_WEB_VIEW, "related-view", opener->engine_->view,
                                                "user-content-manager", manager, "settings", settings, nullptr))
                        : G_OBJECT(g_object_new(WEBKIT_TYPE_WEB_VIEW, "network-session", internal::networkSession(),
                                                "user-content-manager", manager, "settings", settings, nullptr));
  g_object_unref(settings);
  engine_->view = WEBKIT_WEB_VIEW(object);
  engine_->window = gtk_window_new();
  gtk_window_set_child(GTK_WINDOW(engine_->window), GTK_WIDGET(engine_->view));
  syncWindowSize();
  gtk_window_present(GTK_WINDOW(engine_->window));
  Signals::connect(this, engine_->view);
  internal::retainMainContext();
}

WebView::~WebView() {
  engine_->stopTimer();
  for (const auto& weak : engine_->evaluations) {
    auto evaluation = weak.lock();
    if (!evaluation || evaluation->done) continue;
    dispatch::main()->async([evaluation] { evaluation->complete(std::nullopt, internal::invalidatedError()); });
  }
  if (!engine_->view) return;
  g_signal_handlers_disconnect_by_data(engine_->view, this);
  g_cancellable_cancel(engine_->cancellable.get());
  auto teardown = std::make_shared<Teardown>(engine_->window);
  // Inside an engine callback the engine still uses the page after the callback returns.
  if (internal::CallbackScope::active()) dispatch::main()->async([teardown] {});
}

Navigation WebView::load(const net::Request& request) {
  const Navigation navigation{nextNavigationId()};
  cancelUncommitted(net::Error::make(net::ErrorCode::Cancelled));
  if (!engine_->view) {
    reportLater([this, navigation](NavigationDelegate& delegate) {
      delegate.didFailProvisionalNavigation(*this, navigation, internal::noEngineError());
    });
    return navigation;
  }
  engine_->expected = navigation;
  std::weak_ptr<View> weak = shared();
  engine_->timeout = dispatch::Timer::scheduled(
      net::effectiveTimeout(request), false,
      [weak, id = navigation.id](dispatch::Timer&) {
        if (auto self = weak.lock()) static_cast<WebView&>(*self).timedOut(id);
      },
      dispatch::RunLoopMode::Common);
  syncWindowSize();
  WebKitURIRequest* uriRequest = webkit_uri_request_new(request.url().absoluteString().c_str());
  SoupMessageHeaders* headers = webkit_uri_request_get_http_headers(uriRequest);
  for (const auto& [name, value] : request.allHttpHeaderFields().all()) {
    if (headers) soup_message_headers_append(headers, name.c_str(), value.c_str());
  }
  webkit_web_view_load_request(engine_->view, uriRequest);
  g_object_unref(uriRequest);
  return navigation;
}

void WebView::stopLoading() {
  cancelUncommitted(net::Error::make(net::ErrorCode::Cancelled));
  if (engine_->view) webkit_web_view_stop_loading(engine_->view);
}

void WebView::evaluateJavaScript(const std::string& script, EvaluationCompletion completionHandler) {
  auto evaluation = std::make_shared<Evaluation>(Evaluation{std::move(completionHandler)});
  if (!engine_->view) {
    dispatch::main()->async([evaluation] { evaluation->complete(std::nullopt, internal::noEngineError()); });
    return;
  }
  std::erase_if(engine_->evaluations, [](const auto& weak) { return weak.expired(); });
  engine_->evaluations.push_back(evaluation);
  webkit_web_view_evaluate_javascript(engine_->view, script.data(), static_cast<gssize>(script.size()), nullptr,
                                      nullptr, engine_->cancellable.get(), Signals::evaluated,
                                      new std::shared_ptr<Evaluation>(evaluation));
}

std::optional<base::Url> WebView::url() const {
  const char* uri = engine_->view ? webkit_web_view_get_uri(engine_->view) : nullptr;
  if (!uri) return std::nullopt;
  return base::Url::parse(uri);
}

std::optional<std::string> WebView::title() const {
  const char* text = engine_->view ? webkit_web_view_get_title(engine_->view) : nullptr;
  if (!text) return std::nullopt;
  return std::string(text);
}

bool WebView::isLoading() const { return engine_->view && webkit_web_view_is_loading(engine_->view); }

void WebView::setInspectable(bool inspectable) {
  inspectable_ = inspectable;
  if (!engine_->view) return;
  webkit_settings_set_enable_developer_extras(webkit_web_view_get_settings(engine_->view), inspectable);
}

void WebView::setOpaque(bool opaque) {
  opaque_ = opaque;
  if (!engine_->view) return;
  const GdkRGBA background{1, 1, 1, opaque ? 1.0f : 0.0f};
  webkit_web_view_set_background_color(engine_->view, &background);
}

void WebView::layoutSubviews() {
  View::layoutSubviews();
  syncWindowSize();
}

void WebView::syncWindowSize() {
  if (!engine_->window) return;
  // The engine's window cannot be empty; a view of no size keeps a window of one point.
  const int width = std::max(1, static_cast<int>(std::lround(bounds().width())));
  const int height = std::max(1, static_cast<int>(std::lround(bounds().height())));
  if (width == engine_->width && height == engine_->height) return;
  engine_->width = width;
  engine_->height = height;
  gtk_window_set_default_size(GTK_WINDOW(engine_->window), width, height);
}

void WebView::updateContentImage() {
  if (!engine_->view || !webkit_web_view_get_uri(engine_->view)) {
    contentImage_.reset();
    return;
  }
  syncWindowSize();
  GtkWidget* widget = GTK_WIDGET(engine_->view);
  // A new size reaches the page once the display has configured the window.
  dispatch::main_loop::runUntil(
      [&] { return gtk_widget_get_width(widget) == engine_->width && gtk_widget_get_height(widget) == engine_->height; },
      dispatch::Seconds(2));
  auto wait = std::make_shared<Signals::SnapshotWait>();
  wait->pointWidth = bounds().width();
  webkit_web_view_get_snapshot(engine_->view, WEBKIT_SNAPSHOT_REGION_VISIBLE,
                               opaque_ ? WEBKIT_SNAPSHOT_OPTIONS_NONE : WEBKIT_SNAPSHOT_OPTIONS_TRANSPARENT_BACKGROUND,
                               engine_->cancellable.get(), Signals::snapshotTaken,
                               new std::shared_ptr<Signals::SnapshotWait>(wait));
  dispatch::main_loop::runUntil([&] { return wait->done; }, dispatch::Seconds(5));
  if (wait->image) contentImage_ = std::move(wait->image);
}

// --- navigations ---
//
// The engine reports one main-frame load at a time and does not say which request an event belongs
// to. load() knows which navigation comes next (`expected`); a start takes it, or makes a new one
// for a navigation the page began. When load() replaces a navigation that has not committed, the
// replaced one is reported cancelled at once and the engine's own late report of that cancellation
// (a failure, then "finished") is dropped.

void WebView::reportLater(std::function<void(NavigationDelegate&)> report) {
  const bool first = engine_->reports.empty();
  engine_->reports.push_back(std::move(report));
  if (!first) return;
  std::weak_ptr<View> weak = shared();
  dispatch::main()->async([weak] {
    if (auto self = weak.lock()) static_cast<WebView&>(*self).flushReports();
  });
}

// Reports made by load() and the time-out reach the delegate before any later engine event does.
void WebView::flushReports() {
  auto reports = std::move(engine_->reports);
  engine_->reports.clear();
  for (auto& report : reports) {
    if (auto delegate = navigationDelegate()) report(*delegate);
  }
}

void WebView::cancelUncommitted(base::Error error) {
  std::optional<Navigation> cancelled[] = {std::exchange(engine_->expected, std::nullopt),
                                           engine_->committed ? std::nullopt : std::exchange(engine_->active, std::nullopt)};
  for (const auto& navigation : cancelled) {
    if (!navigation) continue;
    engine_->swallowCancellation = true;
    engine_->stopTimer();
    reportLater([this, navigation = *navigation, error](NavigationDelegate& delegate) {
      delegate.didFailProvisionalNavigation(*this, navigation, error);
    });
  }
}

void WebView::loadStarted() {
  engine_->swallowFinish = false;
  // A start while the engine is still on a navigation that has not committed is the same load
  // going on (a start reported for a load that load() had already replaced).
  if (engine_->active && !engine_->committed && !engine_->expected) return;
  const Navigation navigation = engine_->expected ? *std::exchange(engine_->expected, std::nullopt)
                                                  : Navigation{nextNavigationId()};
  engine_->active = navigation;
  engine_->committed = false;
  if (auto delegate = navigationDelegate()) delegate->didStartProvisionalNavigation(*this, navigation);
}

void WebView::loadCommitted() {
  if (!engine_->active) return;
  engine_->committed = true;
  engine_->swallowCancellation = false;
  engine_->stopTimer();
  if (auto delegate = navigationDelegate()) delegate->didCommit(*this, *engine_->active);
}

void WebView::loadFinished() {
  if (std::exchange(engine_->swallowFinish, false)) return;
  if (!engine_->active) return;
  const Navigation navigation = *std::exchange(engine_->active, std::nullopt);
  engine_->stopTimer();
  if (auto delegate = navigationDelegate()) delegate->didFinish(*this, navigation);
}

void WebView::loadFailed(const base::Error& error) {
  engine_->swallowFinish = true;
  if (std::exchange(engine_->swallowCancellation, false) && isCancellation(error)) return;
  std::optional<Navigation> navigation = std::exchange(engine_->active, std::nullopt);
  const bool committed = navigation && engine_->committed;
  if (!navigation) navigation = std::exchange(engine_->expected, std::nullopt);
  if (!navigation) return;
  engine_->stopTimer();
  auto delegate = navigationDelegate();
  if (!delegate) return;
  if (committed) {
    delegate->didFail(*this, *navigation, error);
  } else {
    delegate->didFailProvisionalNavigation(*this, *navigation, error);
  }
}

void WebView::timedOut(std::uint64_t navigationId) {
  const bool pending = (engine_->expected && engine_->expected->id == navigationId) ||
                       (engine_->active && engine_->active->id == navigationId && !engine_->committed);
  if (!pending) return;
  cancelUncommitted(net::Error::make(net::ErrorCode::TimedOut));
  webkit_web_view_stop_loading(engine_->view);
}

}  // namespace web
