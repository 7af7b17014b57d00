// What sets the ad-list client apart: answers on the main queue whoever asked. Its routes' requests,
// faults and stage changes are in velkor_api_client_test.cc.
#include "velkor/network/logic_list_api_client.h"

#include <gtest/gtest.h>

#include <thread>

#include "tests/velkor/network/network_test_support.h"

namespace velkor::testing {
namespace {

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
