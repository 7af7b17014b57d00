// The ad repository against the local ad servers: when the memory cache answers, what an answer
// leaves in it, the combined load of the offerwall, and loads on other threads while main writes.
#include "velkor/network/ad_repository.h"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/dispatch/clock.h"
#include "platform/dispatch/queue.h"
#include "tests/velkor/network/ad_source_test_support.h"
#include "tests/velkor/network/network_test_support.h"
#include "velkor/core/velkor_config.h"

namespace velkor::testing {
namespace {

class AdRepositoryTest : public ::testing::Test {
 protected:
  AdRepositoryTest() { VelkorInternal::shared().setConfig(config_); }
  ~AdRepositoryTest() override { VelkorInternal::shared().setConfig(std::make_shared<VelkorConfig>()); }
  mock::MockServer& listServer() { return scope_.servers().server(mock::kLogicList); }
  std::size_t requests(mock::Route route) { return scope_.log().count(route); }
  std::optional<AdsAnswer> load() { return loadAds(*repository_); }
  NetworkScope scope_;
  dispatch::ScopedManualClock clock_{kNow};
  std::shared_ptr<VelkorConfig> config_ = std::make_shared<VelkorConfig>();
  std::shared_ptr<AdRepository> repository_ =
      std::make_shared<AdRepository>(std::make_shared<MemoryCacheAdDataSource>(), std::make_shared<CSServerAdDataSource>());
};

struct CacheCase {
  const char* name;
  double expiresIn;  // seconds after now, as the first answer's "X-Expired-At" says
  bool dirty;
  bool fromServer;
};
std::ostream& operator<<(std::ostream& out, const CacheCase& c) {
  return out << c.name;
}

class CacheRule : public AdRepositoryTest, public ::testing::WithParamInterface<CacheCase> {};

TEST_P(CacheRule, MemoryAnswersWhileTheCacheIsCleanAndUnexpired) {
  const CacheCase& rule = GetParam();
  serveAds(scope_.servers(), {adJson(1), adJson(2)}, rule.expiresIn);
  ASSERT_TRUE(load());
  repository_->setCacheIsDirty(rule.dirty);
  auto captured = std::make_shared<Captured<AdsAnswer>>();
  repository_->getAds("ad_list", adsTo(captured), errorTo(captured));
  // The cache answers at once, on the calling thread.
  EXPECT_EQ(captured->count(), rule.fromServer ? 0u : 1u);
  ASSERT_TRUE(captured->waitFor(1));
  EXPECT_EQ(captured->first().ids().size(), 2u);
  EXPECT_EQ(requests(mock::Route::adList), rule.fromServer ? 2u : 1u);
  EXPECT_FALSE(repository_->cacheIsDirty());
}

INSTANTIATE_TEST_SUITE_P(AdList, CacheRule,
                         ::testing::Values(CacheCase{"fresh", 1, false, false},
                                           CacheCase{"expiring_now", 0, false, false},
                                           CacheCase{"expired", -1, false, true},
                                           CacheCase{"dirty", 600, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AdRepositoryTest, AnAdKeepsThePriorityItWasFirstCachedWith) {
  serveAds(scope_.servers(), {adJson(1, {{"priority", 3}})});
  auto first = load();
  ASSERT_TRUE(first);
  repository_->setCacheIsDirty(true);
  serveAds(scope_.servers(), {adJson(1, {{"priority", 7}}), adJson(2, {{"priority", 7}})});
  auto second = load();
  ASSERT_TRUE(second);
  EXPECT_EQ(second->ids(), (std::vector<std::int64_t>{2, 1}));
  // The list handed out before stays as it was: the cache shares its lists, never changes them.
  EXPECT_EQ(first->ids(), (std::vector<std::int64_t>{1}));
  EXPECT_EQ(second->ads[1].priority, first->ads[0].priority);
  EXPECT_LT(second->ads[1].priority, 3.001f);
}

// Higher priority first, completed ads last; of two ads with one id the later is cached. A list
// handed out stays whole after the cache is cleared.
TEST_F(AdRepositoryTest, OrdersByPriorityCompletedLastKeepingTheLaterOfTwoIds) {
  serveAds(scope_.servers(), {adJson(1, {{"priority", 5}}), adJson(2, {{"priority", 9}, {"completed", 1}}),
                              adJson(3, {{"priority", 9}, {"title", "earlier"}}),
                              adJson(3, {{"priority", 9}, {"title", "later"}})});
  auto answer = load();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->ids(), (std::vector<std::int64_t>{3, 1, 2}));
  EXPECT_EQ(answer->ads[0].title, "later");
  repository_->localDataSource()->clear();
  EXPECT_EQ(answer->ids(), (std::vector<std::int64_t>{3, 1, 2}));
}

TEST_F(AdRepositoryTest, AFailedLoadLeavesTheCacheAndFlagsAsTheyWere) {
  serveAds(scope_.servers(), {adJson(1)});
  ASSERT_TRUE(load());
  repository_->setCacheIsDirty(true);
  listServer().clearFaults();
  listServer().setFault(mock::Route::adList, mock::Fault{}.withStatus(500).htmlErrorPage());
  auto failed = load();
  ASSERT_TRUE(failed);
  ASSERT_TRUE(failed->error);
  EXPECT_EQ(failed->error->domain, base::DecodingError::kDomain);
  EXPECT_TRUE(repository_->cacheIsDirty());
  EXPECT_EQ(repository_->localDataSource()->cachedAdList().size(), 1u);
}

struct CombinedCase {
  const char* name;
  bool extension;
  std::optional<mock::Fault> adFault, bannerFault, popupFault;
  bool succeeds;
  std::size_t banners, popups;
};
std::ostream& operator<<(std::ostream& out, const CombinedCase& c) {
  return out << c.name;
}

class CombinedLoad : public AdRepositoryTest, public ::testing::WithParamInterface<CombinedCase> {};

TEST_P(CombinedLoad, ReportsOnceOnMainWithEmptyListsForBannerAndPopupFaults) {
  const CombinedCase& combined = GetParam();
  config_->setEnablePopupBannerExtension(combined.extension);
  if (combined.adFault) listServer().setFault(mock::Route::adList, *combined.adFault);
  if (combined.bannerFault) listServer().setFault(mock::Route::banners, *combined.bannerFault);
  if (combined.popupFault) listServer().setFault(mock::Route::popups, *combined.popupFault);
  struct Outcome {
    std::optional<Error> error;
    std::size_t ads = 0, banners = 0, popups = 0;
  };
  auto captured = std::make_shared<Captured<Outcome>>();
  repository_->getAdsWithBannersAndPopups(
      "ad_list",
      [captured](AdArray ads, std::vector<Tab>, std::vector<Banner> banners, std::vector<Popup> popups) {
        captured->add(Outcome{std::nullopt, ads.size(), banners.size(), popups.size()});
      },
      [captured](Error error) { captured->add(Outcome{std::move(error)}); });
  ASSERT_TRUE(captured->waitFor(1));
  EXPECT_TRUE(captured->firstOnMain());
  const Outcome outcome = captured->first();
  EXPECT_EQ(!outcome.error, combined.succeeds);
  if (combined.succeeds) {
    EXPECT_GT(outcome.ads, 0u);
    EXPECT_EQ(outcome.banners, combined.banners);
    EXPECT_EQ(outcome.popups, combined.popups);
  }
  // The transfer may retry a request whose reused connection dropped, so only whether the promotion
  // routes were asked counts.
  EXPECT_EQ(requests(mock::Route::banners) > 0, combined.extension);
  EXPECT_EQ(requests(mock::Route::popups) > 0, combined.extension);
}

const std::size_t kFixtureBanners = 6;
const std::size_t kFixturePopups = 5;

INSTANTIATE_TEST_SUITE_P(
    Faults, CombinedLoad,
    ::testing::Values(
        CombinedCase{"extension_off", false, {}, {}, {}, true, 0, 0},
        CombinedCase{"extension_on", true, {}, {}, {}, true, kFixtureBanners, kFixturePopups},
        CombinedCase{"banner_truncated", true, {}, mock::Fault{}.truncatedJson(), {}, true, 0, kFixturePopups},
        CombinedCase{"popup_dropped", true, {}, {}, mock::Fault{}.dropConnection().sticky(), true, kFixtureBanners, 0},
        CombinedCase{"ads_dropped", true, mock::Fault{}.dropConnection().sticky(), {}, {}, false, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// The core's loaders call the repository on their own queues while the main thread stores answers,
// clears the cache and raises the flags.
TEST_F(AdRepositoryTest, LoadsOnOtherQueuesWhileMainWritesEachAnswerOnce) {
  serveAds(scope_.servers(), {adJson(1), adJson(2), adJson(3)});
  ASSERT_TRUE(load());
  constexpr int kLoads = 60;
  std::atomic<int> answered{0};
  auto queue = dispatch::Queue::concurrent("test.loaders");
  for (int i = 0; i < kLoads; ++i) {
    queue->async([this, &answered] {
      repository_->getAds("native_ad", [&answered](AdArray, std::vector<Tab>) { ++answered; },
                          [&answered](Error) { ++answered; });
      repository_->getPlacements([&answered](std::vector<Placement>) { ++answered; }, [&answered](Error) { ++answered; });
    });
  }
  for (int i = 0; i < 20; ++i) {
    repository_->setCacheIsDirty(i % 2 == 0);
    repository_->setPlacementCacheIsDirty(i % 3 == 0);
    if (i % 5 == 0) repository_->localDataSource()->clear();
    ASSERT_TRUE(load());
  }
  EXPECT_TRUE(dispatch::main_loop::runUntil([&] { return answered.load() == 2 * kLoads; }, 20s));
}

}  // namespace
}  // namespace velkor::testing
