// The server ad data source against the local ad servers: what the ad list's response headers do to
// the cache expiry, the stored tooltip stamp, the server clock, the tag catalogue and restricted mode,
// and which ads and tabs restricted mode hands on.
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

void setAppVersion(const std::string& version) {
  nlohmann::json info = nlohmann::json::object();
  if (!version.empty()) info["CFBundleShortVersionString"] = version;
  base::Bundle::main().setInfoDictionary(info);
}

class ServerAdDataSourceTest : public ::testing::Test {
 protected:
  // Hands the source an ad-list answer with just these headers, as the client would.
  void handleAnswerWith(net::HeaderFields headers) {
    const net::Response response(*base::Url::parse("http://127.0.0.1/api/ads"), 200, std::move(headers));
    int answers = 0;
    source_->handleAdListResponse(response, AdList{}, [&](AdArray, std::vector<Tab>) { ++answers; });
    EXPECT_EQ(answers, 1);
  }

  void answerAdListWith(mock::Fault fault) { scope_.servers().server(mock::kLogicList).setFault(mock::Route::adList, fault); }
  std::optional<AdsAnswer> load() { return loadAds(*source_); }
  std::shared_ptr<base::Defaults> defaults() const { return base::Defaults::standard(); }
  std::size_t tagRequests() { return scope_.log().count(mock::Route::tags); }

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

  friend void PrintTo(const HeaderCase& test, std::ostream* out) { *out << test.name; }
};

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
        HeaderCase{"names_in_lower_case",
                   {{"x-expired-at", serverDate(5)}, {"x-tooltip-expired-at", serverDate(6)}, {"x-server-time", serverDate(-7)}},
                   kNow + 5, kNow + 6, -7},
        // An expiry or tooltip stamp that cannot be read counts as long past; a server clock that
        // cannot be read tells nothing, so the stored gap stays.
        HeaderCase{"unreadable_dates",
                   {{"X-Expired-At", "soon"}, {"X-Tooltip-Expired-At", "2024-05-01"}, {"X-Server-Time", "later"}},
                   0, 0, 12.5},
        HeaderCase{"absent",
                   {{"X-Expired-At", std::nullopt}, {"X-Tooltip-Expired-At", std::nullopt}, {"X-Server-Time", std::nullopt}},
                   0, 77, 12.5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ServerAdDataSourceTest, WithoutAnyHeaderHandsOnTheServersAdsAndTabsUnchanged) {
  answerAdListWith(mock::Fault{}
                       .withBody(adListBody({adJson(3), adJson(1, {{"ad_action_type_id", 2}}), adJson(2)}))
                       .withoutHeader("X-Expired-At")
                       .withoutHeader("X-Tooltip-Expired-At")
                       .withoutHeader("X-Server-Time")
                       .withoutHeader("X-Tag-Last-Updated-At")
                       .withoutHeader("X-Verified-App-Ver"));

  auto answer = load();

  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->ids(), (std::vector<std::int64_t>{3, 1, 2}));
  ASSERT_EQ(answer->tabs.size(), fixtures().adList()["tabs"].size());
  EXPECT_EQ(answer->tabs[2].slug, "shop");
  EXPECT_EQ(tagRequests(), 0u);
}

TEST_F(ServerAdDataSourceTest, AFailedListReachesOnErrorUnchangedAndTouchesNothing) {
  answerAdListWith(mock::Fault{}.dropConnection());

  auto answer = load();

  ASSERT_TRUE(answer);
  ASSERT_TRUE(answer->error);
  EXPECT_TRUE(answer->error->isTransport());
  EXPECT_EQ(source_->expireAt(), 0);
  EXPECT_FALSE(defaults()->object(key(Key::serverTimeGap)));
}

struct VersionCase {
  const char* name;
  std::string appVersion;
  std::string verifiedVersion;
  bool tester;
  bool restricted;

  friend void PrintTo(const VersionCase& test, std::ostream* out) { *out << test.name; }
};

class RestrictedMode : public ServerAdDataSourceTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(RestrictedMode, IsOnExactlyWhenTheAppIsNewerThanTheVerifiedVersion) {
  const VersionCase& version = GetParam();
  setAppVersion(version.appVersion);
  VelkorInternal::shared().setIsTester(version.tester);

  handleAnswerWith({{"x-verified-app-ver", version.verifiedVersion}});

  EXPECT_EQ(source_->isRestrictedMode(), version.restricted);
}

INSTANTIATE_TEST_SUITE_P(VerifiedVersion, RestrictedMode,
                         ::testing::Values(VersionCase{"newer", "1.2.10", "1.2.9", false, true},
                                           VersionCase{"equal", "1.2.10", "1.2.10", false, false},
                                           VersionCase{"tester", "1.2.10", "1.2.9", true, false},
                                           VersionCase{"empty_verified", "1.2.10", "", false, false},
                                           VersionCase{"no_app_version", "", "1.0", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The fixture list's ads that restricted mode drops (the server's README says why for each).
const std::set<std::int64_t> kDroppedInRestrictedMode = {1002, 1007, 1401, 1402, 1403, 1404, 1405, 1406,
                                                         1407, 1408, 1410, 1411, 1412, 1414, 1415};

TEST_F(ServerAdDataSourceTest, RestrictedModeShowsOneTabAndOnlyDetailPageAdsUntilTheHeaderSaysOtherwise) {
  setAppVersion("2.0");
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

  for (const auto* answer : {&restricted, &stillRestricted}) {
    ASSERT_TRUE(*answer);
    EXPECT_EQ((*answer)->ids(), expected);
    EXPECT_EQ((*answer)->tabs, std::vector<Tab>{CSServerAdDataSource::allTab()});
  }
  ASSERT_TRUE(open);
  EXPECT_EQ(open->ads.size(), fixtures().adList()["ads"].size());
  EXPECT_EQ(open->tabs.size(), fixtures().adList()["tabs"].size());
}

TEST(RestrictedAds, EachPassDropsItsKindOfAd) {
  const std::vector<Tab> tabs = {{"전체", "all", 1, "", {}}, {"쇼핑", "shop", 5, "", {}}, {"앱설치", "install", 6, "", {}}};
  struct Case {
    const char* name;
    std::function<void(Ad&)> change;
    bool kept;
  };
  const std::vector<Case> cases = {
      {"plain_detail_link", [](Ad&) {}, true},
      {"app_action", [](Ad& ad) { ad.adActionTypeId = 2; }, false},
      {"web_action", [](Ad& ad) { ad.adActionTypeId = 1; }, true},
      {"restricted_tab", [](Ad& ad) { ad.tabId = 5; }, false},
      {"other_tab", [](Ad& ad) { ad.tabId = 6; }, true},
      {"tag_2_among_others", [](Ad& ad) { ad.tagIds = {7, 2}; }, false},
      {"settle_type_8", [](Ad& ad) { ad.adSettleTypeId = 8; }, false},
      {"settle_type_3", [](Ad& ad) { ad.adSettleTypeId = 3; }, true},
      {"link_with_query", [](Ad& ad) { ad.viewUrl += "?from=list"; }, false},
      {"link_not_decimal", [](Ad& ad) { ad.viewUrl = "velkor://offerwall/ads/abc"; }, false},
      {"all_tab_link", [](Ad& ad) { ad.viewUrl = "velkor://offerwall/ads?tab_slug=all"; }, false},
      {"upper_case_scheme", [](Ad& ad) { ad.viewUrl = "VELKOR://offerwall/ads/123"; }, false},
      {"web_page", [](Ad& ad) { ad.viewUrl = "https://www.example.com/offer/123"; }, false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    Ad ad;
    ad.id = 123;
    ad.viewUrl = "velkor://offerwall/ads/123";
    test.change(ad);
    EXPECT_EQ(CSServerAdDataSource::restrictedAds({ad}, tabs).size(), test.kept ? 1u : 0u);
  }
}

struct StampCase {
  const char* name;
  std::optional<std::string> stored;
  std::optional<std::string> header;  // none: the list comes without the header
  bool fetches;

  friend void PrintTo(const StampCase& test, std::ostream* out) { *out << test.name; }
};

class TagCatalogue : public ServerAdDataSourceTest, public ::testing::WithParamInterface<StampCase> {};

TEST_P(TagCatalogue, IsFetchedAgainWhenTheListsStampDiffersFromTheStoredOne) {
  const StampCase& stamp = GetParam();
  if (stamp.stored) defaults()->setString(TagList::kLastUpdatedAtKey, *stamp.stored);

  handleAnswerWith(stamp.header ? net::HeaderFields{{"X-Tag-Last-Updated-At", *stamp.header}} : net::HeaderFields{});

  if (!stamp.fetches) {
    EXPECT_FALSE(scope_.log().waitFor(mock::Route::tags, 1, 300ms));
    EXPECT_EQ(defaults()->string(TagList::kLastUpdatedAtKey), stamp.stored);
    return;
  }
  ASSERT_TRUE(dispatch::main_loop::runUntil([] { return !PreferenceManager::shared().getTagList().empty(); }));
  EXPECT_EQ(tagRequests(), 1u);
  EXPECT_EQ(defaults()->string(TagList::kLastUpdatedAtKey), fixtures().tags()["last_updated_at"].get<std::string>());
  EXPECT_EQ(PreferenceManager::shared().getTagList().size(), fixtures().tags()["tags"].size());
}

INSTANTIATE_TEST_SUITE_P(
    Stamps, TagCatalogue,
    ::testing::Values(StampCase{"none_stored_and_an_empty_stamp", std::nullopt, "", false},
                      StampCase{"none_stored", std::nullopt, "2024-03-01T09:00:00+0900", true},
                      StampCase{"an_older_one_stored", "2023-01-01T00:00:00+0900", "2024-03-01T09:00:00+0900", true},
                      StampCase{"the_same_stored", "2024-03-01T09:00:00+0900", "2024-03-01T09:00:00+0900", false},
                      StampCase{"no_header", "2023-01-01T00:00:00+0900", std::nullopt, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ServerAdDataSourceTest, RefreshAsksForTheCatalogueOnlyWithoutAStoredStamp) {
  source_->refreshTagListIfNeeded();
  ASSERT_TRUE(scope_.log().waitFor(mock::Route::tags, 1, 10s));
  ASSERT_TRUE(dispatch::main_loop::runUntil([&] { return defaults()->string(TagList::kLastUpdatedAtKey).has_value(); }));

  source_->refreshTagListIfNeeded();
  EXPECT_FALSE(scope_.log().waitFor(mock::Route::tags, 2, 300ms));

  defaults()->setString(TagList::kLastUpdatedAtKey, "");
  source_->refreshTagListIfNeeded();
  EXPECT_TRUE(scope_.log().waitFor(mock::Route::tags, 2, 10s));
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
