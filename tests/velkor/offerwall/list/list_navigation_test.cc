#include <gtest/gtest.h>

#include "platform/ui/application.h"
#include "platform/ui/presentation.h"
#include "platform/ui/window.h"
#include "tests/velkor/offerwall/list/list_test_support.h"
#include "tests/velkor/offerwall/rows/screen_testing.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/core/velkor_session.h"
#include "velkor/detail/ofw_detail_view.h"
#include "velkor/web/ofw_detail_web_view_controller.h"

namespace velkor::testing {
namespace {

// A page of the tab "game" with the tag "new" selected, in a pager that stands either at the root of
// the offerwall's own stack or as a child of a plain host screen.
class ListNavigationTest : public ScreenTest {
 protected:
  ListNavigationTest() {
    ui::Application::shared().setOpenUrlHandler([this](const base::Url& url) {
      opened_.push_back(url.absoluteString());
      return true;
    });
  }
  ~ListNavigationTest() override {
    ui::Application::shared().setOpenUrlHandler({});
    VelkorInternal::shared().setNavigationController(nullptr);
  }

  void build(bool insideOfferwall) {
    window_ = std::make_shared<ui::Window>();
    host_ = std::make_shared<ui::ViewController>();
    pager_ = std::make_shared<RecordingPagerView>();
    page_ = std::make_shared<TestPage>();
    navigation_.reset();
    VelkorInternal::shared().setNavigationController(nullptr);
    opened_.clear();
    presenter_ = std::make_shared<OfwListPresenterImpl>(page_);
    presenter_->setTabSlug("game");
    presenter_->setSelectedTagSlug("new");
    page_->setPresenter(presenter_);
    page_->setParentView(pager_);
    pager_->addChild(page_);
    if (insideOfferwall) {
      navigation_ = std::make_shared<OfwNavigationController>(std::static_pointer_cast<ui::ViewController>(pager_));
      window_->setRootViewController(navigation_);
    } else {
      host_->addChild(pager_);
      window_->setRootViewController(host_);
    }
    window_->makeKeyAndVisible();
    advance(kPastModal);
  }
  // What the offerwall's stack shows on top, past the pager.
  std::shared_ptr<ui::ViewController> pushed() const {
    const auto& stack = navigation_->viewControllers();
    return stack.size() > 1 ? stack.back() : nullptr;
  }

  std::shared_ptr<ui::ViewController> host_;
  std::shared_ptr<OfwNavigationController> navigation_;
  std::shared_ptr<RecordingPagerView> pager_;
  std::shared_ptr<TestPage> page_;
  std::shared_ptr<OfwListPresenterImpl> presenter_;
  std::vector<std::string> opened_;
};

enum class Outcome { push, present, tabMove, webPage, systemOpen, nothing };

TEST_F(ListNavigationTest, EachLinkGoesWhereItLeads) {
  struct Case {
    const char* link;
    std::optional<std::string> title;
    bool insideOfferwall;
    Outcome outcome;
    std::string detail;  // the tab move, the page's address and title, or the opened address
  };
  const std::vector<Case> cases = {
      {"velkor://offerwall/ads/123", std::nullopt, true, Outcome::push, ""},
      {"velkor://offerwall/ads/+123", std::nullopt, false, Outcome::present, ""},
      {"velkor://offerwall/ads?tag_slug=t1", std::nullopt, true, Outcome::tabMove, "all/t1"},
      {"velkor://offerwall/ads?tab_slug=shop&tag_slug=", std::nullopt, false, Outcome::tabMove, "shop/"},
      {"velkor://inappbrowser?url=https%3A%2F%2Fexample.com%2Fp&title=Link", "행 제목", true, Outcome::webPage,
       "https://example.com/p?headless=false|행 제목"},
      {"velkor://inappbrowser?url=https%3A%2F%2Fexample.com%2Fp", "t", false, Outcome::nothing, ""},
      {"https://example.com/page", std::nullopt, true, Outcome::systemOpen, "https://example.com/page?headless=false"},
      {"https://example.com/%zz", std::nullopt, true, Outcome::nothing, ""},
      {"javascript:alert(1)", std::nullopt, true, Outcome::nothing, ""},  // refused, never handed on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.link);
    build(c.insideOfferwall);
    const auto before = VelkorInternal::shared().session()->actionId();
    presenter_->moveToDetail(c.link, c.title, "ad_list");
    advance(1.0);
    dispatch::main_loop::drain();

    // Every call starts a new action in the page's tab and tag, dead ends included.
    auto session = VelkorInternal::shared().session();
    EXPECT_NE(session->actionId(), before);
    EXPECT_EQ(session->tabSlug(), "game");
    EXPECT_EQ(session->tagSlug(), "new");

    Outcome outcome = Outcome::nothing;
    std::string detail;
    auto presented = host_->presentedViewController();
    if (navigation_ && std::dynamic_pointer_cast<OfwDetailView>(pushed())) {
      outcome = Outcome::push;
    } else if (auto stack = std::dynamic_pointer_cast<OfwNavigationController>(presented)) {
      if (stack->viewControllers().size() == 1 && std::dynamic_pointer_cast<OfwDetailView>(stack->viewControllers()[0]) &&
          stack->modalPresentationStyle() == ui::ModalPresentationStyle::fullScreen) {
        outcome = Outcome::present;
      }
    } else if (!pager_->pagerPresenter().moves.empty()) {
      outcome = Outcome::tabMove;
      detail = pager_->pagerPresenter().moves.back();
    } else if (auto web = navigation_ ? std::dynamic_pointer_cast<OfwDetailWebViewController>(pushed()) : nullptr) {
      outcome = Outcome::webPage;
      detail = web->webViewURL().substr(0, web->webViewURL().find('&')) + "|" + web->navigationTitle();
    } else if (!opened_.empty()) {
      outcome = Outcome::systemOpen;
      detail = opened_.back().substr(0, opened_.back().find('&'));
    }
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_EQ(detail, c.detail);
  }
}

}  // namespace
}  // namespace velkor::testing
