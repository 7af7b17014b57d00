#include "velkor/core/native_ad_impressions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

#include "tests/velkor/network/network_test_support.h"

namespace velkor {
namespace {

using Json = nlohmann::json;

struct Recording {
  std::optional<std::string> inventory;
  std::int64_t adId;
};

TEST(NativeAdImpressions, KeepsOneRecordPerAdAndInventory) {
  NativeAdImpressions impressions;
  const std::vector<Recording> recordings = {
      {"home", 1001}, {"home", 1001}, {std::nullopt, 1001}, {std::nullopt, 1001},
      // Neither an empty inventory nor the texts of the absent key's form meet the absent one.
      {"", 1001},     {"nil", 1001},  {"home", 1002}};
  for (const auto& r : recordings) impressions.recordVisibleItem(r.inventory, r.adId);
  const auto records = impressions.takeVisibleItems();
  const std::multiset<Json> got(records.begin(), records.end());
  EXPECT_EQ(got, (std::multiset<Json>{Json{{"id", "1001"}, {"inventory", "home"}},
                                      Json{{"id", "1001"}},
                                      Json{{"id", "1001"}, {"inventory", ""}},
                                      Json{{"id", "1001"}, {"inventory", "nil"}},
                                      Json{{"id", "1002"}, {"inventory", "home"}}}));
  EXPECT_TRUE(impressions.takeVisibleItems().empty());
}

TEST(NativeAdImpressions, LosesNoRecordingWhileTheTableIsTaken) {
  NativeAdImpressions impressions;
  constexpr int kThreads = 4;
  constexpr int kPerThread = 500;
  std::atomic<int> running{kThreads};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kPerThread; ++i) impressions.recordVisibleItem("slot" + std::to_string(t), i);
      --running;
    });
  }
  std::set<std::string> taken;
  auto take = [&] {
    for (const auto& record : impressions.takeVisibleItems()) {
      EXPECT_TRUE(taken.insert(record.dump()).second) << "recorded twice: " << record;
    }
  };
  while (running > 0) take();
  for (auto& thread : threads) thread.join();
  take();
  EXPECT_EQ(taken.size(), static_cast<std::size_t>(kThreads * kPerThread));
}

TEST(NativeAdImpressions, SendsTheRecordsOnceAndForgetsThemEvenWhenTheSendFails) {
  testing::NetworkScope scope;
  scope.servers().server(mock::kLogic).setFault(mock::Route::impression, mock::Fault{}.withStatus(500));
  NativeAdImpressions impressions;
  impressions.sendImpressions();
  impressions.recordVisibleItem("home", 1001);
  impressions.recordVisibleItem(std::nullopt, 1002);
  impressions.sendImpressions();
  impressions.sendImpressions();
  ASSERT_TRUE(scope.log().waitFor(mock::Route::impression, 1, std::chrono::seconds(10)));
  dispatch::main_loop::runUntil([] { return false; }, std::chrono::milliseconds(200));
  const auto sent = scope.log().entries(mock::Route::impression);
  ASSERT_EQ(sent.size(), 1u) << "an empty table sends nothing";
  EXPECT_EQ(sent[0].json()["ads"], (Json{{{"id", "1001"}, {"inventory", "home"}}, {{"id", "1002"}}}));
  EXPECT_TRUE(sent[0].json()["request_id"].is_string());
  EXPECT_TRUE(impressions.takeVisibleItems().empty());
}

}  // namespace
}  // namespace velkor
