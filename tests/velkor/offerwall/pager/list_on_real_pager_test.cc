// The list page's presenter under the SDK's own pager presenter, loaded from the local ad server the
// way the offerwall loads (the list tests use a stand-in pager): the all-listing rule follows the
// pager's tab count, a tab link moves through the pager, and the rows' impressions reach its record.
#include <gtest/gtest.h>

#include "tests/velkor/offerwall/list/list_test_support.h"
#include "tests/velkor/offerwall/pager/pager_test_support.h"
#include "velkor/offerwall/list/ofw_list_presenter_impl.h"

namespace velkor::testing {
namespace {

constexpr std::int64_t kOffAllListing = 1509;  // "action" tab, tag "easy", disable_all_list 1
constexpr std::int64_t kNoTab = 1413;          // no tab id, tag "easy"

struct RealPagerPage {
  std::shared_ptr<RecordingPagerView> pager = makeRecordingPager();
  std::shared_ptr<TestPage> page = std::make_shared<TestPage>();
  std::shared_ptr<OfwListPresenterImpl> presenter = std::make_shared<OfwListPresenterImpl>(page);

  RealPagerPage(const std::string& tab, const std::string& tag) {
    presenter->setTabSlug(tab);
    presenter->setSelectedTagSlug(tag);
    page->setPresenter(presenter);
    page->setParentView(pager);
  }
  std::vector<std::int64_t> load() {
    const auto before = page->loads.size();
    presenter->loadData();
    dispatch::main_loop::runUntil([&] { return page->loads.size() > before; }, 10s);
    return page->loads.empty() ? std::vector<std::int64_t>{} : idsOf(page->loads.back().value_or(std::vector<Ad>{}));
  }
};

TEST(ListOnRealPager, AllListingRuleTabLinksAndImpressions) {
  PagerNetworkScope network;
  struct Case {
    const char* name;
    std::optional<nlohmann::json> oneTab;  // the server's tabs: its own six, or just "all"
    std::string tab;
    std::string tag;
    bool offAllListingShown;
    bool noTabShown;
  };
  nlohmann::json allOnly = nlohmann::json::array({fixtures().adList()["tabs"][0]});
  const std::vector<Case> cases = {
      {"all among six tabs", std::nullopt, "all", "all", false, true},
      {"its own tab", std::nullopt, "action", "all", true, false},
      {"one tab, tag all", allOnly, "all", "all", false, true},
      {"one tab, another tag", allOnly, "all", "easy", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.oneTab) network.serveTabs(*c.oneTab);
    RealPagerPage made(c.tab, c.tag);
    ASSERT_TRUE(reloadAndWait(*made.pager));
    const auto shown = made.load();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(contains(shown, kOffAllListing), c.offAllListingShown);
    EXPECT_EQ(contains(shown, kNoTab), c.noTabShown);
  }

  network.serveTabs(fixtures().adList()["tabs"]);
  RealPagerPage made("all", "all");
  ASSERT_TRUE(reloadAndWait(*made.pager));
  made.load();
  made.presenter->moveToDetail("velkor://offerwall/ads?tab_slug=shop&tag_slug=purchase", std::nullopt, "ad_list");
  made.presenter->moveToDetail("velkor://offerwall/ads?tab_slug=gone", std::nullopt, "ad_list");
  EXPECT_EQ(made.pager->count("changeTab(shop,purchase)"), 1u);
  EXPECT_EQ(made.pager->count("changeTab(all,all)"), 1u) << "a tab the pager lacks falls back to all";
  made.pager->impl()->impression(made.page->loads.back()->front(), "all", "all");
  EXPECT_EQ(made.pager->impl()->visibleItems().size(), 1u);
}

}  // namespace
}  // namespace velkor::testing
