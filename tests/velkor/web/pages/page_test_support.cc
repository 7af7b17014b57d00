#include "tests/velkor/web/pages/page_test_support.h"

namespace velkor::testing {

WebPageTest::WebPageTest() {
  ui::Application::shared().setOpenUrlHandler([this](const base::Url& url) {
    opened_.push_back(url.absoluteString());
    return true;
  });
}

WebPageTest::~WebPageTest() { ui::Application::shared().setOpenUrlHandler({}); }

std::string WebPageTest::page(const std::string& name) const {
  return const_cast<FacadeScope&>(scope_).servers().server(mock::kContact).baseUrl() + "/pages/" + name;
}

std::shared_ptr<OfwNavigationController> WebPageTest::showAlone(
    const std::shared_ptr<OfwWebPageViewController>& screen) {
  auto navigation = std::make_shared<OfwNavigationController>(screen);
  host_->present(navigation, false);
  dispatch::main_loop::drain();
  EXPECT_TRUE(screen->webView()) << "the view loaded";
  if (screen->webView()) {
    EXPECT_TRUE(pageLoaded(*screen->webView()));
  }
  return navigation;
}

bool WebPageTest::pageLoaded(web::WebView& webView, const std::string& ending) {
  return eventually([&] {
    const auto url = webView.url();
    return !webView.isLoading() && url && url->absoluteString().ends_with(ending);
  });
}

std::string WebPageTest::evaluate(web::WebView& webView, const std::string& script) {
  std::optional<std::string> answer;
  webView.evaluateJavaScript(script, [&](const std::optional<nlohmann::json>& result,
                                         const std::optional<base::Error>& error) {
    answer = error ? "error: " + error->description() : result ? result->dump() : "undefined";
  });
  eventually([&] { return answer.has_value(); });
  return answer.value_or("no answer");
}

void WebPageTest::post(web::WebView& webView, const nlohmann::json& body, const char* handler) {
  evaluate(webView, std::string("webkit.messageHandlers.") + handler + ".postMessage(" + body.dump() + "); 0");
  settle(0.4);
}

std::string WebPageTest::refusedAddress() {
  mock::MockServer closed("CLOSED");
  EXPECT_TRUE(closed.start());
  const std::string address = closed.baseUrl() + "/pages/browser.html";
  closed.stop();
  return address;
}

void WebPageTest::settle(double seconds) {
  dispatch::main_loop::runUntil([] { return false; }, dispatch::Seconds(seconds));
}

}  // namespace velkor::testing
