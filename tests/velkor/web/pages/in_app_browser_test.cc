#include "velkor/web/ofw_in_app_browser_view_controller.h"

#include <gtest/gtest.h>

#include "tests/velkor/web/pages/page_test_support.h"
#include "velkor/components/velkor_alert_controller.h"
#include "velkor/components/ofw_network_error_view.h"
#include "velkor/core/dependency_container.h"

namespace velkor::testing {
namespace {

using nlohmann::json;

class InAppBrowserTest : public WebPageTest {
 protected:
  void SetUp() override {
    browser_ = DependencyContainer().makeInAppBrowserViewController(page("browser.html"), "이벤트");
    ASSERT_TRUE(browser_);
    navigation_ = showAlone(browser_);
  }
  void send(const json& body) { post(*browser_->webView(), body); }

  std::shared_ptr<OfwInAppBrowserViewController> browser_;
  std::shared_ptr<OfwNavigationController> navigation_;
};

TEST_F(InAppBrowserTest, OpenRoutesLinksInsideOutsideOrNowhere) {
  const std::string inner = "velkor://inappbrowser?url=" + page("browser.html") + "&title=two";
  const struct {
    const char* name;
    json body;
    std::size_t stack;
    std::vector<std::string> opened;
  } cases[] = {
      {"a web address goes to the system", {{"command", "open"}, {"url", "https://www.example.com/a"}}, 1,
       {"https://www.example.com/a"}},
      {"a store link goes to the system", {{"command", "open"}, {"url", "market://details?id=x"}}, 1,
       {"market://details?id=x"}},
      {"a file address is refused", {{"command", "open"}, {"url", "file:///etc/passwd"}}, 1, {}},
      {"a script address is refused", {{"command", "openExternal"}, {"url", "javascript:alert(1)"}}, 1, {}},
      {"no address", {{"command", "open"}}, 1, {}},
      {"an in-app link outside goes to the system", {{"command", "openExternal"}, {"url", inner}}, 1, {inner}},
      {"an in-app link pushes another browser", {{"command", "open"}, {"url", inner}}, 2, {}},
  };
  for (const auto& c : cases) {
    opened_.clear();
    send(c.body);
    EXPECT_EQ(opened_, c.opened) << c.name;
    EXPECT_EQ(navigation_->viewControllers().size(), c.stack) << c.name;
  }
}

TEST_F(InAppBrowserTest, ThePagesOwnLinksToOtherAppsGoToTheSystem) {
  evaluate(*browser_->webView(), "location.href = 'market://details?id=x'; 0");
  EXPECT_TRUE(eventually([&] { return !opened_.empty(); }));
  EXPECT_EQ(opened_, std::vector<std::string>{"market://details?id=x"});
  settle();
  EXPECT_TRUE(browser_->webView()->url()->absoluteString().ends_with("browser.html")) << "the page stays";
  EXPECT_FALSE(browser_->networkErrorView());
}

TEST_F(InAppBrowserTest, AnInAppLinkToAFileLoadsNothing) {
  send({{"command", "open"}, {"url", "velkor://inappbrowser?url=file%3A%2F%2F%2Fetc%2Fpasswd"}});
  ASSERT_EQ(navigation_->viewControllers().size(), 2u);
  auto second = std::dynamic_pointer_cast<OfwInAppBrowserViewController>(navigation_->viewControllers()[1]);
  ASSERT_TRUE(second && second->webView());
  settle(0.5);
  EXPECT_FALSE(second->webView()->url()) << "the file was not loaded";
  EXPECT_TRUE(opened_.empty());
}

TEST_F(InAppBrowserTest, ConfirmButtonsTakeBlankTextsAsTheirDefaultsAndRunTheirScripts) {
  send({{"command", "showConfirm"}, {"message", "계속할까요?"}, {"positiveText", "   "}, {"positiveCallback", "mark('yes')"}});
  auto alert = std::dynamic_pointer_cast<VelkorAlertController>(browser_->presentedViewController());
  ASSERT_TRUE(alert);
  EXPECT_EQ(alert->submitButton()->title(ui::ControlState::normal), "확인");
  EXPECT_EQ(alert->cancelButton()->title(ui::ControlState::normal), "취소");
  EXPECT_FALSE(alert->cancelButton()->isHidden());
  alert->submitButton()->sendActions(ui::ControlEvent::touchUpInside);
  settle();
  EXPECT_FALSE(browser_->presentedViewController());
  EXPECT_TRUE(eventually([&] { return evaluate(*browser_->webView(), "window.calls.join()") == "\"yes\""; }));
  send({{"command", "showConfirm"}, {"positiveText", "네"}});
  EXPECT_FALSE(browser_->presentedViewController()) << "no message, no dialog";
}

TEST_F(InAppBrowserTest, OpenRefusesAddressesWithoutASchemeAndSdkLinksNoRouteKnows) {
  for (const char* address :
       {"//host/x", "/relative/path", "velkor://nowhere", "velkor://inappbrowser?title=x"}) {
    send({{"command", "open"}, {"url", address}});
    send({{"command", "openExternal"}, {"url", address}});
    EXPECT_TRUE(opened_.empty()) << address;
    EXPECT_EQ(navigation_->viewControllers().size(), 1u) << address;
  }
}

// Blank is blank in any script: no-break, ideographic and line-separator spaces included.
TEST_F(InAppBrowserTest, ConfirmButtonsTakeUnicodeBlanksAsBlank) {
  send({{"command", "showConfirm"},
        {"message", "계속할까요?"},
        {"positiveText", "\u00a0\u3000\u2028 \t"},
        {"negativeText", "\u2003\n\u0085\u202f"}});
  auto alert = std::dynamic_pointer_cast<VelkorAlertController>(browser_->presentedViewController());
  ASSERT_TRUE(alert);
  EXPECT_EQ(alert->submitButton()->title(ui::ControlState::normal), "확인");
  EXPECT_EQ(alert->cancelButton()->title(ui::ControlState::normal), "취소");
  alert->cancelButton()->sendActions(ui::ControlEvent::touchUpInside);
  settle();
  send({{"command", "showConfirm"}, {"message", "계속할까요?"}, {"positiveText", "\u3000네\u3000"}});
  alert = std::dynamic_pointer_cast<VelkorAlertController>(browser_->presentedViewController());
  ASSERT_TRUE(alert);
  EXPECT_EQ(alert->submitButton()->title(ui::ControlState::normal), "\u3000네\u3000")
      << "a text is shown as sent";
}

TEST_F(InAppBrowserTest, ErrorViewComesWithAFailureAndGoesWithTheNextPage) {
  const auto refused = refusedAddress();
  browser_->loadURL(refused);
  ASSERT_TRUE(eventually([&] { return browser_->networkErrorView() != nullptr; }));
  browser_->loadURL(refused);
  settle(1.0);
  std::size_t errorViews = 0;
  for (const auto& view : browser_->view()->subviews()) errorViews += dynamic_cast<OfwNetworkErrorView*>(view.get()) != nullptr;
  EXPECT_EQ(errorViews, 1u) << "a second failure replaces the view";
  browser_->setWebViewURL(page("browser.html"));
  browser_->networkErrorView()->retryButton()->sendActions(ui::ControlEvent::touchUpInside);
  EXPECT_TRUE(eventually([&] { return browser_->networkErrorView() == nullptr; }));
}

TEST_F(InAppBrowserTest, ACancelledLoadShowsNoErrorView) {
  scope_.servers().server(mock::kContact).setFault(mock::Route::page, mock::Fault{}.withDelay(std::chrono::milliseconds(1500)).sticky());
  browser_->loadURL(page("links.html"));
  settle(0.3);
  // The second load cancels the first; it is still waiting for its page while we look.
  browser_->loadURL(page("browser.html"));
  settle(0.5);
  EXPECT_FALSE(browser_->networkErrorView());
  ASSERT_TRUE(pageLoaded(*browser_->webView(), "browser.html"));
}

TEST_F(InAppBrowserTest, TheBrowserGoesWithItsScreen) {
  std::weak_ptr<OfwInAppBrowserViewController> weak = browser_;
  std::weak_ptr<web::WebView> page = browser_->webView();
  browser_.reset();
  navigation_->dismiss(false);
  navigation_.reset();
  settle(0.5);
  EXPECT_TRUE(weak.expired());
  EXPECT_TRUE(page.expired());
}

}  // namespace
}  // namespace velkor::testing
