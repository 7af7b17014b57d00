#include "velkor/web/ofw_detail_web_view_controller.h"

#include "platform/base/log.h"
#include "platform/dispatch/queue.h"
#include "platform/privacy/tracking.h"
#include "platform/ui/application.h"
#include "platform/ui/navigation_controller.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/components/velkor_navigation_bar.h"
#include "velkor/core/contact_page.h"
#include "velkor/core/host_ad_actions.h"
#include "velkor/core/os_version_gate.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_offerwall_delegate.h"
#include "velkor/detail/postback.h"
#include "velkor/model/participate_result.h"
#include "velkor/network/ad_repository.h"
#include "velkor/network/constants.h"
#include "velkor/network/tracking_repository.h"
#include "velkor/network/url_query.h"
#include "velkor/network/velkor_api_client.h"
#include "velkor/web/script_message_body.h"
#include "velkor/web/web_address.h"

namespace velkor {
namespace {

constexpr const char* kParticipate = "participate";
constexpr const char* kShowHelp = "show_help";

bool hasUid() { return UserProfile::uid().has_value(); }
bool hasNonEmptyUid() { return UserProfile::uid() && !UserProfile::uid()->empty(); }

}  // namespace

OfwDetailWebViewController::~OfwDetailWebViewController() = default;

std::shared_ptr<OfwDetailWebViewController> OfwDetailWebViewController::self() {
  return std::static_pointer_cast<OfwDetailWebViewController>(shared_from_this());
}

void OfwDetailWebViewController::viewDidLoad() {
  OfwWebPageViewController::viewDidLoad();
  view()->setOverrideUserInterfaceStyle(VelkorInternal::shared().userInterfaceStyle());
  styleBar();
  rebuildWebView();
}

void OfwDetailWebViewController::rebuildWebView() {
  installWebView({{"velkor", weakHandler(*this)}});
  webView()->setBackgroundColor(ui::Color::white());
  if (isNavigationHidden_) addStatusBarBackdrop();
  loadURL(webViewURL());
}

void OfwDetailWebViewController::addStatusBarBackdrop() {
  auto backdrop = std::make_shared<ui::View>(ui::Application::shared().statusBarFrame());
  backdrop->setBackgroundColor(statusBarBackgroundColor_.value_or(ui::Color::white()));
  view()->addSubview(backdrop);
}

void OfwDetailWebViewController::styleBar() {
  setupNavigationBar();
  auto* bar = velkorNavigationBar();
  if (!bar) return;
  std::weak_ptr<ui::ViewController> weak = weak_from_this();
  if (auto help = bar->helpButton()) {
    showBarButton(*help, [weak] {
      if (auto screen = std::static_pointer_cast<OfwDetailWebViewController>(weak.lock())) screen->moveToContact();
    });
  }
}

void OfwDetailWebViewController::viewWillAppear(bool animated) {
  OfwWebPageViewController::viewWillAppear(animated);
  // An empty user id is no user either: the host's login must reach this page.
  if (!hasNonEmptyUid()) Velkor::shared().setLoginDelegate(std::shared_ptr<OfwLoginDelegate>(self(), this));
  if (auto* navigation = ui::ViewController::navigationController()) blankBackIndicator(navigation->navigationBar());
  styleBar();
  auto& center = base::NotificationCenter::defaultCenter();
  Weak weak = self();
  foregroundObservation_ = center.addObserver(ui::Application::kWillEnterForegroundNotification,
                                              [weak](const base::Notification&) {
                                                if (auto screen = weak.lock()) screen->appMovedToForeground();
                                              });
  backgroundObservation_ = center.addObserver(ui::Application::kDidEnterBackgroundNotification,
                                              [weak](const base::Notification&) {
                                                if (auto screen = weak.lock()) screen->appMovedToBackground();
                                              });
}

void OfwDetailWebViewController::viewDidAppear(bool animated) {
  OfwWebPageViewController::viewDidAppear(animated);
  if (isLoaded_) {
    dispatch::main()->async([weak = Weak(self())] {
      if (auto screen = weak.lock()) screen->resumePage();
    });
  }
  isLoaded_ = true;
}

void OfwDetailWebViewController::viewWillDisappear(bool animated) {
  OfwWebPageViewController::viewWillDisappear(animated);
  if (auto* navigation = ui::ViewController::navigationController(); navigation && isNavigationHidden_) {
    navigation->setNavigationBarHidden(savedNavigationBarHidden_, animated);
  }
  foregroundObservation_ = {};
  backgroundObservation_ = {};
}

void OfwDetailWebViewController::appMovedToForeground() {
  dispatch::main()->async([weak = Weak(self())] {
    if (auto screen = weak.lock()) screen->resumePage();
  });
}

void OfwDetailWebViewController::appMovedToBackground() {
  auto& core = VelkorInternal::shared();
  core.trackingRepository()->flush();
  core.repository()->setCacheIsDirty(true);
  core.repository()->setPlacementCacheIsDirty(true);
}

void OfwDetailWebViewController::resumePage() {
  if (hasUid()) evalueateJavaScript("onResume()", [](const auto&, const auto&) {});
}

void OfwDetailWebViewController::backButtonClicked() {
  if (auto* navigation = dynamic_cast<OfwNavigationController*>(ui::ViewController::navigationController())) {
    navigation->backButtonClicked();
  }
}

void OfwDetailWebViewController::askForLogin(const char* action) {
  lastActionName_ = action;
  if (auto delegate = VelkorInternal::shared().delegate()) delegate->requestLogin(shared_from_this());
}

// Unlike the other screens', this page opens the help page itself once the host's login succeeds.
void OfwDetailWebViewController::moveToContact() {
  if (!hasUid()) return askForLogin(kShowHelp);
  showContactPage(ui::ViewController::navigationController(), Constants::contactURL());
}

void OfwDetailWebViewController::success() {
  const auto current = webView() ? webView()->url() : std::nullopt;
  if (current && hasUid()) {
    setWebViewURL(appendingQueryItems(*current, {{"uid", UserProfile::uid()}}).absoluteString());
    rebuildWebView();
  }
  // A participation needs nothing more: the reloaded page starts it again.
  if (lastActionName_ == kShowHelp) moveToContact();
  lastActionName_.reset();
}

void OfwDetailWebViewController::stop() {
  if (backgroundTask_) backgroundTask_->end();
}

// --- participation ---

void OfwDetailWebViewController::paricipate(std::int64_t adId, std::int64_t isLat) {
  if (!hasNonEmptyUid()) {
    lastActionName_ = kParticipate;
    if (auto delegate = Velkor::shared().delegate()) delegate->requestLogin(shared_from_this());
    return;
  }
  sendParticipate(adId, isLat);
}

void OfwDetailWebViewController::sendParticipate(std::int64_t adId, std::int64_t isLat) {
  if (isLat != 1 || !isOsVersionAtLeast("14.5")) return requestParticipation(adId);
  // The answer comes off the main thread; the request goes on on the main queue, whatever it is.
  privacy::Tracking::requestAuthorization([weak = Weak(self()), adId](privacy::TrackingStatus) {
    dispatch::main()->async([weak, adId] {
      if (auto screen = weak.lock()) screen->requestParticipation(adId);
    });
  });
}

void OfwDetailWebViewController::requestParticipation(std::int64_t adId) {
  if (!hasUid()) return askForLogin(kParticipate);
  ui::Application::shared().setNetworkActivityIndicatorVisible(true);
  VelkorApiClient::participate(
      adId, [weak = Weak(self())](ParticipateResult result) { handleResult(weak, result); },
      // The failure keeps the screen until it has been told.
      [screen = self()](Error error) { handleFailure(screen, error); });
}

void OfwDetailWebViewController::handleResult(const Weak& weak, const ParticipateResult& result) {
  ui::Application::shared().setNetworkActivityIndicatorVisible(false);
  // The server issued the click key: its postback goes out even when the screen has gone, and
  // before the landing is looked at.
  std::shared_ptr<PostbackTask> task;
  if (result.completeDelayTime) task = schedulePostback(result.clickKey, *result.completeDelayTime);
  auto screen = weak.lock();
  if (!screen) return;
  if (task) screen->backgroundTask_ = task;
  auto url = landingUrl(result.landingUrl);
  if (!url) {
    auto delegate = Velkor::shared().delegate();
    if (delegate && url.error().velkorError()) delegate->participateFailure(*url.error().velkorError());
    return;
  }
  if (result.dialog && result.dialog->message) return screen->showDialog(*result.dialog);
  openInSystem(*url);
}

void OfwDetailWebViewController::handleFailure(const Weak& weak, const Error& error) {
  ui::Application::shared().setNetworkActivityIndicatorVisible(false);
  auto screen = weak.lock();
  auto delegate = Velkor::shared().delegate();
  const auto& refusal = error.velkorError();
  if (!refusal) {
    if (screen) screen->showNetworkError();
    if (delegate) delegate->error(error);
    return;
  }
  if (screen) screen->resumePage();
  if (delegate) delegate->participateFailure(*refusal);
  if (!screen) return;
  if (refusal->dialog && refusal->dialog->message) return screen->showDialog(*refusal->dialog);
  // A refusal without a message shows an empty alert rather than none: the user still learns that
  // the participation did not go through.
  screen->showAlert(refusal->message.value_or(""));
}

// --- the page ---

void OfwDetailWebViewController::didReceive(web::UserContentController&, const web::ScriptMessage& message) {
  const auto& body = message.body;
  const auto command = bodyText(body, "command");
  if (!command) return;
  if (*command == "showAlert") {
    const auto text = bodyText(body, "message");
    if (text) postPageAlert(*text);
  } else if (*command == "participate") {
    if (auto adId = bodyInteger(body, "adId")) paricipate(*adId, bodyInteger(body, "isLat").value_or(0));
  } else if (*command == "setTitle") {
    const auto title = bodyText(body, "title");
    if (!title) return;
    setNavigationTitle(*title);
    if (auto* bar = velkorNavigationBar(); bar && bar->titleLabel()) bar->titleLabel()->setText(*title);
  } else if (*command == "close") {
    postPageClose();
  }
}

void OfwDetailWebViewController::didStartProvisionalNavigation(web::WebView&, const web::Navigation&) {}

void OfwDetailWebViewController::didCommit(web::WebView&, const web::Navigation&) {}

void OfwDetailWebViewController::didFinish(web::WebView&, const web::Navigation&) { removeNetworkError(); }

void OfwDetailWebViewController::didFailProvisionalNavigation(web::WebView&, const web::Navigation&,
                                                              const base::Error& error) {
  if (!isCancellation(error)) showNetworkError();
}

void OfwDetailWebViewController::didFail(web::WebView&, const web::Navigation&, const base::Error& error) {
  if (!isCancellation(error)) showNetworkError();
}

std::shared_ptr<web::WebView> OfwDetailWebViewController::createWebView(web::WebView& webView,
                                                                        const web::WebViewConfiguration&,
                                                                        const web::NavigationAction& action,
                                                                        const web::WindowFeatures&) {
  base::console(action.request.url().absoluteString());
  if (!action.targetFrame && routeOf(action.request.url()) == AddressRoute::webPage) webView.load(action.request);
  return nullptr;
}

}  // namespace velkor
