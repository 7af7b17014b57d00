// The public facade: what a stage change rebuilds, initialisation, the server's clock, the tester
// flag and the framework's bundle.
#include "velkor/core/velkor.h"

#include <gtest/gtest.h>

#include "platform/base/defaults.h"
#include "platform/dispatch/clock.h"
#include "platform/ui/nib_registry.h"
#include "tests/velkor/core/facade_test_support.h"
#include "tests/velkor/core/scoped_core_state.h"
#include "velkor/model/ad.h"
#include "velkor/model/server_date.h"
#include "velkor/model/tag_list.h"
#include "velkor/network/logic_list_api_client.h"
#include "velkor/network/tracking_repository.h"
#include "velkor/network/velkor_api_client.h"

namespace velkor::testing {
namespace {

Velkor& facade() { return Velkor::shared(); }

// Sends one ad-list request and waits for its answer.
void requestAdList() {
  bool answered = false;
  VelkorApiClient::getAdList("ad_list", [&](auto, auto) { answered = true; }, [&](Error) { answered = true; });
  ASSERT_TRUE(eventually([&] { return answered; }));
}

// Asks the list client alone for the banners and waits for its answer.
void requestBanners() {
  bool answered = false;
  LogicListApiClient::getBannerList([&](auto) { answered = true; });
  ASSERT_TRUE(eventually([&] { return answered; }));
}

// Starts `staging` as the staging stage's servers; every other stage keeps the scope's.
void serveStagingFrom(mock::MockServerGroup& staging, FacadeScope& scope) {
  ASSERT_TRUE(staging.start()) << staging.error();
  StageTables tables = Constants::everyStage(scope.servers().serverTable());
  tables[static_cast<int>(Stage::stg)] = staging.serverTable();
  ASSERT_TRUE(Constants::setServerTablesForTesting(tables).ok());
}

// Tracks one event and flushes it to the collector tracking is pointed at.
void trackAndFlush(const std::string& name) {
  facade().trackingRepository()->track("ad_list", name, std::nullopt);
  facade().trackingRepository()->flush();
}

TEST(VelkorFacade, AStageChangeMovesEveryRouteAndTrackingEvenToTheSameStage) {
  FacadeScope scope;
  mock::MockServerGroup staging;
  ASSERT_NO_FATAL_FAILURE(serveStagingFrom(staging, scope));
  facade().setServer(Stage::stg);
  EXPECT_EQ(facade().stage(), Stage::stg);
  requestAdList();
  requestBanners();
  trackAndFlush("on_staging");
  ASSERT_TRUE(staging.log().waitFor(mock::Route::lumberjack, 1, 10s));
  EXPECT_EQ(staging.log().count(mock::Route::adList), 1u);
  EXPECT_EQ(staging.log().count(mock::Route::banners), 1u);
  // The same stage again, after its table changed: the routes and tracking follow.
  ASSERT_TRUE(Constants::setServerTablesForTesting(Constants::everyStage(scope.servers().serverTable())).ok());
  facade().setServer(Stage::stg);
  requestAdList();
  requestBanners();
  trackAndFlush("back_home");
  ASSERT_TRUE(scope.log().waitFor(mock::Route::lumberjack, 1, 10s));
  EXPECT_EQ(scope.log().count(mock::Route::adList), 1u);
  EXPECT_EQ(scope.log().count(mock::Route::banners), 1u);
  EXPECT_EQ(staging.log().count(mock::Route::adList), 1u);
  EXPECT_EQ(staging.log().count(mock::Route::banners), 1u);
}

// The home collector fails once (so tracking waits), and again while the stage changes: the new
// stage's collector gets the kept events as soon as the buffer is full.
TEST(VelkorFacade, ANewStageDoesNotWaitForTheOldCollector) {
  FacadeScope scope;
  mock::MockServerGroup staging;
  ASSERT_NO_FATAL_FAILURE(serveStagingFrom(staging, scope));
  auto& home = scope.servers().server(mock::kLumberjack);
  home.setFault(mock::Route::lumberjack, mock::Fault{}.withStatus(500));
  home.setFault(mock::Route::lumberjack, mock::Fault{}.withStatus(500).withDelay(500ms));
  trackAndFlush("a");
  ASSERT_TRUE(scope.log().waitFor(mock::Route::lumberjack, 1, 10s));
  ASSERT_TRUE(eventually([] { return !lumberjack::Sender::shared().isUploading(); }));
  trackAndFlush("b");
  ASSERT_TRUE(scope.log().waitFor(mock::Route::lumberjack, 2, 10s));
  facade().setServer(Stage::stg);
  ASSERT_TRUE(eventually([] { return !lumberjack::Sender::shared().isUploading(); }));
  for (int i = 0; i < 48; ++i) facade().trackingRepository()->track("ad_list", "c", std::nullopt);
  ASSERT_TRUE(staging.log().waitFor(mock::Route::lumberjack, 1, 10s));
  const auto events = staging.log().entries(mock::Route::lumberjack).front().json()["events"];
  ASSERT_EQ(events.size(), 50u);
  EXPECT_EQ(events[0]["name"], "a");
  EXPECT_EQ(events[1]["name"], "b");
}

TEST(VelkorFacade, OnlyTheRawValues0To3AreStages) {
  EXPECT_EQ(stageFromRawValue(0), Stage::mock);
  EXPECT_EQ(stageFromRawValue(1), Stage::dev);
  EXPECT_EQ(stageFromRawValue(2), Stage::stg);
  EXPECT_EQ(stageFromRawValue(3), Stage::production);
  for (int outside : {-1, 4, 1000}) EXPECT_EQ(stageFromRawValue(outside), std::nullopt) << outside;
}

TEST(VelkorFacade, InitializeStoresTheAppIdFetchesTheTagsOnceAndTracksInBatchesOf50) {
  FacadeScope scope;
  facade().initialize("app-1");
  ASSERT_TRUE(scope.log().waitFor(mock::Route::tags, 1, 10s));
  EXPECT_EQ(scope.log().entries(mock::Route::tags).front().queryValue("app_id"), "app-1");
  ASSERT_TRUE(eventually([] { return base::Defaults::standard()->string(TagList::kLastUpdatedAtKey).has_value(); }));
  for (int i = 0; i < 50; ++i) facade().trackingRepository()->track("ad_list", "event", std::nullopt);
  ASSERT_TRUE(scope.log().waitFor(mock::Route::lumberjack, 1, 10s));
  EXPECT_EQ(scope.log().entries(mock::Route::lumberjack).front().json()["events"].size(), 50u);
  facade().initialize("app-2");
  EXPECT_EQ(VelkorInternal::shared().appId(), "app-2");
  EXPECT_FALSE(scope.log().waitFor(mock::Route::tags, 2, 300ms));
  EXPECT_EQ(scope.log().count(mock::Route::adList), 0u);
}

TEST(VelkorFacade, ServerTimeIsTheDeviceTimePlusTheGapTheLastAdListTold) {
  FacadeScope scope;
  dispatch::ScopedManualClock clock(1'780'000'000.0);
  EXPECT_EQ(facade().getServerTime(), 1'780'000'000.0);
  base::Defaults::standard()->setDouble("server_time_gap", 12.5);
  EXPECT_EQ(facade().getServerTime(), 1'780'000'012.5);
  scope.servers().server(mock::kLogicList)
      .setFault(mock::Route::adList, mock::Fault{}.withHeader("X-Server-Time", serverDateText(1'780'000'030.0)));
  bool answered = false;
  VelkorInternal::shared().repository()->getAds("ad_list", [&](auto, auto) { answered = true; },
                                                [&](Error) { answered = true; });
  ASSERT_TRUE(eventually([&] { return answered; }));
  EXPECT_EQ(facade().getServerTime(), 1'780'000'030.0);
}

TEST(VelkorFacade, TheTestDeviceFlagIsTheCoresTesterFlag) {
  ScopedCoreState state;
  Ad testOnly;
  testOnly.showStatus = base::rawValue(ShowStatus::testOnly);
  facade().setIsTestDevice(true);
  EXPECT_TRUE(VelkorInternal::shared().isTester());
  EXPECT_TRUE(testOnly.isVisible());
  facade().isTester(false);
  EXPECT_FALSE(facade().isTestDevice());
  EXPECT_FALSE(testOnly.isVisible());
  facade().isTester(true);
  EXPECT_TRUE(facade().isTestDevice());
}

TEST(VelkorFacade, TheBundleIsTheFrameworksWithItsNibs) {
  const ui::NibRegistry& bundle = facade().getBundle();
  EXPECT_EQ(&bundle, &ui::NibRegistry::framework());
  EXPECT_TRUE(bundle.contains("VelkorAlertController"));
}

}  // namespace
}  // namespace velkor::testing
