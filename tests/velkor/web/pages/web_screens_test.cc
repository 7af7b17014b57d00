#include <gtest/gtest.h>

#include "platform/net/error.h"
#include "tests/velkor/web/pages/page_test_support.h"
#include "velkor/components/velkor_alert_controller.h"
#include "velkor/core/dependency_container.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor_offerwall_delegate.h"
#include "velkor/detail/postback.h"
#include "velkor/web/ofw_detail_web_view_controller.h"
#include "velkor/web/shared_webview_view_controller.h"

namespace velkor::testing {
namespace {

using nlohmann::json;

// --- the help page ---

class SharedWebPageTest : public WebPageTest {
 protected:
  void SetUp() override {
    page_ = DependencyContainer().makeContractViewController();
    ASSERT_TRUE(page_);
    page_->setWebViewURL(page("browser.html"));
    navigation_ = showAlone(page_);
  }
  std::shared_ptr<SharedWebviewViewController> page_;
  std::shared_ptr<OfwNavigationController> navigation_;
};

TEST_F(SharedWebPageTest, AlertsRunTheirTextCallbackOnly) {
  EXPECT_EQ(page_->navigationBarTitle(), "이용문의");
  post(*page_->webView(), {{"command", "showAlert"}, {"message", "숫자 콜백"}, {"callback", 5}}, "SharedWeb");
  auto plain = std::dynamic_pointer_cast<VelkorAlertController>(page_->presentedViewController());
  ASSERT_TRUE(plain) << "a callback that is no text gives the plain alert";
  plain->submitButton()->sendActions(ui::ControlEvent::touchUpInside);
  settle();
  EXPECT_EQ(evaluate(*page_->webView(), "window.calls.length"), "0");
  post(*page_->webView(), {{"command", "showAlert"}, {"message", "콜백"}, {"callback", "mark('ok')"}});
  auto withCallback = std::dynamic_pointer_cast<VelkorAlertController>(page_->presentedViewController());
  ASSERT_TRUE(withCallback);
  withCallback->submitButton()->sendActions(ui::ControlEvent::touchUpInside);
  EXPECT_TRUE(eventually([&] { return evaluate(*page_->webView(), "window.calls.join()") == "\"ok\""; }));
  EXPECT_FALSE(page_->presentedViewController());
}

// --- the ad detail web page ---

class HostDelegate : public VelkorOfferwallDelegate {
 public:
  void requestLogin(std::shared_ptr<ui::ViewController>) override { ++logins; }
  void participateFailure(const VelkorError& error) override { failures.push_back(error.code); }
  void error(const Error&) override { ++errors; }
  int logins = 0;
  std::vector<std::int64_t> failures;
  int errors = 0;
};

class DetailWebPageTest : public WebPageTest {
 protected:
  void SetUp() override {
    VelkorInternal::shared().setDelegate(delegate_);
    UserProfile::setUid("user-1");
  }
  void open(std::int64_t adId = 1001) {
    screen_ = DependencyContainer().makeDetailWebViewController();
    ASSERT_TRUE(screen_);
    screen_->setWebViewURL(page("detail.html?ad=" + std::to_string(adId)));
    navigation_ = showAlone(screen_);
  }
  void participate(const json& adId, std::optional<int> isLat = std::nullopt) {
    json body = {{"command", "participate"}, {"adId", adId}};
    if (isLat) body["isLat"] = *isLat;
    post(*screen_->webView(), body);
  }
  std::size_t logged(mock::Route route) { return scope_.log().count(route); }

  std::shared_ptr<HostDelegate> delegate_ = std::make_shared<HostDelegate>();
  std::shared_ptr<OfwDetailWebViewController> screen_;
  std::shared_ptr<OfwNavigationController> navigation_;
};

TEST_F(DetailWebPageTest, ParticipationPostsBackAfterItsDelayAndLands) {
  open();
  participate(1001);
  ASSERT_TRUE(scope_.log().waitFor(mock::Route::participate, 1, std::chrono::seconds(5)));
  ASSERT_TRUE(eventually([&] { return !opened_.empty(); }));
  EXPECT_EQ(opened_[0], "https://www.example.com/event/1001?utm_source=velkor");
  ASSERT_TRUE(screen_->backgroundTask());
  advance(2.9);
  EXPECT_EQ(logged(mock::Route::postback), 0u);
  advance(0.2);
  EXPECT_TRUE(scope_.log().waitFor(mock::Route::postback, 1, std::chrono::seconds(5)));
  EXPECT_TRUE(screen_->backgroundTask()->isEnded());
}

TEST_F(DetailWebPageTest, AnUnusableLandingReports312AndStillPostsBack) {
  scope_.servers().server(mock::kLogic).setFault(
      mock::Route::participate,
      mock::Fault{}.withBody(R"({"click_key":"ck-x","landing_url":"not an address","complete_delay_time":3})"));
  open();
  participate(1001);
  ASSERT_TRUE(eventually([&] { return !delegate_->failures.empty(); }));
  EXPECT_EQ(delegate_->failures[0], 312);
  EXPECT_TRUE(opened_.empty());
  advance(3.1);
  EXPECT_TRUE(scope_.log().waitFor(mock::Route::postback, 1, std::chrono::seconds(5)));
}

TEST_F(DetailWebPageTest, AScriptLandingIsRefused) {
  scope_.servers().server(mock::kLogic).setFault(
      mock::Route::participate, mock::Fault{}.withBody(R"j({"click_key":"ck-x","landing_url":"javascript:alert(1)"})j"));
  open();
  participate(1001);
  ASSERT_TRUE(scope_.log().waitFor(mock::Route::participate, 1, std::chrono::seconds(5)));
  settle(0.5);
  EXPECT_TRUE(opened_.empty());
}

TEST_F(DetailWebPageTest, MalformedParticipationsDoNothing) {
  open();
  participate("1001");
  post(*screen_->webView(), {{"command", "participate"}});
  settle(0.5);
  EXPECT_EQ(logged(mock::Route::participate), 0u);
}

TEST_F(DetailWebPageTest, WithoutAUserTheHostLogsInAndThePageReloadsWithTheUid) {
  UserProfile::setUid("");
  open();
  participate(1001);
  EXPECT_EQ(delegate_->logins, 1);
  EXPECT_EQ(screen_->lastActionName(), "participate");
  EXPECT_EQ(Velkor::shared().loginDelegate().get(), static_cast<OfwLoginDelegate*>(screen_.get()))
      << "an empty user id makes the page the login delegate too";
  Velkor::shared().setUid("user-2");
  EXPECT_TRUE(pageLoaded(*screen_->webView(), "uid=user-2"));
  EXPECT_FALSE(screen_->lastActionName());
  EXPECT_EQ(logged(mock::Route::participate), 0u) << "the reloaded page starts it again";
}

// A committed page whose load a newer one cancels has not failed: the newer load decides what shows.
TEST_F(DetailWebPageTest, ACancelledCommittedLoadShowsNoErrorView) {
  open();
  screen_->didFail(*screen_->webView(), web::Navigation{1}, net::Error::make(net::ErrorCode::Cancelled));
  EXPECT_FALSE(screen_->networkErrorView());
  screen_->didFail(*screen_->webView(), web::Navigation{2}, net::Error::make(net::ErrorCode::TimedOut));
  EXPECT_TRUE(screen_->networkErrorView());
}

TEST_F(DetailWebPageTest, TitleAtOnceAndThePageKeepsNoScreenAlive) {
  open();
  post(*screen_->webView(), {{"command", "setTitle"}, {"title", "상세"}});
  EXPECT_EQ(screen_->navigationTitle(), "상세");
  std::weak_ptr<OfwDetailWebViewController> weak = screen_;
  screen_.reset();
  navigation_->dismiss(false);
  navigation_.reset();
  settle(0.5);
  EXPECT_TRUE(weak.expired());
}

}  // namespace
}  // namespace velkor::testing
