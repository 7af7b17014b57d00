// A sample publisher app: what a host app does with the Velkor SDK without showing any of its screens.
//
// It starts the local ad server in-process on free loopback ports (or uses the one `--server URL`
// names), points the SDK at it, sets a user, then does what a publisher's own layouts do: loads a page
// of native ads, loads a placement's ads, reads the user's reward, takes part in an ad, opts out of one
// and goes to the background. Each step prints a table; the program exits 0 when every step worked and
// says which one failed otherwise.
//
// With `--snapshots DIR` it also shows its own screen in a window, opens the SDK's screens over it
// through the facade and draws each into DIR as a PNG.
#include <chrono>
#include <filesystem>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "examples/host-app/host_screen.h"
#include "examples/host-app/terminal_table.h"
#include "platform/base/bundle.h"
#include "platform/base/defaults.h"
#include "platform/dispatch/main_loop.h"
#include "platform/render/snapshot.h"
#include "platform/render/window_snapshot.h"
#include "platform/ui/application.h"
#include "platform/ui/window.h"
#include "platform/web/web_view.h"
#include "tools/mock-server/mock_server_group.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/core/dependency_container.h"
#include "velkor/core/velkor.h"
#include "velkor/core/velkor_config.h"
#include "velkor/network/constants.h"
#include "velkor/offerwall/pager/default_ofw_list_pager_view_controller.h"
#include "velkor/web/ofw_in_app_browser_view_controller.h"
#include "velkor/web/ofw_web_page_view_controller.h"
#include "velkor/web/velkor_ofw_js_interface.h"

namespace {

using namespace std::chrono_literals;
using sample::TerminalTable;
using velkor::Velkor;

// ---------------------------------------------------------------------------------------------------
// Waiting for the SDK. It answers on the main queue, which an app's run loop serves; this program has
// no run loop of its own, so it runs the main loop until the answer is there.

template <class T>
class Awaited {
 public:
  // The callback to hand to the SDK; later calls are ignored (the SDK answers once).
  std::function<void(T)> callback() const {
    return [value = value_](T answer) {
      if (!*value) *value = std::move(answer);
    };
  }
  // The answer, or nothing when none came in time.
  std::optional<T> wait() const {
    dispatch::main_loop::runUntil([value = value_] { return value->has_value(); }, 20s);
    return *value_;
  }

 private:
  std::shared_ptr<std::optional<T>> value_ = std::make_shared<std::optional<T>>();
};

template <class T>
using Outcome = velkor::Result<T>;

// A success callback and an error callback that both resolve one awaited outcome.
template <class T>
std::function<void(velkor::Error)> failureOf(const Awaited<Outcome<T>>& awaited) {
  return [done = awaited.callback()](velkor::Error error) { done(Outcome<T>(std::move(error))); };
}

// ---------------------------------------------------------------------------------------------------
// The steps. Each prints what it got and answers a failure reason, or nothing when it worked.

using StepResult = std::optional<std::string>;

void print(const std::string& title, const TerminalTable& table) {
  std::printf("\n%s\n%s", title.c_str(), table.render().c_str());
}

std::string orDash(const std::optional<std::string>& text) { return text.value_or("-"); }

TerminalTable adTable(const velkor::NativeAds& ads) {
  TerminalTable table({"id", "title", "subtitle", "reward", "inventory"});
  for (const auto& ad : ads) {
    table.addRow({std::to_string(ad->id()), ad->title(), ad->subtitle(), std::to_string(ad->reward()),
                  orDash(ad->inventory())});
  }
  return table;
}

StepResult showUser() {
  Velkor& sdk = Velkor::shared();
  TerminalTable table({"setting", "value"});
  table.addRow({"sdk version", sdk.sdkVer()});
  table.addRow({"uid", orDash(sdk.uid())});
  table.addRow({"gender", std::to_string(sdk.gender())});
  table.addRow({"birth year", std::to_string(sdk.birthYear())});
  print("User", table);
  return sdk.uid() ? StepResult() : "the uid did not stick";
}

// A page of the whole list, for a feed the host lays out itself.
StepResult showNativeAds() {
  using Page = std::pair<velkor::NativeAds, velkor::PageInfo>;
  Awaited<Outcome<Page>> answer;
  Velkor::shared().loadAllAds(
      1, 5, velkor::RequestOptions(std::nullopt, "demo_feed", false),
      [done = answer.callback()](velkor::NativeAds ads, velkor::PageInfo page) { done(Page(std::move(ads), page)); },
      failureOf(answer));
  const auto outcome = answer.wait();
  if (!outcome) return "no answer";
  if (!*outcome) return outcome->error().description();
  const auto& [ads, page] = outcome->value();
  print("Native ads, page " + std::to_string(page.currentPage) + " of " + std::to_string(page.totalPage),
        adTable(ads));
  return ads.empty() ? StepResult("the page is empty") : StepResult();
}

// The ads the server puts in one placement, topped up from the list when it has too few.
StepResult showPlacementAds() {
  Awaited<Outcome<velkor::NativeAds>> answer;
  Velkor::shared().loadPlacementAds(
      "home_top", 3, velkor::RequestOptions(std::nullopt, "home_banner", true),
      [done = answer.callback()](velkor::NativeAds ads) { done(std::move(ads)); }, failureOf(answer));
  const auto outcome = answer.wait();
  if (!outcome) return "no answer";
  if (!*outcome) return outcome->error().description();
  print("Placement \"home_top\"", adTable(outcome->value()));
  return outcome->value().empty() ? StepResult("the placement is empty") : StepResult();
}

StepResult showAvailableReward() {
  Awaited<std::int64_t> answer;
  Velkor::shared().availableReward(
      [done = answer.callback()](std::optional<std::string>, std::optional<std::string>, std::int64_t reward) {
        done(reward);
      });
  const auto reward = answer.wait();
  if (!reward) return "no answer";
  TerminalTable table({"available reward"});
  table.addRow({std::to_string(*reward)});
  print("Reward still to earn", table);
  return *reward < 0 ? StepResult("the reward could not be read") : StepResult();
}

// Takes part in an ad; the SDK asks the host (the URL handler installed in main) to open the landing.
StepResult participate(std::int64_t adId, const std::shared_ptr<std::vector<std::string>>& opened) {
  Awaited<Outcome<std::string>> answer;
  Velkor::shared().participate(
      adId, [done = answer.callback()](std::string landing) { done(std::move(landing)); }, failureOf(answer));
  const auto outcome = answer.wait();
  if (!outcome) return "no answer";
  if (!*outcome) return outcome->error().description();
  dispatch::main_loop::runUntil([&] { return !opened->empty(); }, 5s);
  TerminalTable table({"ad", "landing", "opened by the host"});
  table.addRow({std::to_string(adId), outcome->value(), opened->empty() ? "-" : opened->back()});
  print("Participation", table);
  return opened->empty() ? StepResult("the landing was not opened") : StepResult();
}

// Opting out answers nothing: the server's log (when the server is ours) shows it arrived.
StepResult optout(std::int64_t adId, mock::RequestLog* log) {
  Velkor::shared().optout(adId);
  const bool received = !log || log->waitFor(mock::Route::optout, 1, std::chrono::milliseconds(10s));
  dispatch::main_loop::runUntil([] { return false; }, 200ms);
  TerminalTable table({"ad", "opt-out"});
  table.addRow({std::to_string(adId), !log ? "sent" : received ? "received by the server" : "not received"});
  print("Opt-out", table);
  return received ? StepResult() : "the server received no opt-out";
}

// A host reports the move to the background; the SDK then sends the impressions of the native ads
// it handed out and its buffered usage events.
StepResult goToBackground(mock::RequestLog* log) {
  ui::Application::shared().enterBackground();
  if (!log) {
    dispatch::main_loop::runUntil([] { return false; }, 2s);
    std::printf("\nMoved to the background (the server's log is not at hand)\n");
    return std::nullopt;
  }
  const bool sent = log->waitFor(mock::Route::impression, 1, std::chrono::milliseconds(10s));
  dispatch::main_loop::runUntil([] { return false; }, 500ms);
  TerminalTable impressions({"ad", "inventory"});
  for (const auto& request : log->entries(mock::Route::impression)) {
    for (const auto& ad : request.json().value("ads", nlohmann::json::array())) {
      impressions.addRow({ad.value("id", ""), ad.value("inventory", "-")});
    }
  }
  print("Impressions the server received", impressions);
  TerminalTable events({"page", "event", "type"});
  for (const auto& request : log->entries(mock::Route::lumberjack)) {
    for (const auto& event : request.json().value("events", nlohmann::json::array())) {
      events.addRow({event.value("page", "-"), event.value("name", ""), event.value("type", "")});
    }
  }
  print("Usage events the server received", events);
  return sent ? StepResult() : "no impressions reached the server";
}

// ---------------------------------------------------------------------------------------------------
// The SDK's screens over the host's own, drawn into PNG files.

// The host's own script message handler on its own web view: every message goes to the SDK's page
// bridge. The name it is registered under ("velkor" here) is the host's choice.
class PageBridgeHandler : public web::ScriptMessageHandler {
 public:
  void didReceive(web::UserContentController&, const web::ScriptMessage& message) override {
    if (bridge) bridge->handleScriptMessage(message);
  }
  std::shared_ptr<velkor::VelkorOfwJsInterface> bridge;
};

class Snapshots {
 public:
  Snapshots(std::string directory, std::string pages) : directory_(std::move(directory)), pages_(std::move(pages)) {
    window_->setRootViewController(host_);
    window_->makeKeyAndVisible();
  }

  StepResult run() {
    std::filesystem::create_directories(directory_);
    // The help page with its page drawn, then the loading indicator over it.
    Velkor::shared().showHelp(host_);
    if (!settleUntilPresented()) return "the help page did not open";
    auto offerwall = std::dynamic_pointer_cast<velkor::OfwNavigationController>(host_->presentedViewController());
    if (!offerwall) return "the help page is not in the offerwall's navigation controller";
    if (!pageLoaded(offerwall->viewControllers().back())) return "the help page did not load";
    if (auto failure = write("help")) return failure;
    offerwall->showIndicator();
    settle();
    if (auto failure = write("indicator")) return failure;
    offerwall->hideIndicator();
    dismiss();
    // An ad's detail page, alone in the offerwall, once its ad and pictures have arrived.
    Velkor::shared().presentOfferwall(host_, kDetailAd, false);
    if (!settleUntilPresented()) return "the ad's detail did not open";
    settle();
    if (auto failure = write("detail")) return failure;
    dismiss();
    // An ad the server does not know: the SDK's alert over the host's screen.
    Velkor::shared().presentOfferwall(host_, kUnknownAd, false);
    if (!settleUntilPresented()) return "the alert did not open";
    if (auto failure = write("alert")) return failure;
    dismiss();
    if (auto failure = drawOfferwall()) return failure;
    if (auto failure = inAppBrowser()) return failure;
    if (auto failure = pageThroughTheBridge()) return failure;
    print("Snapshots in " + directory_, table_);
    return std::nullopt;
  }

 private:
  static constexpr std::int64_t kUnknownAd = 987654;
  // The local ad server's ad with a full detail page.
  static constexpr std::int64_t kDetailAd = 1504;

  // The offerwall's pager with the promotion carousel over it, then the pager alone once the
  // carousel's close button has been pressed. The host asks for popups and banners and no prepare
  // view, as a publisher configures it.
  StepResult drawOfferwall() {
    auto config = Velkor::shared().config();
    config->setPrepareViewHidden(true);
    config->setEnablePopupBannerExtension(true);
    Velkor::shared().presentOfferwall(host_);
    if (!settleUntilPresented()) return "the offerwall did not open";
    auto offerwall = std::dynamic_pointer_cast<velkor::OfwNavigationController>(host_->presentedViewController());
    auto pager = offerwall ? std::dynamic_pointer_cast<velkor::DefaultOfwListPagerViewController>(
                                 offerwall->viewControllers().front())
                           : nullptr;
    if (!pager) return "the offerwall does not show the pager";
    const bool carousel = dispatch::main_loop::runUntil([&] { return pager->presentedViewController() != nullptr; }, 10s);
    settle();
    if (!carousel) return "the popup carousel did not open";
    if (auto failure = write("offerwall_popups")) return failure;
    pager->popupViewController()->closeButtonTapped();
    settle();
    if (auto failure = write("offerwall")) return failure;
    dismiss();
    return std::nullopt;
  }

  // The in-app browser with a page of the local ad server, pushed onto the offerwall as a landing
  // pushes it.
  StepResult inAppBrowser() {
    auto browser = velkor::DependencyContainer().makeInAppBrowserViewController(pages_ + "browser.html", "이벤트");
    if (!browser) return "no in-app browser was made";
    Velkor::shared().showHelp(host_);
    if (!settleUntilPresented()) return "the offerwall did not open";
    auto offerwall = std::dynamic_pointer_cast<velkor::OfwNavigationController>(host_->presentedViewController());
    if (!offerwall) return "the offerwall has no navigation controller";
    offerwall->pushViewController(browser, false);
    settle();
    if (!pageLoaded(browser)) return "the in-app browser's page did not load";
    if (auto failure = write("in_app_browser")) return failure;
    dismiss();
    return std::nullopt;
  }

  // A page of the host's own, in a web view of the host's own, lists ads through the SDK's page
  // bridge; a tap on one opens its detail.
  StepResult pageThroughTheBridge() {
    auto handler = std::make_shared<PageBridgeHandler>();
    web::WebViewConfiguration configuration;
    configuration.userContentController->add(handler, "velkor");
    auto screen = std::make_shared<ui::ViewController>();
    auto webView = std::make_shared<web::WebView>(screen->view()->bounds(), configuration);
    webView->setAutoresizingMask(ui::AutoresizingMask::flexibleWidth | ui::AutoresizingMask::flexibleHeight);
    screen->view()->addSubview(webView);
    handler->bridge = std::make_shared<velkor::VelkorOfwJsInterface>(webView);
    host_->present(screen, false);
    webView->load(net::Request(*base::Url::parse(pages_ + "bridge.html")));
    if (!settleUntilPresented() || !waitForPage(*webView)) return "the host's page did not load";
    evaluate(*webView, "post({command: 'loadAds', id: 'demo', size: 100})");
    const bool listed = dispatch::main_loop::runUntil(
        [&] { return evaluate(*webView, "document.querySelectorAll('#ads li').length") != "0"; }, 10s);
    if (!listed) return "the bridge answered the page no ads";
    settle();
    if (auto failure = write("bridge_page")) return failure;
    // Taps closer than a second to the bridge's making count as none.
    dispatch::main_loop::runUntil([] { return false; }, 1s);
    // The ad with a full detail page when the page lists it, else the first.
    evaluate(*webView, "(document.querySelector('#ads li[data-ad-id=\"" + std::to_string(kDetailAd) +
                           "\"]') || document.querySelector('#ads li')).click()");
    if (!dispatch::main_loop::runUntil([&] { return screen->presentedViewController() != nullptr; }, 10s)) {
      return "the page's tap opened no ad detail";
    }
    dispatch::main_loop::runUntil([] { return false; }, 2500ms);
    if (auto failure = write("bridge_detail")) return failure;
    screen->dismiss(false);
    dismiss();
    return std::nullopt;
  }

  static bool waitForPage(web::WebView& webView) {
    const bool loaded = dispatch::main_loop::runUntil([&] { return webView.url() && !webView.isLoading(); }, 15s);
    settle();
    return loaded;
  }
  static bool pageLoaded(const std::shared_ptr<ui::ViewController>& screen) {
    auto page = std::dynamic_pointer_cast<velkor::OfwWebPageViewController>(screen);
    return page && page->webView() && waitForPage(*page->webView());
  }
  // The script's result as JSON text, once it came.
  static std::string evaluate(web::WebView& webView, const std::string& script) {
    auto answer = std::make_shared<std::optional<std::string>>();
    webView.evaluateJavaScript(script, [answer](const std::optional<nlohmann::json>& result, const auto& error) {
      *answer = error ? "error" : result ? result->dump() : "undefined";
    });
    dispatch::main_loop::runUntil([&] { return answer->has_value(); }, 5s);
    return answer->value_or("none");
  }

  // Lets animations and answers run their course.
  static void settle() { dispatch::main_loop::runUntil([] { return false; }, 600ms); }
  bool settleUntilPresented() {
    const bool presented = dispatch::main_loop::runUntil([&] { return host_->presentedViewController() != nullptr; }, 10s);
    settle();
    return presented;
  }
  void dismiss() {
    host_->dismiss(false);
    settle();
  }
  StepResult write(const std::string& name) {
    auto image = render::snapshot(*window_);
    if (!image) return "the window could not be drawn for " + name;
    const auto path = std::filesystem::path(directory_) / (name + ".png");
    if (auto error = render::writePng(*image, path)) return error->description();
    table_.addRow({name, path.string()});
    return std::nullopt;
  }

  std::string directory_;
  // "<server>/pages/".
  std::string pages_;
  std::shared_ptr<ui::Window> window_ = std::make_shared<ui::Window>();
  std::shared_ptr<sample::HostScreen> host_ = std::make_shared<sample::HostScreen>();
  TerminalTable table_{{"screen", "file"}};
};

std::optional<std::string> optionValue(int argc, char** argv, const std::string& name) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (argv[i] == name) return std::string(argv[i + 1]);
  }
  return std::nullopt;
}

// ---------------------------------------------------------------------------------------------------
// Where the servers are: our own local ad server, or the one --server names.

struct Servers {
  std::unique_ptr<mock::MockServerGroup> local;
  velkor::ServerTable table;
};

std::optional<Servers> startServers(int argc, char** argv) {
  Servers servers;
  if (const auto base = optionValue(argc, argv, "--server")) {
    servers.table = {{velkor::Constants::logicKey, *base},
                     {velkor::Constants::logicListKey, *base},
                     {velkor::Constants::postbackKey, *base},
                     {velkor::Constants::contactKey, *base + "/help_requests/new?headless=true"},
                     {velkor::Constants::lumberjackKey, *base + "/topics/ofw_lumberjack"}};
    return servers;
  }
  servers.local = std::make_unique<mock::MockServerGroup>();
  if (!servers.local->start()) {
    std::fprintf(stderr, "The local ad server did not start: %s\n", servers.local->error().c_str());
    return std::nullopt;
  }
  servers.table = servers.local->serverTable();
  return servers;
}

}  // namespace

int main(int argc, char** argv) {
  // This thread is the app's main thread: the SDK's answers and the host's URL handler run on it.
  dispatch::main_loop::bind();

  auto servers = startServers(argc, argv);
  if (!servers) return 1;
  // Every stage's addresses point at those servers; this must come before the SDK's first request.
  if (auto installed = velkor::Constants::installServerTables(velkor::Constants::everyStage(servers->table));
      !installed) {
    std::fprintf(stderr, "The server addresses were refused: %s\n", installed.error().description().c_str());
    return 1;
  }
  std::printf("Ad servers: %s\n", servers->table[velkor::Constants::logicKey].c_str());

  // What a phone tells an app about itself. The demo starts as a fresh install every run.
  base::Defaults::setStandard(base::Defaults::inMemory());
  base::Bundle::main().setInfoDictionary(
      {{"CFBundleIdentifier", "com.example.hostapp"}, {"CFBundleShortVersionString", "1.0.0"}});
  // The host opens URLs for the SDK; this one prints them instead of starting a browser.
  auto opened = std::make_shared<std::vector<std::string>>();
  ui::Application::shared().setOpenUrlHandler([opened](const base::Url& url) {
    std::printf("  host: opening %s\n", url.absoluteString().c_str());
    opened->push_back(url.absoluteString());
    return true;
  });

  // The SDK: initialise it with the app's id, then tell it who the user is.
  Velkor& sdk = Velkor::shared();
  sdk.initialize("demo-app");
  sdk.setUid("demo-user-1");
  sdk.setGender(static_cast<int>(velkor::Gender::female));
  sdk.setBirthYear(1990);

  mock::RequestLog* log = servers->local ? &servers->local->log() : nullptr;
  std::vector<std::pair<std::string, std::function<StepResult()>>> steps = {
      {"set the user", showUser},
      {"load a page of native ads", showNativeAds},
      {"load a placement's ads", showPlacementAds},
      {"read the available reward", showAvailableReward},
      {"take part in ad 1001", [&] { return participate(1001, opened); }},
      {"opt out of ad 1003", [&] { return optout(1003, log); }},
  };
  if (const auto directory = optionValue(argc, argv, "--snapshots")) {
    const std::string pages = servers->table[velkor::Constants::logicKey] + "/pages/";
    steps.push_back({"draw the SDK's screens", [directory = *directory, pages] { return Snapshots(directory, pages).run(); }});
  }
  steps.push_back({"go to the background", [&] { return goToBackground(log); }});
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (auto failure = steps[i].second()) {
      std::printf("\nStep %zu (%s) failed: %s\n", i + 1, steps[i].first.c_str(), failure->c_str());
      return 1;
    }
  }
  std::printf("\nEvery step worked.\n");
  return 0;
}
