// What sets the ad-list client apart: addresses of its own, and answers on the main queue whoever
// asked. Its routes' requests and faults are in the route table of velkor_api_client_test.cc.
#include "velkor/network/logic_list_api_client.h"

#include <gtest/gtest.h>

#include <thread>

#include "tests/velkor/network/network_test_support.h"

namespace velkor::testing {
namespace {

TEST(LogicListApiClient, KeepsItsOwnAddressesUntilItRebuildsThem) {
  NetworkScope scope;
  TwoStages stages(scope.servers());
  stages.changeStage(1);
  auto recorder = std::make_shared<Recorder>();
  auto banners = [&] { LogicListApiClient::getBannerList([recorder](Result<BannerList>) { recorder->success(); }); };
  auto tags = [&] { VelkorApiClient::getTagList([recorder](auto&&...) { recorder->success(); }, nullptr); };
  banners();
  ASSERT_TRUE(recorder->waitFor(1));

  // The facade rebuilds the other client first: until this one follows, its routes stay.
  stages.changeStage(3, false);
  VelkorApiClient::resetBaseUrl();
  banners();
  tags();
  ASSERT_TRUE(recorder->waitFor(3));
  EXPECT_EQ(stages.first().log().count(mock::Route::banners), 2u);
  EXPECT_EQ(stages.second().log().count(mock::Route::tags), 1u);

  LogicListApiClient::resetBaseUrl();
  banners();
  ASSERT_TRUE(recorder->waitFor(4));
  EXPECT_EQ(stages.second().log().count(mock::Route::banners), 1u);
}

TEST(LogicListApiClient, AnswersOnTheMainQueueWhenAskedFromAnotherThread) {
  NetworkScope scope;
  auto recorder = std::make_shared<Recorder>();
  std::thread([recorder] {
    LogicListApiClient::getPopupList([recorder](Result<PopupList> popups) {
      popups.ok() ? recorder->success(std::to_string(popups->popups.size())) : recorder->failure(popups.error());
    });
  }).join();
  ASSERT_TRUE(recorder->waitFor(1));
  const Call call = recorder->calls().front();
  EXPECT_TRUE(call.onMainThread);
  EXPECT_FALSE(call.error);
  EXPECT_EQ(call.body, "5");
}

}  // namespace
}  // namespace velkor::testing
