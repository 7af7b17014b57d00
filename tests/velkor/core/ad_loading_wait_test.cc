// Native and placement loads run one at a time: a load waits at most 10 seconds (on the manual clock)
// for the one before it, and a wait that timed out gives back nothing it did not take.
#include <gtest/gtest.h>

#include <atomic>

#include "tests/velkor/core/host_ads_test_support.h"

namespace velkor::testing {
namespace {

using namespace std::chrono_literals;

// The repository sending every request to the server, counting the requests in flight at once.
class CountingSource : public AdDataSource {
 public:
  explicit CountingSource(std::shared_ptr<AdRepository> repository) : repository_(std::move(repository)) {}
  void getAds(std::string from, OnAds onSuccess, OnError onError) override {
    repository_->setCacheIsDirty(true);
    begin();
    repository_->getAds(std::move(from), ended(std::move(onSuccess)), ended(std::move(onError)));
  }
  void getPlacements(OnPlacements onSuccess, OnError onError) override {
    repository_->setPlacementCacheIsDirty(true);
    begin();
    repository_->getPlacements(ended(std::move(onSuccess)), ended(std::move(onError)));
  }
  int mostAtOnce() const { return mostAtOnce_.load(); }
 private:
  void begin() {
    const int now = ++inFlight_;
    int most = mostAtOnce_.load();
    while (now > most && !mostAtOnce_.compare_exchange_weak(most, now)) continue;
  }
  template <class Callback>
  Callback ended(Callback callback) {
    return [this, callback](auto... args) {
      --inFlight_;
      if (callback) callback(std::move(args)...);
    };
  }
  std::shared_ptr<AdRepository> repository_;
  std::atomic<int> inFlight_{0};
  std::atomic<int> mostAtOnce_{0};
};

struct LoaderCase {
  const char* name;
  mock::Route route;
  std::function<void(const HostAdsTest&, std::shared_ptr<AdDataSource>, std::shared_ptr<Recorder>)> load;
  std::string timeoutAnswer;
};
std::ostream& operator<<(std::ostream& out, const LoaderCase& c) { return out << c.name; }

class AdLoadingWait : public HostAdsTest, public ::testing::WithParamInterface<LoaderCase> {
 protected:
  void load(const std::shared_ptr<Recorder>& recorder) { GetParam().load(*this, source_, recorder); }
  std::shared_ptr<CountingSource> source_ = std::make_shared<CountingSource>(repository_);
};

TEST_P(AdLoadingWait, TimesOutAfterTenSecondsAndThenStillRunsOneLoadAtATime) {
  const auto route = GetParam().route;
  listServer().setFault(route, mock::Fault{}.withDelay(3000ms));
  // Two loads at once: one takes its turn and waits for the slow server, the other waits for the turn.
  // (On the placement loader's concurrent queue either may be first.)
  const std::vector<std::shared_ptr<Recorder>> loads = {std::make_shared<Recorder>(), std::make_shared<Recorder>()};
  for (const auto& recorder : loads) load(recorder);
  ASSERT_TRUE(log().waitFor(route, 1, 5s));
  auto timeouts = [&] {
    int count = 0;
    for (const auto& recorder : loads) {
      for (const auto& call : recorder->calls()) count += text(call) == GetParam().timeoutAnswer;
    }
    return count;
  };
  clock_->advance(dispatch::Seconds(9.5));
  EXPECT_EQ(timeouts(), 0);
  clock_->advance(dispatch::Seconds(0.5));
  EXPECT_TRUE(dispatch::main_loop::runUntil([&] { return timeouts() == 1; }, 5s));
  for (const auto& recorder : loads) {
    ASSERT_TRUE(recorder->waitFor(1));
    EXPECT_TRUE(recorder->calls()[0].onMainThread);
  }
  EXPECT_EQ(timeouts(), 1) << "the other load succeeds";
  EXPECT_EQ(log().count(route), 1u) << "a load that timed out sends nothing";
  // Had the timed-out wait given back a turn it never took, two loads would now run at once.
  listServer().setFault(route, mock::Fault{}.withDelay(200ms).sticky());
  std::vector<std::shared_ptr<Recorder>> later;
  for (int i = 0; i < 3; ++i) {
    later.push_back(std::make_shared<Recorder>());
    load(later.back());
  }
  for (const auto& recorder : later) {
    ASSERT_TRUE(recorder->waitFor(1));
    EXPECT_FALSE(recorder->calls()[0].error) << text(recorder->calls()[0]);
  }
  EXPECT_EQ(source_->mostAtOnce(), 1);
  EXPECT_EQ(log().count(route), 4u);
}

INSTANTIATE_TEST_SUITE_P(
    Loaders, AdLoadingWait,
    ::testing::Values(
        LoaderCase{"Native", mock::Route::adList,
                   [](const HostAdsTest& test, auto source, auto r) {
                     test.nativeLoaderFor(source).loadAds(3, std::nullopt, adsTo(r), errorTo(r));
                   },
                   "error: load ads request timeout"},
        LoaderCase{"Placement", mock::Route::placements,
                   [](const HostAdsTest& test, auto source, auto r) {
                     test.placementLoaderFor(source).loadPlacementAds("home_top", 3, std::nullopt, adsTo(r),
                                                                       errorTo(r));
                   },
                   "error: VelKOR error 0"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velkor::testing
