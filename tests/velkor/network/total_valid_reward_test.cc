// The total valid reward: which ads count, the sum over an answer, and when the repository answers
// from the stored total or fetches again.
#include "velkor/network/total_valid_reward.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/dispatch/clock.h"
#include "tests/velkor/network/ad_source_test_support.h"
#include "tests/velkor/network/network_test_support.h"
#include "velkor/network/ad_repository.h"

namespace velkor::testing {
namespace {

using Key = PreferenceManager::Key;

Ad adWith(std::int64_t reward, const std::function<void(Ad&)>& change = [](Ad&) {}) {
  Ad ad;
  ad.reward = reward;
  change(ad);
  return ad;
}

TEST(TotalValidReward, CountsVisibleUncompletedAdsThatAreNeitherCappedNorEnded) {
  ScopedCoreState core;
  FiltersInfo excludesEveryDevice;
  excludesEveryDevice.targetMinOsVer = "99.0";
  struct Case {
    const char* name;
    std::function<void(Ad&)> change;
    bool tester;
    bool counts;
  };
  const std::vector<Case> cases = {
      {"normal", [](Ad&) {}, false, true},
      {"normal_completed", [](Ad& ad) { ad.completed = 1; }, false, false},
      {"normal_time_capped", [](Ad& ad) { ad.adStatusValue = 1; }, false, false},
      {"normal_unknown_status", [](Ad& ad) { ad.adStatusValue = 7; }, false, true},
      {"filtered_out", [&](Ad& ad) { ad.filter = excludesEveryDevice; }, false, false},
      {"test_only_for_a_tester", [](Ad& ad) { ad.showStatus = -1; }, true, true},
      {"unknown_show_status", [](Ad& ad) { ad.showStatus = 2; }, true, false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    VelkorInternal::shared().setIsTester(test.tester);
    EXPECT_EQ(countsTowardTotalReward(adWith(100, test.change)), test.counts);
  }
}

TEST(TotalValidReward, SumsTheAnswerExactlyAndGivesNoneForWhatCannotBeStored) {
  ScopedCoreState core;
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  const auto completed = [](Ad& ad) { ad.completed = 1; };
  struct Case {
    const char* name;
    std::vector<Ad> ads;
    std::optional<std::int64_t> total;
  };
  const std::vector<Case> cases = {
      {"mixed", {adWith(100), adWith(200, completed), adWith(300, [](Ad& ad) { ad.adStatusValue = 2; })}, 100},
      {"same_id_twice", {adWith(100), adWith(100)}, 200},
      {"empty", {}, 0},
      {"negative", {adWith(-5), adWith(3)}, std::nullopt},
      {"beyond_64_bits", {adWith(kMax), adWith(1)}, std::nullopt},
      {"back_within_64_bits", {adWith(kMax), adWith(5), adWith(-5)}, kMax},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    EXPECT_EQ(totalValidReward(test.ads), test.total);
  }
}

TEST(TotalValidReward, ATotalThatCannotBeStoredKeepsTheStoredOne) {
  ScopedCoreState core;
  base::Defaults::standard()->setInteger(key(Key::totalValidReward), 40);
  storeTotalValidReward({adWith(std::numeric_limits<std::int64_t>::max()), adWith(1)});
  EXPECT_EQ(storedTotalValidReward(), 40);
  storeTotalValidReward({adWith(0)});
  EXPECT_EQ(storedTotalValidReward(), 0);
}

struct StoredCase {
  const char* name;
  std::optional<std::int64_t> stored;
  double expiresIn;  // seconds after the server's time
  bool serverFails;
  bool fetches;
  std::int64_t answer;
};
std::ostream& operator<<(std::ostream& out, const StoredCase& c) {
  return out << c.name;
}

class GetTotalValidReward : public ::testing::TestWithParam<StoredCase> {
 protected:
  NetworkScope scope_;
  dispatch::ScopedManualClock clock_{kNow};
  std::shared_ptr<AdRepository> repository_ =
      std::make_shared<AdRepository>(std::make_shared<MemoryCacheAdDataSource>(), std::make_shared<CSServerAdDataSource>());
};

// The server's answer counts 100 + 250; its clock runs 40 s ahead of the device's.
TEST_P(GetTotalValidReward, AnswersFromTheStoredTotalWhileValidElseFetches) {
  const StoredCase& test = GetParam();
  auto defaults = base::Defaults::standard();
  defaults->setDouble(key(Key::serverTimeGap), 40);
  defaults->setDouble(key(Key::toolTipExpiredAt), kNow + 40 + test.expiresIn);
  if (test.stored) defaults->setInteger(key(Key::totalValidReward), *test.stored);
  auto& list = scope_.servers().server(mock::kLogicList);
  list.setFault(mock::Route::adList, test.serverFails ? mock::Fault{}.dropConnection()
                                                      : mock::Fault{}.withBody(adListBody(
                                                            {adJson(1, {{"reward", 100}}), adJson(2, {{"reward", 250}}),
                                                             adJson(3, {{"reward", 999}, {"completed", 1}})})));
  auto captured = std::make_shared<Captured<std::int64_t>>();
  repository_->getTotalValidReward([captured](std::int64_t total) { captured->add(total); });
  if (test.fetches) { EXPECT_EQ(defaults->integer(key(Key::totalValidReward)), -1); }
  ASSERT_TRUE(captured->waitFor(1));
  EXPECT_EQ(captured->first(), test.answer);
  EXPECT_EQ(defaults->integer(key(Key::totalValidReward)), test.answer);
  const auto requests = scope_.log().entries(mock::Route::adList);
  ASSERT_EQ(requests.size(), test.fetches ? 1u : 0u);
  if (test.fetches) { EXPECT_EQ(requests.front().queryValue("from"), "tooltip"); }
}

INSTANTIATE_TEST_SUITE_P(Stored, GetTotalValidReward,
                         ::testing::Values(StoredCase{"valid", 1200, 60, false, false, 1200},
                                           StoredCase{"expiring_now", 1200, 0, false, false, 1200},
                                           StoredCase{"expired", 1200, -1, false, true, 350},
                                           StoredCase{"none", std::nullopt, 60, false, true, 350},
                                           StoredCase{"server_fails", std::nullopt, 60, true, true, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velkor::testing
