// The facade's members for a host's own layouts, on the core's own queues and repository, and the
// steps the move to the background takes for them.
#include <gtest/gtest.h>

#include <set>

#include "platform/ui/application.h"
#include "tests/velkor/core/host_ads_test_support.h"
#include "velkor/core/velkor.h"
#include "velkor/core/velkor_internal.h"

namespace velkor::testing {
namespace {

using namespace std::chrono_literals;
using Json = nlohmann::json;

class VelkorHostAds : public ::testing::Test {
 protected:
  VelkorHostAds() {
    // The core's repository and impression table outlive a test: start from the server and an empty table.
    const auto& repository = VelkorInternal::shared().repository();
    repository->setCacheIsDirty(true);
    repository->setPlacementCacheIsDirty(true);
    NativeAdImpressions::shared()->takeVisibleItems();
    InventoryGroups::shared()->clear();
  }
  ~VelkorHostAds() override { RewardType::setItems({}); }
  NetworkScope network_;
  Velkor& sdk_ = Velkor::shared();
};

TEST_F(VelkorHostAds, GoingToTheBackgroundSendsTheImpressionsAndForgetsTheGroups) {
  const auto inGroup = RequestOptions(RequestOptions::WithGroup{}, std::nullopt, "slot", "home", false);
  auto load = [&] {
    return answerOf([&](auto r) { sdk_.loadPlacementAds("home_top", 2, inGroup, adsTo(r), errorTo(r)); });
  };
  EXPECT_EQ(load(), "1001,1002");
  EXPECT_EQ(load(), "1003");
  ui::Application::shared().enterBackground();
  ASSERT_TRUE(network_.log().waitFor(mock::Route::impression, 1, 10s));
  const auto ads = network_.log().entries(mock::Route::impression)[0].json()["ads"];
  EXPECT_EQ(std::multiset<Json>(ads.begin(), ads.end()),
            (std::multiset<Json>{{{"id", "1001"}, {"inventory", "slot"}},
                                 {{"id", "1002"}, {"inventory", "slot"}},
                                 {{"id", "1003"}, {"inventory", "slot"}}}));
  EXPECT_TRUE(VelkorInternal::shared().repository()->placementCacheIsDirty());
  EXPECT_EQ(load(), "1001,1002");
  // Nothing handed out since: the next move to the background sends nothing.
  NativeAdImpressions::shared()->takeVisibleItems();
  ui::Application::shared().enterBackground();
  dispatch::main_loop::runUntil([] { return false; }, 300ms);
  EXPECT_EQ(network_.log().count(mock::Route::impression), 1u);
}

}  // namespace
}  // namespace velkor::testing
