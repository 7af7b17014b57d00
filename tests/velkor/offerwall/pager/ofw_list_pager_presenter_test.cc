#include "velkor/offerwall/pager/ofw_list_pager_presenter_impl.h"

#include <gtest/gtest.h>

#include "tests/velkor/offerwall/pager/pager_test_support.h"
#include "velkor/core/velkor_session.h"
#include "velkor/network/ad_repository.h"

namespace velkor::testing {
namespace {

std::vector<std::int64_t> popupIds(const std::vector<Popup>& popups) {
  std::vector<std::int64_t> ids;
  for (const Popup& popup : popups) ids.push_back(popup.id);
  return ids;
}

nlohmann::json tabJson(const std::string& slug, const std::vector<std::string>& tags) {
  nlohmann::json tab = {{"id", slug.size()}, {"name", slug}, {"slug", slug}, {"tags", nlohmann::json::array()},
                        {"view_url", "velkor://offerwall/ads?tab_slug=" + slug}};
  for (const auto& tag : tags) tab["tags"].push_back({{"id", tag.size()}, {"name", tag}, {"slug", tag}});
  return tab;
}

class PagerPresenterTest : public ::testing::Test {
 protected:
  AdServerScope network_;
  std::shared_ptr<RecordingPagerView> view_ = makeRecordingPager();
};

// The first success in order, the prepare view once, popups linked to their campaign's first ad and
// ordered by priority, the session's action cleared; the second load keeps the first tab list.
TEST_F(PagerPresenterTest, FirstAndSecondLoad) {
  VelkorInternal::shared().session()->openRequest("action", "easy");
  ASSERT_TRUE(reloadAndWait(*view_));
  EXPECT_EQ(view_->calls, (std::vector<std::string>{"showLoadingIndicator", "beforeAction", "hideLoadingIndicator",
                                                    "hideNetworkError", "showTabList", "showPrepareView",
                                                    "showAccumulableRewards", "reloadAll"}));
  EXPECT_FALSE(VelkorInternal::shared().session()->actionId());
  EXPECT_FALSE(VelkorInternal::shared().session()->tabSlug());
  auto presenter = view_->impl();
  EXPECT_EQ(presenter->tabList().size(), 6u);
  // 2 (campaign 9001, its first ad enabled, priority 5), 1 (no campaign, 2), 4 (no campaign, 0);
  // 3's first ad is disabled and 5's campaign has no ad.
  EXPECT_EQ(popupIds(presenter->popupList()), (std::vector<std::int64_t>{2, 1, 4}));
  ASSERT_TRUE(presenter->popupList()[0].relatedAd);
  EXPECT_EQ(presenter->popupList()[0].relatedAd->id, 1512);
  EXPECT_FALSE(presenter->popupList()[1].relatedAd);
  ASSERT_TRUE(presenter->ads());
  EXPECT_TRUE(presenter->ads()->front().isCallToActionEnabled());
  EXPECT_TRUE(presenter->ads()->back().isCompleted() || !presenter->ads()->back().isCallToActionEnabled());

  network_.serveTabs({tabJson("all", {"all"})});
  view_->calls.clear();
  ASSERT_TRUE(reloadAndWait(*view_));
  EXPECT_EQ(view_->count("showTabList"), 0u);
  EXPECT_EQ(view_->count("showPrepareView"), 0u);
  EXPECT_EQ(presenter->tabList().size(), 6u);
}

// The current tab and the pending tag after a load, against that answer's tabs.
TEST_F(PagerPresenterTest, FallBackToAll) {
  struct Case {
    const char* name;
    std::string tab;
    std::optional<std::string> tag;
    std::string expectedTab;
    std::optional<std::string> expectedTag;
  };
  const std::vector<Case> cases = {
      {"tab gone, no tag", "gone", std::nullopt, "all", std::nullopt},
      {"tab gone, tag pending", "gone", "easy", "all", "all"},
      {"tag on the tab", "action", "easy", "action", "easy"},
      {"tag the tab lacks", "action", "purchase", "action", "all"},
      {"no tag stays none", "action", std::nullopt, "action", std::nullopt},
      {"all the tab lacks is all again", "bare", "all", "bare", "all"},
  };
  network_.serveTabs({tabJson("all", {"all", "easy", "purchase"}), tabJson("action", {"all", "easy"}),
                      tabJson("bare", {})});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto presenter = view_->impl();
    presenter->setCurrentTabSlug(c.tab);
    presenter->setCurrentTagSlug(c.tag);
    VelkorInternal::shared().repository()->setCacheIsDirty(true);
    ASSERT_TRUE(reloadAndWait(*view_));
    EXPECT_EQ(presenter->currentTabSlug(), c.expectedTab);
    EXPECT_EQ(presenter->currentTagSlug(), c.expectedTag);
  }
}

// A failed load: the host hears the error even with the presenter gone, the error view shows,
// nothing is cleared, and a later success still builds the tabs.
TEST_F(PagerPresenterTest, FailedLoad) {
  auto delegate = std::make_shared<RecordingDelegate>();
  VelkorInternal::shared().setDelegate(delegate);
  network_.listServer().setFault(mock::Route::adList, mock::Fault{}.withStatus(500).htmlErrorPage().sticky());
  auto presenter = view_->impl();
  presenter->setAds(std::vector<Ad>{Ad{}});
  ASSERT_TRUE(reloadAndWait(*view_));
  EXPECT_EQ(view_->calls, (std::vector<std::string>{"showLoadingIndicator", "beforeAction", "hideLoadingIndicator",
                                                    "showNetworkError(retry)"}));
  EXPECT_EQ(delegate->errors.size(), 1u);
  EXPECT_EQ(presenter->ads()->size(), 1u);
  EXPECT_TRUE(presenter->tabList().empty());

  // Gone before the answer: only the host hears.
  view_->presenter()->reloadData("ad_list");
  view_->setPresenter(nullptr);
  presenter.reset();
  ASSERT_TRUE(dispatch::main_loop::runUntil([&] { return delegate->errors.size() == 2; }, 20s));
  EXPECT_EQ(view_->count("showNetworkError(retry)"), 1u);

  network_.listServer().clearFaults();
  view_->setPresenter(std::make_shared<OfwListPagerPresenterImpl>(view_));
  ASSERT_TRUE(reloadAndWait(*view_));
  EXPECT_EQ(view_->impl()->tabList().size(), 6u);
}

// Routing: tabs fall back to "all" with the tag kept; an id that is not whole opens nothing; the
// contact button asks the host to log in when there is no user.
TEST(PagerPresenterRouting, TabLinksAndContact) {
  dispatch::main_loop::TestScope loop;
  ScopedCoreState core;
  auto view = makeRecordingPager();
  auto presenter = view->impl();
  Tab action;
  action.slug = "action";
  presenter->setTabList({action});
  presenter->moveTo("action", "easy");
  presenter->moveTo("gone", "easy");
  presenter->moveToDetail("velkor://offerwall/ads?tag_slug=new", "popup");
  presenter->moveToDetail("velkor://offerwall/ads?", "popup");
  presenter->moveToDetail("velkor://offerwall/ads/12?x=1", "popup");
  EXPECT_EQ(view->calls, (std::vector<std::string>{"changeTab(action,easy)", "changeTab(all,easy)",
                                                   "changeTab(all,new)", "changeTab(all,all)"}));

  presenter->moveToContact();  // no delegate: nothing
  auto delegate = std::make_shared<RecordingDelegate>();
  VelkorInternal::shared().setDelegate(delegate);
  presenter->moveToContact();
  EXPECT_EQ(delegate->logins.size(), 1u);
  VelkorInternal::shared().setDelegate({});
}

}  // namespace
}  // namespace velkor::testing
