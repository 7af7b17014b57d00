#include <gtest/gtest.h>

#include <typeinfo>

#include "tests/velkor/core/presentation_test_support.h"
#include "tests/velkor/model/fixtures.h"
#include "velkor/components/velkor_alert_controller.h"
#include "velkor/components/velkor_navigation_bar.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor_session.h"
#include "velkor/network/ad_repository.h"
#include "velkor/web/ofw_detail_web_view_controller.h"

namespace velkor::testing {
namespace {

constexpr std::int64_t kOfferwallLinkAd = 1001;  // view_url "velkor://offerwall/ads/1001"
constexpr std::int64_t kWebLinkAd = 1414;        // view_url a web page
constexpr std::int64_t kNoAddressAd = 1007;      // view_url with braces: no address
constexpr std::int64_t kUpperCaseLinkAd = 1415;  // "VELKOR://offerwall/ads/1415": not the exact prefix
constexpr std::int64_t kUnknownAd = 99999;       // 404
constexpr std::int64_t kParentAd = 3001;         // find_child_ad answers 3101
constexpr const char* kUnavailable = "참여할 수 없는 광고입니다.";

// What the stack shows, screen by screen: "pager", "detail <ad id>", "web page", "alert <message>".
std::vector<std::string> describe(const std::vector<std::shared_ptr<ui::ViewController>>& stack) {
  std::vector<std::string> names;
  for (const auto& screen : stack) {
    if (dynamic_cast<TestPager*>(screen.get())) {
      names.push_back("pager");
    } else if (auto* detail = dynamic_cast<TestDetail*>(screen.get())) {
      names.push_back("detail " + std::to_string(detail->presenter()->adId()) + " from " + detail->from());
    } else if (auto* page = dynamic_cast<OfwDetailWebViewController*>(screen.get())) {
      const auto& url = page->webViewURL();
      names.push_back("web page " + url.substr(0, url.find("headless=false") + 14) + " \"" + page->navigationTitle() + "\"");
    } else {
      names.push_back(typeid(*screen).name());
    }
  }
  return names;
}

std::string alertText(const std::shared_ptr<ui::ViewController>& controller) {
  auto* alert = dynamic_cast<VelkorAlertController*>(controller.get());
  if (!alert || !alert->messaageLabel()) return "";
  return "alert " + alert->messaageLabel()->text();
}

using StackTest = PresentationTest;

TEST_F(StackTest, EachWayInShowsItsStackAndCompletesOnce) {
  struct Case {
    const char* name;
    std::optional<std::int64_t> adId;
    bool keepParent;
    bool childSearch;
    // The offerwall's stack; {"alert"}: no offerwall, the alert over the host's screen; {}: nothing.
    std::vector<std::string> shown;
    bool cacheCleared;
  };
  const std::vector<Case> cases = {
      {"pager alone", std::nullopt, false, false, {"pager"}, true},
      {"detail alone", kOfferwallLinkAd, false, false, {"detail 1001 from deeplink"}, false},
      {"web page of a web link", kWebLinkAd, false, false,
       {"web page https://www.example.com/offer/1414?headless=false \"\""}, false},
      {"a link in another case is a web link", kUpperCaseLinkAd, false, false,
       {"web page VELKOR://offerwall/ads/1415?headless=false \"\""}, false},
      {"a link that is no address: nothing", kNoAddressAd, false, false, {}, false},
      {"unknown ad: the alert over the host", kUnknownAd, false, false, {"alert"}, false},
      {"pager and detail", kOfferwallLinkAd, true, false, {"pager", "detail 1001 from deeplink"}, true},
      {"unknown ad kept in the pager", kUnknownAd, true, false, {"pager"}, true},
      {"child found", kParentAd, false, true, {"detail 3101 from deeplink"}, false},
      {"no child: the ad itself", kOfferwallLinkAd, false, true, {"detail 1001 from deeplink"}, false},
  };
  auto& core = VelkorInternal::shared();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    core.config()->setEnableChildAdSearch(c.childSearch);
    core.repository()->setCacheIsDirty(false);
    core.setNavigationController(nullptr);
    *completions_ = 0;

    core.presentOfferwall(host_, c.adId, c.keepParent, std::nullopt, std::nullopt, false, counting());
    ASSERT_TRUE(eventually([&] { return *completions_ > 0; }));
    dispatch::main_loop::runUntil([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_EQ(*completions_, 1);
    auto presented = host_->presentedViewController();
    if (c.shown.empty()) {
      EXPECT_EQ(presented, nullptr);
      EXPECT_EQ(offerwall(), nullptr);
    } else if (c.shown == std::vector<std::string>{"alert"}) {
      EXPECT_EQ(alertText(presented), std::string("alert ") + kUnavailable);
      EXPECT_EQ(offerwall(), nullptr);
    } else {
      ASSERT_EQ(presented, offerwall());
      EXPECT_EQ(describe(offerwall()->viewControllers()), c.shown);
      EXPECT_EQ(offerwall()->modalPresentationStyle(), ui::ModalPresentationStyle::fullScreen);
    }
    if (c.adId && c.keepParent && c.shown.size() == 1) {
      EXPECT_EQ(alertText(offerwall()->presentedViewController()), std::string("alert ") + kUnavailable)
          << "the alert is up before the caller hears of it";
    }
    EXPECT_EQ(core.repository()->cacheIsDirty(), c.cacheCleared);
    if (c.adId) {
      EXPECT_EQ(core.session()->tabSlug(), "all");
      EXPECT_EQ(core.session()->tagSlug(), "all");
    }
    host_->dismiss(false);
    dispatch::main_loop::drain();
  }
  core.config()->setEnableChildAdSearch(false);
}

// The offerwall's prefix counts only at the start of the ad's link: inside an outside address it is
// part of it, and the ad opens as the web page of that address.
TEST_F(StackTest, AnOfferwallLinkInsideAnOutsideAddressIsAWebLink) {
  nlohmann::json ad = *fixtures().ad(kWebLinkAd);
  ad["view_url"] = "https://www.example.com/go/velkor://offerwall/ads/1414";
  scope_.servers().server(mock::kLogic).setFault(mock::Route::adDetail,
                                                 mock::Fault{.replacementBody = ad.dump(), .isSticky = true});
  VelkorInternal::shared().presentOfferwall(host_, kWebLinkAd, false, std::nullopt, std::nullopt, false, counting());
  ASSERT_TRUE(eventually([&] { return *completions_ > 0; }));
  ASSERT_TRUE(offerwall());
  EXPECT_EQ(describe(offerwall()->viewControllers()),
            std::vector<std::string>{"web page https://www.example.com/go/velkor://offerwall/ads/1414?headless=false \"\""});
  host_->dismiss(false);
  dispatch::main_loop::drain();
}

struct HostBar : VelkorNavigationBar {};

TEST_F(StackTest, EachPresentationStartsAVisitChecksTheTermsDumpsWhenDebuggingAndUsesTheModulesBar) {
  auto& core = VelkorInternal::shared();
  core.config()->setEnableLoggingTerms(true);
  UserProfile::setUid("presenting-user");  // set without the uid change's own agreement
  module_->navigationBar = classOf<HostBar, VelkorNavigationBar>();
  core.setDebugEnabled(true);
  const auto visit = core.session();

  ::testing::internal::CaptureStdout();
  core.presentOfferwall(host_, std::nullopt, false, std::nullopt, std::nullopt, false, {});
  EXPECT_FALSE(::testing::internal::GetCapturedStdout().empty()) << "the debug dump";
  EXPECT_NE(core.session(), visit);
  EXPECT_TRUE(scope_.log().waitFor(mock::Route::agreement, 1, std::chrono::seconds(5)));
  EXPECT_TRUE(dynamic_cast<HostBar*>(&offerwall()->navigationBar()));
  core.config()->setEnableLoggingTerms(false);
}

TEST_F(StackTest, ACallFromAnotherThreadPresentsOnTheMainThread) {
  std::thread([&] {
    Velkor::shared().presentOfferwall(host_, std::nullopt, false, std::nullopt, std::nullopt, false, counting());
  }).join();
  EXPECT_EQ(host_->presentedViewController(), nullptr);
  ASSERT_TRUE(eventuallyPresented());
  EXPECT_EQ(*completions_, 1);
}

}  // namespace
}  // namespace velkor::testing
