#include <gtest/gtest.h>

#include "tests/velkor/web/pages/page_test_support.h"
#include "velkor/web/velkor_ofw_js_interface.h"

namespace velkor::testing {
namespace {

using nlohmann::json;

// The host app's own handler: every message goes to the bridge.
class HostHandler : public web::ScriptMessageHandler {
 public:
  void didReceive(web::UserContentController&, const web::ScriptMessage& message) override {
    if (bridge) bridge->handleScriptMessage(message);
  }
  std::shared_ptr<VelkorOfwJsInterface> bridge;
};

class BridgePageTest : public WebPageTest {
 protected:
  void SetUp() override {
    web::WebViewConfiguration configuration;
    configuration.userContentController->add(handler_, "velkor");
    webView_ = std::make_shared<web::WebView>(ui::Rect{0, 0, 360, 640}, configuration);
    handler_->bridge = std::make_shared<VelkorOfwJsInterface>(webView_);
    webView_->load(net::Request(*base::Url::parse(page("bridge.html"))));
    ASSERT_TRUE(pageLoaded(*webView_, "bridge.html"));
  }
  // Posts the bodies and waits until the page has that many replies; the replies as the page got them.
  json repliesAfter(const std::vector<json>& bodies) {
    for (const auto& body : bodies) evaluate(*webView_, "post(" + body.dump() + "); 0");
    const auto count = std::to_string(bodies.size());
    eventually([&] { return evaluate(*webView_, "window.replies.length") == count; });
    return json::parse(evaluate(*webView_, "window.replies"));
  }

  std::shared_ptr<HostHandler> handler_ = std::make_shared<HostHandler>();
  std::shared_ptr<web::WebView> webView_;
};

TEST_F(BridgePageTest, HostileIdsReachThePageUnchanged) {
  const std::vector<std::string> ids = {
      "plain", "it's", "say \"hi\"", "back\\slash", "two\nlines\r", "</script><script>window.hacked=1</script>",
      "line\xE2\x80\xA8sep\xE2\x80\xA9", "'); window.hacked = 1; ('", "한글 id",
  };
  std::vector<json> bodies;
  for (const auto& id : ids) bodies.push_back({{"command", "getSdkVersion"}, {"id", id}});
  const auto replies = repliesAfter(bodies);
  ASSERT_EQ(replies.size(), ids.size());
  for (std::size_t i = 0; i < ids.size(); ++i) {
    EXPECT_EQ(replies[i]["id"], ids[i]);
    EXPECT_EQ(replies[i]["json"], "3.9.6");
  }
  EXPECT_EQ(evaluate(*webView_, "window.hacked === undefined"), "true") << "no id ran as script";
}

TEST_F(BridgePageTest, ATapInThePageOpensTheAdsDetail) {
  repliesAfter({{{"command", "loadAds"}, {"id", "list"}, {"size", 3}}});
  advance(1.0);
  evaluate(*webView_, "document.querySelector('#ads li').click(); 0");
  EXPECT_TRUE(eventuallyPresented());
}

TEST_F(BridgePageTest, ABridgeWhoseWebViewWentSendsNothing) {
  std::weak_ptr<web::WebView> weak = webView_;
  auto bridge = handler_->bridge;
  handler_->bridge = nullptr;
  webView_.reset();
  EXPECT_TRUE(weak.expired()) << "the bridge never keeps the web view";
  bridge->handleScriptMessage({"velkor", {{"command", "getSdkVersion"}, {"id", "x"}}});
  settle();
}

}  // namespace
}  // namespace velkor::testing
