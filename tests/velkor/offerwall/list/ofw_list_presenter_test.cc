#include "velkor/offerwall/list/ofw_list_presenter_impl.h"

#include <gtest/gtest.h>

#include "platform/dispatch/main_loop.h"
#include "tests/velkor/offerwall/list/list_test_support.h"

namespace velkor::testing {
namespace {

using namespace std::chrono_literals;

// A page of one tab inside a pager with the given tabs (no pager at all for none).
struct PageUnderTest {
  std::shared_ptr<RecordingPagerView> pager;
  std::shared_ptr<TestPage> page;
  std::shared_ptr<OfwListPresenterImpl> presenter;

  // Loads and runs the main loop until the page has had `count` lists in all.
  bool load(std::size_t count = 1) {
    presenter->loadData();
    return dispatch::main_loop::runUntil([&] { return page->loads.size() >= count; }, 10s);
  }
  std::vector<std::int64_t> shown() const { return idsOf(page->loads.back().value_or(std::vector<Ad>{})); }
};

PageUnderTest makePage(const std::string& tab, std::optional<std::vector<std::string>> pagerTabs) {
  PageUnderTest made{nullptr, std::make_shared<TestPage>(), nullptr};
  made.presenter = std::make_shared<OfwListPresenterImpl>(made.page);
  made.presenter->setTabSlug(tab);
  made.page->setPresenter(made.presenter);
  if (pagerTabs) {
    made.pager = std::make_shared<RecordingPagerView>();
    std::vector<Tab> tabs;
    for (const auto& slug : *pagerTabs) {
      tabs.emplace_back();
      tabs.back().slug = slug;
    }
    made.pager->pagerPresenter().setTabList(tabs);
    made.page->setParentView(made.pager);
  }
  return made;
}

const std::vector<std::string> kSixTabs = {"all", "action", "shop", "shopping", "point", "install"};
constexpr std::int64_t kOffAllListing = 1509;  // "action" tab, tag "easy", disable_all_list 1
constexpr std::int64_t kNoTab = 1413;           // no tab id, tag "easy"

class OfwListPresenterTest : public ::testing::Test {
 protected:
  OfwListPresenterTest() { scope_.fillCache(); }
  AdServerScope scope_;
};

// The rule that keeps some ads off the listing that shows everything: the tab "all" among several
// tabs, the tag "all" when the pager has one tab; an unknown tag filters nothing.
TEST_F(OfwListPresenterTest, AllListingRuleByTabAndByTag) {
  struct Case {
    const char* name;
    std::string tab;
    std::optional<std::vector<std::string>> pagerTabs;
    std::string tag;
    bool offAllListingShown;
    bool noTabShown;
  };
  const std::vector<Case> cases = {
      {"all among six tabs", "all", kSixTabs, "all", false, true},
      {"its own tab", "action", kSixTabs, "all", true, false},
      {"no pager counts as several tabs", "all", std::nullopt, "all", false, true},
      {"one tab, tag all", "all", std::vector<std::string>{"all"}, "all", false, true},
      {"one tab, another tag", "all", std::vector<std::string>{"all"}, "easy", true, true},
      {"one tab, unknown tag", "all", std::vector<std::string>{"all"}, "nope", true, true},
      {"six tabs, unknown tag", "all", kSixTabs, "nope", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto page = makePage(c.tab, c.pagerTabs);
    page.presenter->setSelectedTagSlug(c.tag);
    ASSERT_TRUE(page.load());
    const auto shown = page.shown();
    EXPECT_EQ(contains(shown, kOffAllListing), c.offAllListingShown);
    EXPECT_EQ(contains(shown, kNoTab), c.noTabShown);
    EXPECT_FALSE(shown.empty());
  }
}

TEST_F(OfwListPresenterTest, TagFilterAndArrangementOverTheCache) {
  auto page = makePage("action", kSixTabs);
  page.presenter->setSelectedTagSlug("new");
  page.presenter->setSelectedSortOrder(Ad::SortType::big);
  page.presenter->loadData();
  // The first step ran inside the call: the tab's ads and tags, nothing shown yet.
  ASSERT_TRUE(page.presenter->cachedAdList());
  EXPECT_EQ(page.presenter->tagList()->size(), 3u);
  EXPECT_TRUE(page.page->loads.empty());
  ASSERT_TRUE(dispatch::main_loop::runUntil([&] { return !page.page->loads.empty(); }, 10s));
  EXPECT_EQ(page.shown(), (std::vector<std::int64_t>{1405, 1001}));  // tag "new" in "action", by reward
  EXPECT_EQ(page.page->tags, page.presenter->tagList());
  EXPECT_EQ(page.presenter->rewards(), 650);
  EXPECT_GT(page.presenter->getFixedTotalReward(), page.presenter->rewards());
}

// A banner finds its ad among all of the tab's ads, not among the rows the tag leaves: banner 2's
// ad (campaign 9001, tag "easy") is off the rows of the tag "new", and the banner stays linked to it.
TEST_F(OfwListPresenterTest, BannersLinkToTheTabsAdsWhateverTheTagShows) {
  constexpr std::int64_t kBanner = 2, kBannerAd = 1512;
  auto page = makePage("all", kSixTabs);
  page.presenter->setSelectedTagSlug("new");
  ASSERT_TRUE(page.load());
  EXPECT_FALSE(contains(page.shown(), kBannerAd));
  const auto& banners = page.presenter->bannerList();
  auto banner = std::find_if(banners.begin(), banners.end(), [](const Banner& b) { return b.id == kBanner; });
  ASSERT_NE(banner, banners.end());
  ASSERT_TRUE(banner->relatedAd);
  EXPECT_EQ(banner->relatedAd->id, kBannerAd);
}

// A tab the cache no longer lists: the page keeps what it showed, and nothing holds the presenter.
TEST_F(OfwListPresenterTest, AMissingTabEndsTheLoadAtOnce) {
  auto page = makePage("action", kSixTabs);
  ASSERT_TRUE(page.load());
  page.presenter->setTabSlug("gone");
  page.presenter->loadData();
  std::weak_ptr<OfwListPresenterImpl> weak = page.presenter;
  page.page->setPresenter(nullptr);
  page.presenter.reset();
  dispatch::main_loop::runUntil([] { return false; }, 200ms);
  EXPECT_TRUE(weak.expired());
  EXPECT_EQ(page.page->loads.size(), 1u);
}

// Two loads under way at once: each delivers, and the later order decides what stays.
TEST_F(OfwListPresenterTest, OfOverlappingLoadsTheLastToRunDecides) {
  auto page = makePage("action", kSixTabs);
  page.presenter->setSelectedSortOrder(Ad::SortType::big);
  page.presenter->loadData();
  page.presenter->setSelectedSortOrder(Ad::SortType::small);
  ASSERT_TRUE(page.load(2));
  const auto& first = *page.page->loads[0];
  const auto& last = *page.page->loads[1];
  EXPECT_EQ(first, last);  // each step reads the fields as they are when it runs
  EXPECT_LE(last[0].reward, last[1].reward);
  EXPECT_EQ(*page.presenter->filterSortedAdList(), last);
}

// The page gone before the second step: the fields still change, nothing is handed over.
TEST_F(OfwListPresenterTest, APageGoneBeforeTheSecondStepGetsNothing) {
  auto page = makePage("action", kSixTabs);
  page.presenter->loadData();
  page.page.reset();
  ASSERT_TRUE(dispatch::main_loop::runUntil([&] { return page.presenter->filterSortedAdList().has_value(); }, 10s));
  EXPECT_FALSE(page.presenter->filterSortedAdList()->empty());
}

}  // namespace
}  // namespace velkor::testing
