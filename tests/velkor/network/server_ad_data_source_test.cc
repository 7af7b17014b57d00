// The server ad data source against the local ad servers: what the ad list's response headers do to
// the cache expiry, the tooltip stamp and the server clock, restricted mode, and a failed tag fetch.
#include "velkor/network/cs_server_ad_data_source.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/base/bundle.h"
#include "platform/dispatch/clock.h"
#include "tests/velkor/network/ad_source_test_support.h"
#include "tests/velkor/network/network_test_support.h"

namespace velkor::testing {
namespace {

using Key = PreferenceManager::Key;

class ServerAdDataSourceTest : public ::testing::Test {
 protected:
  void answerAdListWith(mock::Fault fault) {
    scope_.servers().server(mock::kLogicList).setFault(mock::Route::adList, fault);
  }
  std::optional<AdsAnswer> load() { return loadAds(*source_); }
  std::shared_ptr<base::Defaults> defaults() const { return base::Defaults::standard(); }
  NetworkScope scope_;
  dispatch::ScopedManualClock clock_{kNow};
  std::shared_ptr<CSServerAdDataSource> source_ = std::make_shared<CSServerAdDataSource>();
};

struct HeaderCase {
  const char* name;
  std::vector<std::pair<std::string, std::optional<std::string>>> headers;
  double expireAt;
  double toolTipExpiredAt;
  double serverTimeGap;
};
std::ostream& operator<<(std::ostream& out, const HeaderCase& c) {
  return out << c.name;
}

class ResponseHeaders : public ServerAdDataSourceTest, public ::testing::WithParamInterface<HeaderCase> {};

// Before each case: a tooltip stamp of 77 and a gap of 12.5 are stored.
TEST_P(ResponseHeaders, SteerExpiryTooltipAndServerClock) {
  const HeaderCase& header = GetParam();
  defaults()->setDouble(key(Key::toolTipExpiredAt), 77);
  defaults()->setDouble(key(Key::serverTimeGap), 12.5);
  mock::Fault fault;
  for (const auto& [name, value] : header.headers) fault = value ? fault.withHeader(name, *value) : fault.withoutHeader(name);
  answerAdListWith(fault);
  auto answer = load();
  ASSERT_TRUE(answer);
  EXPECT_FALSE(answer->error);
  EXPECT_EQ(source_->expireAt(), header.expireAt);
  EXPECT_EQ(defaults()->doubleValue(key(Key::toolTipExpiredAt)), header.toolTipExpiredAt);
  EXPECT_EQ(defaults()->doubleValue(key(Key::serverTimeGap)), header.serverTimeGap);
}

INSTANTIATE_TEST_SUITE_P(
    AdList, ResponseHeaders,
    ::testing::Values(
        HeaderCase{"dates",
                   {{"X-Expired-At", "2024-05-01T12:00:00+0900"},
                    {"X-Tooltip-Expired-At", serverDate(3600)},
                    {"X-Server-Time", serverDate(30)}},
                   1714532400, kNow + 3600, 30},
        // An expiry or tooltip stamp that cannot be read counts as long past; a server clock that
        // cannot be read tells nothing, so the stored gap stays.
        HeaderCase{"unreadable_dates",
                   {{"X-Expired-At", "soon"}, {"X-Tooltip-Expired-At", "2024-05-01"}, {"X-Server-Time", "later"}},
                   0, 0, 12.5},
        HeaderCase{"absent",
                   {{"X-Expired-At", std::nullopt}, {"X-Tooltip-Expired-At", std::nullopt}, {"X-Server-Time", std::nullopt}},
                   0, 77, 12.5}),
    [](const auto& info) { return std::string(info.param.name); });

// The fixture list's ads that restricted mode drops (the server's README says why for each).
const std::set<std::int64_t> kDroppedInRestrictedMode = {1002, 1007, 1401, 1402, 1403, 1404, 1405, 1406,
                                                         1407, 1408, 1410, 1411, 1412, 1414, 1415};

TEST_F(ServerAdDataSourceTest, RestrictedModeShowsOneTabAndOnlyDetailPageAdsUntilTheHeaderSaysOtherwise) {
  base::Bundle::main().setInfoDictionary({{"CFBundleShortVersionString", "2.0"}});
  answerAdListWith(mock::Fault{}.withHeader("X-Verified-App-Ver", "1.0"));
  std::vector<std::int64_t> expected;
  for (const auto& ad : fixtures().adList()["ads"]) {
    if (!kDroppedInRestrictedMode.contains(ad["id"].get<std::int64_t>())) expected.push_back(ad["id"]);
  }
  auto restricted = load();
  // A later list without the header is filtered the same way.
  answerAdListWith(mock::Fault{}.withoutHeader("X-Verified-App-Ver"));
  auto stillRestricted = load();
  answerAdListWith(mock::Fault{}.withHeader("X-Verified-App-Ver", "2.0"));
  auto open = load();
  // A tester sees everything, however new the app.
  VelkorInternal::shared().setIsTester(true);
  answerAdListWith(mock::Fault{}.withHeader("X-Verified-App-Ver", "1.0"));
  auto tester = load();
  for (const auto* answer : {&restricted, &stillRestricted}) {
    ASSERT_TRUE(*answer);
    EXPECT_EQ((*answer)->ids(), expected);
    EXPECT_EQ((*answer)->tabs, std::vector<Tab>{CSServerAdDataSource::allTab()});
  }
  for (const auto* answer : {&open, &tester}) {
    ASSERT_TRUE(*answer);
    EXPECT_EQ((*answer)->ads.size(), fixtures().adList()["ads"].size());
    EXPECT_EQ((*answer)->tabs.size(), fixtures().adList()["tabs"].size());
  }
  EXPECT_FALSE(source_->isRestrictedMode());
}

TEST_F(ServerAdDataSourceTest, AFailedCatalogueFetchKeepsTheStoredOne) {
  defaults()->setString(TagList::kLastUpdatedAtKey, "old");
  scope_.servers().server(mock::kLogicList).setFault(mock::Route::tags, mock::Fault{}.truncatedJson());
  ASSERT_TRUE(load());
  ASSERT_TRUE(scope_.log().waitFor(mock::Route::tags, 1, 10s));
  dispatch::main_loop::runUntil([] { return false; }, 100ms);
  EXPECT_EQ(defaults()->string(TagList::kLastUpdatedAtKey), "old");
}

}  // namespace
}  // namespace velkor::testing
