// What the tests of native and placement loading share: the local ad servers behind every stage, a
// manual clock at the real time (the servers date their answers by it), loaders of their own over a
// fresh repository, and answers written as short texts ("1001,1002 (1/3)", "error: ...").
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/dispatch/clock.h"
#include "tests/velkor/network/network_test_support.h"
#include "velkor/core/native_ad_loader.h"
#include "velkor/core/placement_ad_loader.h"
#include "velkor/model/reward_type.h"
#include "velkor/network/ad_repository.h"

namespace velkor::testing {

// The ids, in order, and the page when there is one.
inline std::string summary(const NativeAds& ads, std::optional<PageInfo> page = std::nullopt) {
  std::string text;
  for (const auto& ad : ads) text += (text.empty() ? "" : ",") + std::to_string(ad->id());
  if (page) text += " (" + std::to_string(page->currentPage) + "/" + std::to_string(page->totalPage) + ")";
  return text;
}

using RecorderPtr = std::shared_ptr<Recorder>;
inline OnNativeAds adsTo(const RecorderPtr& r) { return [r](NativeAds ads) { r->success(summary(ads)); }; }
inline OnNativeAdPage pageTo(const RecorderPtr& r) {
  return [r](NativeAds ads, PageInfo page) { r->success(summary(ads, page)); };
}
inline OnError errorTo(const RecorderPtr& r) { return [r](Error error) { r->failure(std::move(error)); }; }

// "error: <description>" for a failure ("error: VelKOR error 0" without a message), the summary
// for a success.
inline std::string text(const Call& call) {
  return call.error ? "error: " + call.error->description() : call.body;
}

// The one answer of a load, after the main loop ran until it came (always on the main thread).
inline std::string answerOf(const std::function<void(std::shared_ptr<Recorder>)>& load) {
  auto recorder = std::make_shared<Recorder>();
  load(recorder);
  EXPECT_TRUE(recorder->waitFor(1)) << "answers: " << recorder->count();
  const auto calls = recorder->calls();
  if (calls.empty()) return "no answer";
  EXPECT_TRUE(calls[0].onMainThread);
  return text(calls[0]);
}

class HostAdsTest : public ::testing::Test {
 protected:
  ~HostAdsTest() override { RewardType::setItems({}); }
  mock::MockServer& listServer() { return network_.servers().server(mock::kLogicList); }
  mock::RequestLog& log() { return network_.log(); }
 public:
  // Loaders of this test over its repository (or another source): one queue and one semaphore each.
  NativeAdLoader nativeLoaderFor(std::shared_ptr<AdDataSource> source) const {
    return {std::move(source), nativeQueue_, nativeSemaphore_, impressions_};
  }
  PlacementAdLoader placementLoaderFor(std::shared_ptr<AdDataSource> source) const {
    return {std::move(source), placementQueue_, placementSemaphore_, impressions_, groups_};
  }
  NativeAdLoader nativeLoader() const { return nativeLoaderFor(repository_); }
  PlacementAdLoader placementLoader() const { return placementLoaderFor(repository_); }
 protected:
  NetworkScope network_;
  dispatch::ScopedManualClock clock_{dispatch::SystemClock().wallSeconds()};
  std::shared_ptr<AdRepository> repository_ = std::make_shared<AdRepository>(nullptr, nullptr);
  std::shared_ptr<NativeAdImpressions> impressions_ = std::make_shared<NativeAdImpressions>();
  std::shared_ptr<InventoryGroups> groups_ = std::make_shared<InventoryGroups>();
  std::shared_ptr<dispatch::Queue> nativeQueue_ = dispatch::Queue::serial("test.native");
  std::shared_ptr<dispatch::Queue> placementQueue_ = dispatch::Queue::concurrent("test.placement");
  dispatch::Semaphore nativeSemaphore_{1};
  dispatch::Semaphore placementSemaphore_{1};
};

}  // namespace velkor::testing
