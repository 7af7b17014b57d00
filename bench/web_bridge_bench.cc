// The offerwall page bridge on a real page: 1,000 round trips page → "loadAds" (5 ads, the ad list
// already in the memory cache) → onMessageReceive, against 1,000 round trips through a bare
// handler that echoes a reply of the same length on the same page, alternating in rounds in one
// run so that machine noise falls on both alike. The ratio is the bare handler's time over the
// bridge's: 1 means the bridge costs nothing over the engine's own round trip.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "platform/base/defaults.h"
#include "platform/dispatch/main_loop.h"
#include "platform/web/web_view.h"
#include "tools/mock-server/mock_server_group.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/network/ad_repository.h"
#include "velkor/network/constants.h"
#include "velkor/network/logic_list_api_client.h"
#include "velkor/network/velkor_api_client.h"
#include "velkor/web/ofw_ad_answers.h"
#include "velkor/web/script_string.h"
#include "velkor/web/velkor_ofw_js_interface.h"

namespace {

using Clock = std::chrono::steady_clock;
using nlohmann::json;

constexpr int kRoundTrips = 1000;
constexpr int kRounds = 10;

class Bridge : public web::ScriptMessageHandler {
 public:
  void didReceive(web::UserContentController&, const web::ScriptMessage& message) override {
    bridge->handleScriptMessage(message);
  }
  std::shared_ptr<velkor::VelkorOfwJsInterface> bridge;
};

// Answers every message with a reply of the bridge's answer's length, as plainly as can be.
class Echo : public web::ScriptMessageHandler {
 public:
  void didReceive(web::UserContentController&, const web::ScriptMessage& message) override {
    webView.lock()->evaluateJavaScript(velkor::messageReceiveScript(message.body["id"].get<std::string>(), answer));
  }
  std::weak_ptr<web::WebView> webView;
  std::string answer;
};

// The page tells when a batch of round trips has ended.
class Done : public web::ScriptMessageHandler {
 public:
  void didReceive(web::UserContentController&, const web::ScriptMessage&) override { done = true; }
  bool done = false;
};

class Page {
 public:
  Page() {
    base::Defaults::setStandard(base::Defaults::inMemory());
    servers_.start();
    velkor::Constants::installServerTables(velkor::Constants::everyStage(servers_.serverTable()));
    velkor::VelkorApiClient::resetBaseUrl();
    velkor::LogicListApiClient::resetBaseUrl();
    web::WebViewConfiguration configuration;
    configuration.userContentController->add(bridge_, "velkor");
    configuration.userContentController->add(echo_, "echo");
    configuration.userContentController->add(done_, "done");
    webView_ = std::make_shared<web::WebView>(ui::Rect{0, 0, 360, 640}, configuration);
    bridge_->bridge = std::make_shared<velkor::VelkorOfwJsInterface>(webView_);
    echo_->webView = webView_;
    webView_->load(net::Request(*base::Url::parse(servers_.server(mock::kContact).baseUrl() + "/pages/bridge.html")));
    dispatch::main_loop::runUntil([&] { return webView_->url() && !webView_->isLoading(); }, std::chrono::seconds(20));
  }

  // Times `count` round trips through the handler, one after the other; negative when they did not end.
  double roundTrips(const char* handler, int count) {
    done_->done = false;
    const auto start = Clock::now();
    webView_->evaluateJavaScript(std::string("handlerName = '") + handler + "'; roundTrips(" + std::to_string(count) +
                                 ", {command: 'loadAds', size: 5}).then(function () {"
                                 " webkit.messageHandlers.done.postMessage(1); }); 0");
    if (!dispatch::main_loop::runUntil([&] { return done_->done; }, std::chrono::seconds(120))) return -1;
    return std::chrono::duration<double>(Clock::now() - start).count();
  }

  // The bridge's answer to "loadAds" of 5 ads, built as the bridge builds it; the ad list is in the
  // memory cache afterwards. Empty when the list did not load.
  std::string warmAnswer() {
    std::optional<std::string> answer;
    velkor::VelkorInternal::shared().repository()->getAds(
        "webview",
        [&](velkor::AdArray ads, std::vector<velkor::Tab>) {
          answer = velkor::answerText(velkor::loadAdsAnswer(velkor::selectableAds(ads), {}, true, 5, 1), json::object());
        },
        [&](velkor::Error) { answer = ""; });
    dispatch::main_loop::runUntil([&] { return answer.has_value(); }, std::chrono::seconds(20));
    return answer.value_or("");
  }

  void setEchoAnswer(std::string answer) { echo_->answer = std::move(answer); }
  bool loaded() const { return webView_->url().has_value(); }

 private:
  mock::MockServerGroup servers_;
  std::shared_ptr<Bridge> bridge_ = std::make_shared<Bridge>();
  std::shared_ptr<Echo> echo_ = std::make_shared<Echo>();
  std::shared_ptr<Done> done_ = std::make_shared<Done>();
  std::shared_ptr<web::WebView> webView_;
};

void BM_BridgeAgainstBareHandler(benchmark::State& state) {
  Page page;
  const std::string answer = page.loaded() ? page.warmAnswer() : "";
  if (answer.empty()) return state.SkipWithError("the page or the ads did not load");
  // The echo replies with the bridge's own answer, so both move the same bytes.
  page.setEchoAnswer(answer);
  page.roundTrips("velkor", 20);
  page.roundTrips("echo", 20);
  for (auto _ : state) {
    double bridgeSeconds = 0;
    double echoSeconds = 0;
    bool failed = false;
    for (int round = 0; round < kRounds; ++round) {
      const double bridge = page.roundTrips("velkor", kRoundTrips / kRounds);
      const double echo = page.roundTrips("echo", kRoundTrips / kRounds);
      failed |= bridge < 0 || echo < 0;
      bridgeSeconds += bridge;
      echoSeconds += echo;
    }
    if (failed) return state.SkipWithError("a batch of round trips did not end");
    state.counters["bridge_s"] = bridgeSeconds;
    state.counters["echo_s"] = echoSeconds;
    state.counters["ratio"] = echoSeconds / bridgeSeconds;
    std::printf("%d round trips: page -> loadAds (5 ads, warm cache) -> onMessageReceive %.3f s, bare echo handler "
                "%.3f s, ratio %.2f (at least 0.8 wanted): %s\n",
                kRoundTrips, bridgeSeconds, echoSeconds, echoSeconds / bridgeSeconds,
                echoSeconds / bridgeSeconds >= 0.8 ? "met" : "NOT MET");
  }
}
BENCHMARK(BM_BridgeAgainstBareHandler)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
