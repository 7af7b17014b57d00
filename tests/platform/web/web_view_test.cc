#include "platform/web/web_view.h"

#include <gtest/gtest.h>

#include "platform/net/error.h"
#include "platform/render/window_snapshot.h"
#include "platform/ui/screen.h"
#include "platform/ui/window.h"
#include "platform/web/error.h"
#include "tests/platform/web/web_testing.h"
#include "tools/mock-server/fault.h"

namespace web::testing {
namespace {

using dispatch::Seconds;
using dispatch::main_loop::runUntil;
using nlohmann::json;

constexpr long kCancelled = static_cast<long>(net::ErrorCode::Cancelled);

// A web view whose navigations the recorder hears.
std::shared_ptr<WebView> makeWebView(const std::shared_ptr<NavigationRecorder>& recorder,
                                     WebViewConfiguration configuration = {}) {
  auto view = std::make_shared<WebView>(ui::Rect{0, 0, 320, 480}, std::move(configuration));
  view->setNavigationDelegate(recorder);
  return view;
}

// --- script messages ---

// The page answers each reply through its own onMessageReceive, as the SDK's pages do.
class Echo : public ScriptMessageHandler {
 public:
  std::weak_ptr<WebView> view;
  int received = 0;
  void didReceive(UserContentController&, const ScriptMessage& message) override {
    ++received;
    const std::string id = message.body.value("id", "");
    if (auto target = view.lock()) target->evaluateJavaScript("onMessageReceive('" + id + "', '[1]')");
  }
};

TEST_F(PlatformWebViewTest, HandlersReceiveEachPostedBodyAsJsonInOrderAndRoundTrip) {
  WebViewConfiguration configuration;
  auto first = std::make_shared<MessageRecorder>();
  auto second = std::make_shared<MessageRecorder>();
  auto echo = std::make_shared<Echo>();
  auto ticks = std::make_shared<MessageRecorder>();
  ASSERT_TRUE(configuration.userContentController->add(first, "velkor"));
  ASSERT_TRUE(configuration.userContentController->add(second, "SharedWeb"));
  EXPECT_FALSE(configuration.userContentController->add(second, "velkor")) << "a name is taken once";
  configuration.userContentController->add(echo, "echo");
  configuration.userContentController->add(ticks, "test");
  auto view = makeWebView(recorder_, configuration);
  echo->view = view;
  ASSERT_TRUE(loadAndWait(*view, "/pages/bridge.html?handler=echo"));

  const struct {
    std::string posted;
    json body;
  } cases[] = {
      {R"({command: 'loadAds', id: 'a1', size: 5})", {{"command", "loadAds"}, {"id", "a1"}, {"size", 5}}},
      {R"({ad_id: 5.0, nested: {list: [1, 'x', true, null]}})", {{"ad_id", 5}, {"nested", {{"list", {1, "x", true, nullptr}}}}}},
      {R"('it\'s "quoted" </script> \u2028 한글')", "it's \"quoted\" </script> \u2028 한글"},
      {"42", 42},
      {"1.5", 1.5},
      {"false", false},
      {"null", nullptr},
      {"undefined", nullptr},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(evaluate(*view, "webkit.messageHandlers.velkor.postMessage(" + c.posted + "); 0").error) << c.posted;
  }
  EXPECT_FALSE(evaluate(*view, "webkit.messageHandlers.SharedWeb.postMessage({command: 'close'}); 0").error);
  ASSERT_TRUE(runUntil([&] { return first->messages.size() == std::size(cases) && second->messages.size() == 1; }))
      << first->messages.size() << " and " << second->messages.size() << " messages";
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(first->messages[i].name, "velkor");
    EXPECT_EQ(first->messages[i].body, cases[i].body) << cases[i].posted;
  }
  EXPECT_EQ(second->messages[0].body, json({{"command", "close"}}));

  // A removed handler is gone from the page too.
  configuration.userContentController->removeScriptMessageHandler("SharedWeb");
  EXPECT_TRUE(evaluate(*view, "webkit.messageHandlers.SharedWeb.postMessage(1)").error);

  const auto start = std::chrono::steady_clock::now();
  view->evaluateJavaScript("roundTrips(200, {command: 'echo'}); 0");
  ASSERT_TRUE(runUntil([&] { return echo->received == 200; }, Seconds(20)));
  // The last reply is on its way: the page shows every one.
  ASSERT_TRUE(runUntil([&] {
    return evaluate(*view, "document.querySelectorAll('#replies li').length").result == json(200);
  }));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  RecordProperty("seconds_for_200_round_trips", std::to_string(seconds));

  // The page's own timers run while the main loop waits, at their own pace.
  view->load(request(page("/pages/timers.html?count=5&every=30")));
  ASSERT_TRUE(runUntil([&] { return ticks->messages.size() == 5; }));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(ticks->messages[i].body["tick"], i + 1);
  const double spread = ticks->messages[4].body["at"].get<double>() - ticks->messages[0].body["at"].get<double>();
  EXPECT_GE(spread, 4 * 30 - 5) << "the page's interval keeps its own pace";
}

// --- snapshots, evaluation and panels ---

class Panels : public UIDelegate {
 public:
  std::vector<std::string> messages;
  std::function<void()> pendingAlert;
  bool confirmAnswer = true;
  void runJavaScriptAlertPanel(WebView&, const std::string& message, const FrameInfo&,
                               std::function<void()> completion) override {
    messages.push_back(message);
    pendingAlert = std::move(completion);  // answered later, from the test
  }
  void runJavaScriptConfirmPanel(WebView&, const std::string& message, const FrameInfo&,
                                 std::function<void(bool)> completion) override {
    messages.push_back(message);
    completion(confirmAnswer);
  }
};

std::array<int, 3> rgbAt(const ui::Image& image, int x, int y) {
  const std::uint8_t* p = image.pixel(x, y);
  return {p[0], p[1], p[2]};
}

// The window's snapshot draws the page where the web view is, at the web view's size, and follows
// the web view when its frame changes. Scripts answer JSON or their error; alerts and confirms wait
// for the delegate's answer.
TEST_F(PlatformWebViewTest, SnapshotsDrawThePageScriptsAnswerAndPanelsWaitForTheDelegate) {
  auto window = std::make_shared<ui::Window>(ui::Rect{0, 0, 300, 200});
  window->setBackgroundColor(ui::Color::white());
  // Made without a size, as screens make theirs before layout gives them one.
  auto view = std::make_shared<WebView>();
  window->addSubview(view);
  auto panels = std::make_shared<Panels>();
  view->setNavigationDelegate(recorder_);
  view->setUiDelegate(panels);
  ASSERT_TRUE(loadAndWait(*view, "/pages/color.html?c=00ff00"));
  view->setFrame(ui::Rect{50, 40, 200, 100});

  auto image = render::snapshot(*window, 1.0);
  ASSERT_TRUE(image);
  EXPECT_EQ(rgbAt(*image, 150, 90), (std::array<int, 3>{0, 255, 0}));
  EXPECT_EQ(rgbAt(*image, 20, 20), (std::array<int, 3>{255, 255, 255}));
  EXPECT_EQ(rgbAt(*image, 260, 150), (std::array<int, 3>{255, 255, 255}));
  // The page is drawn at the screen's pixels per point.
  const int scale = static_cast<int>(ui::Screen::main().scale);
  ASSERT_TRUE(view->contentImage());
  EXPECT_EQ(view->contentImage()->pixelWidth(), 200 * scale);
  EXPECT_EQ(view->contentImage()->pixelHeight(), 100 * scale);

  view->setFrame(ui::Rect{0, 0, 120, 60});
  image = render::snapshot(*window, 1.0);
  ASSERT_TRUE(image);
  EXPECT_EQ(rgbAt(*image, 100, 50), (std::array<int, 3>{0, 255, 0}));
  EXPECT_EQ(rgbAt(*image, 150, 90), (std::array<int, 3>{255, 255, 255}));
  EXPECT_EQ(view->contentImage()->pixelWidth(), 120 * scale);
  EXPECT_EQ(view->contentImage()->pixelHeight(), 60 * scale);

  // What the page's script changes shows in the next snapshot.
  evaluate(*view, "document.body.style.background = '#0000ff'");
  image = render::snapshot(*window, 1.0);
  EXPECT_EQ(rgbAt(*image, 60, 30), (std::array<int, 3>{0, 0, 255}));

  const struct {
    std::string script;
    std::optional<json> result;
    std::optional<ErrorCode> error;
    std::string message;
  } cases[] = {
      {"1 + 1", json(2), {}, {}},
      {"'한글 \"q\"'", json("한글 \"q\""), {}, {}},
      {"({a: [1, 'x'], b: null})", json({{"a", {1, "x"}}, {"b", nullptr}}), {}, {}},
      {"null", json(nullptr), {}, {}},
      {"undefined", std::nullopt, {}, {}},
      {"throw new Error('boom')", std::nullopt, ErrorCode::javaScriptExceptionOccurred, "Error: boom"},
      {"missing()", std::nullopt, ErrorCode::javaScriptExceptionOccurred, "ReferenceError: Can't find variable: missing"},
      {"(function () {})", std::nullopt, ErrorCode::javaScriptResultTypeIsUnsupported, {}},
  };
  for (const auto& c : cases) {
    const Evaluated answer = evaluate(*view, c.script);
    EXPECT_EQ(answer.result, c.result) << c.script;
    ASSERT_EQ(answer.error.has_value(), c.error.has_value()) << c.script;
    if (!c.error) continue;
    EXPECT_EQ(answer.error->domain, kErrorDomain);
    EXPECT_EQ(answer.error->code, static_cast<long>(*c.error)) << c.script;
    if (!c.message.empty()) {
      EXPECT_EQ(answer.error->message, c.message);
    }
  }

  std::optional<json> afterAlert;
  view->evaluateJavaScript("alert('잠시만요'); 'after'", [&](const auto& result, const auto&) { afterAlert = result; });
  ASSERT_TRUE(runUntil([&] { return static_cast<bool>(panels->pendingAlert); }));
  EXPECT_EQ(panels->messages, std::vector<std::string>{"잠시만요"});
  runUntil([] { return false; }, Seconds(0.1));
  EXPECT_FALSE(afterAlert) << "the page waits in alert() until the delegate answers";
  std::exchange(panels->pendingAlert, nullptr)();
  ASSERT_TRUE(runUntil([&] { return afterAlert.has_value(); }));
  EXPECT_EQ(afterAlert, json("after"));

  EXPECT_EQ(evaluate(*view, "confirm('sure?')").result, json(true));
  panels->confirmAnswer = false;
  EXPECT_EQ(evaluate(*view, "confirm('sure?')").result, json(false));

  // Without a UI delegate the panels answer at once: dismissed, and false.
  view->setUiDelegate({});
  EXPECT_EQ(evaluate(*view, "alert('x'); confirm('y')").result, json(false));
}

// --- navigations ---

TEST_F(PlatformWebViewTest, NavigationsReportStartCommitFinishOrTheirFailureAndALaterLoadCancels) {
  mock::MockServer closed("CLOSED");
  ASSERT_TRUE(closed.start());
  const std::string refused = closed.baseUrl() + "/pages/color.html";
  closed.stop();

  const struct {
    std::string url;
    std::vector<std::string> kinds;
    long code;
  } cases[] = {
      {page("/pages/color.html"), {"start", "commit", "finish"}, 0},
      {page("/no/such/page"), {"start", "commit", "finish"}, 0},  // an HTTP error page is a page
      {refused, {"start", "fail-provisional"}, static_cast<long>(net::ErrorCode::CannotConnectToHost)},
      {"velkor://offerwall/ads", {"start", "fail-provisional"}, static_cast<long>(net::ErrorCode::UnsupportedUrl)},
      {"nonsense", {"start", "fail-provisional"}, static_cast<long>(net::ErrorCode::UnsupportedUrl)},
  };
  auto view = makeWebView(recorder_);
  for (const auto& c : cases) {
    recorder_->events.clear();
    net::Request withHeader = request(c.url);
    withHeader.setValue("abc-123", "X-Tracking-Id");
    const Navigation navigation = view->load(withHeader);
    ASSERT_TRUE(runUntil([&] { return recorder_->ended(navigation); })) << c.url;
    std::vector<NavigationEvent> expected;
    for (const auto& kind : c.kinds) expected.push_back({kind, navigation.id, kind == "fail-provisional" ? c.code : 0});
    EXPECT_EQ(recorder_->events, expected) << c.url;
  }
  // The request's header fields are sent.
  const auto logged = server_.log().entries(mock::Route::page);
  ASSERT_FALSE(logged.empty());
  EXPECT_EQ(logged.front().header("X-Tracking-Id"), "abc-123");
  // The last page that committed (the 404's) stays, with no title of its own.
  EXPECT_EQ(view->url()->path(), "/no/such/page");
  EXPECT_EQ(view->title(), "");

  // A load before the commit cancels the earlier one, and a time-out fails it.
  recorder_->events.clear();
  server_.setFault(mock::Route::help, mock::Fault{}.withDelay(std::chrono::milliseconds(3000)));
  const Navigation slow = view->load(request(page("/help_requests/new")));
  ASSERT_TRUE(runUntil([&] { return !recorder_->events.empty(); }));
  const Navigation next = view->load(request(page("/pages/color.html")));
  ASSERT_TRUE(runUntil([&] { return recorder_->ended(next); }));
  const std::vector<NavigationEvent> cancelled = {
      {"start", slow.id}, {"fail-provisional", slow.id, kCancelled}, {"start", next.id}, {"commit", next.id},
      {"finish", next.id}};
  EXPECT_EQ(recorder_->events, cancelled);

  // Replaced before it even started: cancelled all the same, and only the last one loads.
  recorder_->events.clear();
  const Navigation first = view->load(request(page("/pages/color.html?c=000000")));
  const Navigation second = view->load(request(page("/pages/color.html?c=ffffff")));
  ASSERT_TRUE(runUntil([&] { return recorder_->ended(second); }));
  EXPECT_EQ(recorder_->events.front(), (NavigationEvent{"fail-provisional", first.id, kCancelled}));
  EXPECT_EQ(recorder_->events.back(), (NavigationEvent{"finish", second.id}));
  EXPECT_EQ(view->url()->query(), "c=ffffff");

  recorder_->events.clear();
  server_.setFault(mock::Route::help, mock::Fault{}.withDelay(std::chrono::milliseconds(3000)));
  net::Request timed = request(page("/help_requests/new"));
  timed.setTimeoutInterval(Seconds(0.3));
  const Navigation late = view->load(timed);
  ASSERT_TRUE(runUntil([&] { return recorder_->ended(late); }));
  EXPECT_EQ(recorder_->events.back(),
            (NavigationEvent{"fail-provisional", late.id, static_cast<long>(net::ErrorCode::TimedOut)}));
  // The engine's own report of the load it was told to stop is not passed on.
  runUntil([] { return false; }, Seconds(0.2));
  EXPECT_EQ(recorder_->events.back().id, late.id);
  EXPECT_EQ(recorder_->events.size(), 2u);

  // A page that committed but still waits for an image is past both: its time-out no longer
  // runs, and a later load does not fail it provisionally. (The time-out leaves the page ample
  // time to commit on a busy machine; the image comes well after it.)
  auto loadWithSlowImage = [&](Seconds timeout) {
    server_.setFault(mock::Route::page, mock::Fault{}.withBody(R"(<!DOCTYPE html><img src="/images/slow.png">)"));
    server_.setFault(mock::Route::image, mock::Fault{}.withDelay(std::chrono::milliseconds(2000)));
    net::Request slowImage = request(page("/pages/color.html"));
    slowImage.setTimeoutInterval(timeout);
    return view->load(slowImage);
  };
  recorder_->events.clear();
  const Navigation outlasting = loadWithSlowImage(Seconds(1));
  ASSERT_TRUE(runUntil([&] { return recorder_->ended(outlasting); }));
  EXPECT_EQ(recorder_->events, (std::vector<NavigationEvent>{
                                   {"start", outlasting.id}, {"commit", outlasting.id}, {"finish", outlasting.id}}));

  recorder_->events.clear();
  const Navigation committed = loadWithSlowImage(Seconds(10));
  ASSERT_TRUE(runUntil([&] { return !recorder_->events.empty() && recorder_->events.back().kind == "commit"; }));
  const Navigation after = view->load(request(page("/pages/color.html")));
  ASSERT_TRUE(runUntil([&] { return recorder_->ended(after); }));
  EXPECT_EQ(recorder_->events, (std::vector<NavigationEvent>{{"start", committed.id},
                                                             {"commit", committed.id},
                                                             {"fail", committed.id, kCancelled},
                                                             {"start", after.id},
                                                             {"commit", after.id},
                                                             {"finish", after.id}}));
}

// --- lifetimes ---

TEST_F(PlatformWebViewTest, AWebViewReleasedWhileItLoadsTellsNothingMoreAndAnswersPendingScripts) {
  server_.setFault(mock::Route::help, mock::Fault{}.withDelay(std::chrono::milliseconds(500)));
  auto view = makeWebView(recorder_);
  view->load(request(page("/help_requests/new")));
  ASSERT_TRUE(runUntil([&] { return !recorder_->events.empty(); }));
  std::optional<base::Error> error;
  view->evaluateJavaScript("1", [&](const auto&, const auto& e) { error = e ? e : base::Error{"none", 0, {}}; });
  view.reset();
  const auto heard = recorder_->events.size();
  ASSERT_TRUE(runUntil([&] { return error.has_value(); }));
  runUntil([] { return false; }, Seconds(1));
  EXPECT_EQ(recorder_->events.size(), heard);
  EXPECT_EQ(error->code, static_cast<long>(ErrorCode::webViewInvalidated));

  // A web view released by its own delegate, inside the engine's callback.
  class Releasing : public NavigationRecorder {
   public:
    std::shared_ptr<WebView> held;
    void didCommit(WebView& view, const Navigation& navigation) override {
      NavigationRecorder::didCommit(view, navigation);
      held.reset();
    }
  };
  auto releasing = std::make_shared<Releasing>();
  releasing->held = makeWebView(releasing);
  releasing->held->load(request(page("/pages/color.html")));
  ASSERT_TRUE(runUntil([&] { return !releasing->held; }));
  runUntil([] { return false; }, Seconds(0.3));
  EXPECT_EQ(releasing->events.back().kind, "commit");

  // Web views made one after the other each load their page.
  for (const char* color : {"ff0000", "00ff00", "0000ff"}) {
    const auto start = std::chrono::steady_clock::now();
    auto next = makeWebView(recorder_);
    ASSERT_TRUE(loadAndWait(*next, std::string("/pages/color.html?c=") + color));
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    RecordProperty(std::string("page_load_ms_") + color, std::to_string(elapsed.count()));
    EXPECT_EQ(recorder_->events.back().kind, "finish");
    EXPECT_EQ(evaluate(*next, "location.search").result, json(std::string("?c=") + color));
  }
}

// Without a display the engine cannot start: loads and scripts fail, reported as usual, and nothing
// hangs. Run in a process of its own, where the engine has not started yet.
TEST_F(PlatformWebViewTest, WithoutADisplayLoadsAndScriptsFailInsteadOfHanging) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        setenv("DISPLAY", ":987", 1);
        auto view = std::make_shared<WebView>(ui::Rect{0, 0, 100, 100});
        view->setNavigationDelegate(recorder_);
        const Navigation navigation = view->load(request(page("/pages/color.html")));
        std::optional<base::Error> scriptError;
        view->evaluateJavaScript("1", [&](const auto&, const auto& error) { scriptError = error; });
        const bool ended = dispatch::main_loop::runUntil(
            [&] { return recorder_->ended(navigation) && scriptError.has_value(); }, dispatch::Seconds(5));
        const bool failed = ended && recorder_->events.size() == 1 && recorder_->events[0].kind == "fail-provisional";
        std::exit(failed && scriptError->domain == kErrorDomain ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace web::testing
