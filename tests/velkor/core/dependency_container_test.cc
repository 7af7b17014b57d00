#include "velkor/core/dependency_container.h"

#include <gtest/gtest.h>

#include <typeinfo>

#include "platform/dispatch/main_loop.h"
#include "tests/velkor/core/scoped_core_state.h"
#include "tests/velkor/core/screen_test_support.h"
#include "velkor/components/default_indicator_view.h"
#include "velkor/components/ofw_network_error_view.h"
#include "velkor/components/velkor_error_view.h"
#include "velkor/components/velkor_navigation_bar.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_uri_parser.h"
#include "velkor/resources/framework_nibs.h"
#include "velkor/offerwall/pager/default_ofw_list_pager_view_controller.h"
#include "velkor/offerwall/pager/ofw_list_pager_presenter_impl.h"
#include "velkor/web/ofw_detail_web_view_controller.h"
#include "velkor/web/ofw_in_app_browser_view_controller.h"
#include "velkor/web/shared_webview_view_controller.h"

namespace velkor::testing {
namespace {

struct HostContract : SharedWebviewViewController {};
struct HostBrowser : OfwInAppBrowserViewController {};
struct HostDetailWebPage : OfwDetailWebViewController {};
struct HostErrorView : VelkorErrorView {
  HostErrorView() : VelkorErrorView(Token{}) {}
};
struct HostNetworkErrorView : OfwNetworkErrorView {
  HostNetworkErrorView() : OfwNetworkErrorView(Token{}) {}
};
struct HostIndicator : ui::View, IndicatorViewRepresentable {
  void show() override {}
  void hide() override {}
};

template <class Expected, class T>
bool isExactly(const std::shared_ptr<T>& object) {
  return object && typeid(*object) == typeid(Expected);
}

class FactoryTest : public ::testing::Test {
 protected:
  void use(std::shared_ptr<PubAppModule> module) { VelkorInternal::shared().setPubAppModule(std::move(module)); }

  ScopedCoreState core_;
  dispatch::main_loop::TestScope mainLoop_;
  DependencyContainer factory_;
};

TEST_F(FactoryTest, EachMakerTakesTheModulesClassElseTheSdksOwn) {
  auto every = screensModule();
  every->contract = classOf<HostContract, SharedWebviewViewController>();
  every->inAppBrowser = classOf<HostBrowser, OfwInAppBrowserViewController>();
  every->detailWebPage = classOf<HostDetailWebPage, OfwDetailWebViewController>();
  every->indicator = [] { return std::make_shared<HostIndicator>(); };
  every->errorView = classOf<HostErrorView, VelkorErrorView>();
  every->networkErrorView = classOf<HostNetworkErrorView, OfwNetworkErrorView>();
  // Functions that make nothing count as naming nothing.
  auto none = std::make_shared<TestModule>();
  none->contract = [] { return nullptr; };
  none->inAppBrowser = [] { return nullptr; };
  none->detailWebPage = [] { return nullptr; };
  none->indicator = [] { return nullptr; };
  none->errorView = [] { return nullptr; };
  none->pager = ScreenClass<OfwListPagerView>("Nothing", nullptr, [](auto&) { return ScreenOf<OfwListPagerView>{}; });

  struct Case {
    const char* name;
    std::shared_ptr<PubAppModule> module;
    bool publishers;
    const char* pagerLookup;
  };
  for (const auto& c : std::vector<Case>{{"every slot", every, true, "TestPager"},
                                         {"no module", nullptr, false, "DefaultOfwListPagerViewController"},
                                         {"functions making none", none, false, "Nothing"}}) {
    SCOPED_TRACE(c.name);
    use(c.module);
    EXPECT_EQ(isExactly<HostContract>(factory_.makeContractViewController()), c.publishers);
    EXPECT_EQ(isExactly<SharedWebviewViewController>(factory_.makeContractViewController()), !c.publishers);
    // The link parser's browser comes from the factory, with its page and title.
    auto browser = VelkorUriParser::parseUri(
        *base::Url::parse("VELKOR://InAppBrowser?url=https%3A%2F%2Fexample.com%2Fa%3Fb%3D1&title=Shop"));
    EXPECT_EQ(isExactly<HostBrowser>(browser), c.publishers);
    EXPECT_EQ(isExactly<OfwInAppBrowserViewController>(browser), !c.publishers);
    auto* page = dynamic_cast<OfwInAppBrowserViewController*>(browser.get());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->webViewURL(), "https://example.com/a?b=1");
    EXPECT_EQ(page->navigationTitle(), "Shop");
    EXPECT_EQ(isExactly<HostDetailWebPage>(factory_.makeDetailWebViewController()), c.publishers);
    EXPECT_EQ(isExactly<HostIndicator>(factory_.makeLoadingIndicatorView()), c.publishers);
    EXPECT_EQ(isExactly<DefaultIndicatorView>(factory_.makeLoadingIndicatorView()), !c.publishers);
    EXPECT_EQ(isExactly<HostErrorView>(factory_.makeErrorView()), c.publishers);
    EXPECT_EQ(isExactly<VelkorErrorView>(factory_.makeErrorView()), !c.publishers);
    EXPECT_EQ(isExactly<HostNetworkErrorView>(factory_.makeNetworkErrorView()), c.publishers);
    EXPECT_EQ(isExactly<OfwNetworkErrorView>(factory_.makeNetworkErrorView()), !c.publishers);
    // The SDK's pager, list page and detail screen stand in for a module's that makes none.
    auto pager = factory_.makeOfferwallListViewController();
    ASSERT_TRUE(pager);
    EXPECT_EQ(isExactly<DefaultOfwListPagerViewController>(pager.controller), !c.publishers);
    EXPECT_EQ(pager.view->presenter()->view(), pager.view);
    EXPECT_TRUE(factory_.makeOfwListViewController());
    EXPECT_TRUE(factory_.makeOfferwallDetailViewController(7, "ad_list"));
    // The configuration's lookup names the class the factory tries first.
    EXPECT_EQ(VelkorConfig::offerwallListViewControllerClazz().typeName(), c.pagerLookup);
  }
}

TEST_F(FactoryTest, ThePagerComesFromANibOnlyWhenBothRegistriesHoldIt) {
  auto& framework = ui::NibRegistry::framework();
  auto& host = ui::NibRegistry::main();
  const ui::NibRegistry::Builder plain = [](const ui::NibOwner&) {
    return std::vector<ui::NibObject>{std::make_shared<ui::View>()};
  };
  struct Case {
    const char* name;
    bool inFramework;
    bool inHost;
    std::optional<std::string> configured;
    std::optional<std::string> expectedNib;
  };
  const std::vector<Case> cases = {
      {"in both", true, true, std::nullopt, "TestPager"},
      {"only the framework's: the class could not load it", true, false, std::nullopt, std::nullopt},
      {"only the host's", false, true, std::nullopt, std::nullopt},
      {"the configured name, in both", true, true, "ListNib", "ListNib"},
  };
  auto module = screensModule();
  use(module);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string name = c.configured.value_or("TestPager");
    framework.registerNib(name, c.inFramework ? plain : nullptr);
    host.registerNib(name, c.inHost ? plain : nullptr);
    VelkorConfig::setOfferwallListViewControllerNibName(c.configured);
    auto pager = factory_.makeOfferwallListViewController();
    ASSERT_TRUE(pager);
    EXPECT_EQ(pager.controller->nibName(), c.expectedNib);
    framework.removeNib(name);
    host.removeNib(name);
  }
  VelkorConfig::setOfferwallListViewControllerNibName(std::nullopt);
}

TEST_F(FactoryTest, TheDetailGetsItsNibWhenThereIsOneAndItsPresenterTheAdIdFirst) {
  use(screensModule());
  VelkorConfig::setOfferwallDetailViewControllerNibName("DetailNib");
  auto plainly = factory_.makeOfferwallDetailViewController(42, "ad_list");
  ASSERT_TRUE(plainly);
  EXPECT_EQ(plainly.controller->nibName(), std::nullopt) << "no such nib: built without one";
  plainly.controller->loadViewIfNeeded();

  ui::NibRegistry::main().registerNib("DetailNib", [](const ui::NibOwner&) {
    return std::vector<ui::NibObject>{std::make_shared<ui::View>()};
  });
  auto detail = factory_.makeOfferwallDetailViewController(42, "ad_list");
  ui::NibRegistry::main().removeNib("DetailNib");
  VelkorConfig::setOfferwallDetailViewControllerNibName(std::nullopt);
  EXPECT_EQ(detail.controller->nibName(), "DetailNib");
  auto presenter = std::dynamic_pointer_cast<TestDetailPresenter>(detail.view->presenter());
  ASSERT_NE(presenter, nullptr);
  EXPECT_EQ(presenter->adId(), 42);
  EXPECT_FALSE(presenter->screenHadPresenter_);
  EXPECT_EQ(presenter->screenFrom_, "");
  EXPECT_EQ(detail.view->from(), "ad_list");
}

}  // namespace
}  // namespace velkor::testing
