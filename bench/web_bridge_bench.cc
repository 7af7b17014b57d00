// The offerwall page bridge on a real page, one round trip after another: page → "loadAds" (5 ads,
// the ad list already in the memory cache) → onMessageReceive, against a bare handler that echoes
// a reply of the same length, and against that same bare round trip driven by GLib's own loop
// instead of the platform's main loop (the engine's floor). The three alternate in rounds in one
// run, so that machine noise falls on all alike. The page does nothing with a reply but resolve
// the request it answers, so the figures are the bridge's and the loop's, not the page's.
#include <glib.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "bench/bench_main.h"
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

constexpr auto kBatchLimit = std::chrono::seconds(120);

// Requests with ids, as an offerwall page sends them; a reply only resolves its request.
constexpr const char* kPage = R"(<!DOCTYPE html>
<meta charset="utf-8">
<script>
  var handlerName = 'velkor';
  var nextId = 1;
  var waiting = {};
  function request(body) {
    body.id = 'r' + nextId++;
    return new Promise(function (resolve) {
      waiting[body.id] = resolve;
      webkit.messageHandlers[handlerName].postMessage(body);
    });
  }
  function roundTrips(count, body) {
    if (count === 0) return Promise.resolve();
    return request(Object.assign({}, body)).then(function () { return roundTrips(count - 1, body); });
  }
  window.onMessageReceive = function (id) {
    var resolve = waiting[id];
    delete waiting[id];
    if (resolve) resolve();
  };
</script>)";

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

// Which loop waits for a batch: the platform's main loop, or GLib's default context alone.
enum class Loop { platform, glib };

gboolean markLate(gpointer late) {
  *static_cast<bool*>(late) = true;
  return G_SOURCE_REMOVE;
}

bool waitOnGlib(const bool& done) {
  bool late = false;
  const guint timer = g_timeout_add_seconds(static_cast<guint>(kBatchLimit.count()), markLate, &late);
  while (!done && !late) g_main_context_iteration(nullptr, TRUE);
  if (!late) g_source_remove(timer);
  return done;
}

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
    auto& contact = servers_.server(mock::kContact);
    contact.setFault(mock::Route::page, mock::Fault{}.withBody(kPage));
    webView_->load(net::Request(*base::Url::parse(contact.baseUrl() + "/pages/bridge.html")));
    dispatch::main_loop::runUntil([&] { return webView_->url() && !webView_->isLoading(); }, std::chrono::seconds(20));
  }

  // Seconds for `count` round trips through the handler, one after the other; nothing when they
  // did not end.
  std::optional<double> roundTrips(const char* handler, int count, Loop loop) {
    done_->done = false;
    const auto start = Clock::now();
    webView_->evaluateJavaScript(std::string("handlerName = '") + handler + "'; roundTrips(" + std::to_string(count) +
                                 ", {command: 'loadAds', size: 5}).then(function () {"
                                 " webkit.messageHandlers.done.postMessage(1); }); 0");
    const bool ended = loop == Loop::glib ? waitOnGlib(done_->done)
                                          : dispatch::main_loop::runUntil([&] { return done_->done; }, kBatchLimit);
    if (!ended) return std::nullopt;
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

// The three ways round, their times summed over the rounds.
struct Totals {
  double bridge = 0, echo = 0, glib = 0;
};

// One batch of each, in turn; false when one did not end.
bool round(Page& page, int count, Totals& totals) {
  auto bridge = page.roundTrips("velkor", count, Loop::platform);
  auto echo = page.roundTrips("echo", count, Loop::platform);
  auto glib = page.roundTrips("echo", count, Loop::glib);
  if (!bridge || !echo || !glib) return false;
  totals.bridge += *bridge;
  totals.echo += *echo;
  totals.glib += *glib;
  return true;
}

void BM_BridgeAgainstBareHandler(benchmark::State& state) {
  const int rounds = bench::count(10, 2);
  const int perBatch = bench::count(100, 10);
  Page page;
  const std::string answer = page.loaded() ? page.warmAnswer() : "";
  if (answer.empty()) return state.SkipWithError("the page or the ads did not load");
  // The echo replies with the bridge's own answer, so both move the same bytes.
  page.setEchoAnswer(answer);
  Totals warmUp;
  if (!round(page, perBatch / 5, warmUp)) return state.SkipWithError("a batch of round trips did not end");
  for (auto _ : state) {
    Totals totals;
    for (int i = 0; i < rounds; ++i) {
      if (!round(page, perBatch, totals)) return state.SkipWithError("a batch of round trips did not end");
    }
    const double each = 1e6 / (rounds * perBatch);
    state.counters["round_trips"] = rounds * perBatch;
    state.counters["bridge_us"] = totals.bridge * each;
    state.counters["echo_us"] = totals.echo * each;
    state.counters["glib_echo_us"] = totals.glib * each;
  }
}
BENCHMARK(BM_BridgeAgainstBareHandler)->Iterations(1)->Unit(benchmark::kMillisecond);

void printVerdict(const bench::Results& results) {
  const bench::Figures* run = results.find("BM_BridgeAgainstBareHandler");
  if (!run) return;
  const double bridge = run->counter("bridge_us"), echo = run->counter("echo_us"), glib = run->counter("glib_echo_us");
  const double speed = echo / bridge, loop = echo / glib;
  std::printf("\nMicroseconds per round trip, %.0f of each: the bridge (loadAds, 5 ads, warm cache) %.1f, a bare "
              "handler echoing as long a reply %.1f, the same bare handler on GLib's own loop %.1f\n",
              run->counter("round_trips"), bridge, echo, glib);
  std::printf("bridge's speed over the bare handler's (bare handler's time / bridge's time): %.2f (at least 0.8 "
              "wanted): %s\n",
              speed, bench::verdict(speed >= 0.8));
  std::printf("our main loop's bare round trip over GLib's own (our loop's time / GLib's time): %.2f (at most 1.25 "
              "wanted): %s\n",
              loop, bench::verdict(loop <= 1.25));
  std::printf("verdict: %s\n", bench::verdict(speed >= 0.8 && loop <= 1.25));
}

}  // namespace

int main(int argc, char** argv) { return bench::run(argc, argv, printVerdict); }
