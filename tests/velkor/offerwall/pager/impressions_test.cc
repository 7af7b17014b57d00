#include <gtest/gtest.h>

#include "tests/velkor/offerwall/pager/pager_test_support.h"

namespace velkor::testing {
namespace {

Ad adWithId(std::int64_t id) {
  Ad ad;
  ad.id = id;
  return ad;
}

std::multiset<std::string> sentEntries(const mock::RequestLog& log) {
  std::multiset<std::string> entries;
  for (const auto& request : log.entries(mock::Route::impression)) {
    const auto body = request.json();
    for (const auto& ad : body["ads"]) {
      entries.insert(ad["tab_slug"].get<std::string>() + "/" + ad["tag_slug"].get<std::string>() + "/" +
                     ad["id"].get<std::string>());
    }
  }
  return entries;
}

class ImpressionsTest : public ::testing::Test {
 protected:
  AdServerScope network_;
  std::shared_ptr<RecordingPagerView> view_ = makeRecordingPager();
};

// One entry per tab, tag and ad; a send posts them once and forgets them, and an empty record
// posts nothing.
TEST_F(ImpressionsTest, OneEntryPerTabTagAndAd) {
  auto presenter = view_->impl();
  presenter->impression(adWithId(7), "all", "all");
  presenter->impression(adWithId(7), "all", "all");
  presenter->impression(adWithId(7), "all", "easy");
  presenter->impression(adWithId(7), "action", "all");
  presenter->impression(adWithId(8), "all", "all");
  EXPECT_TRUE(presenter->visibleItems().contains("tab_slug:all;tag_slug:easy;id:7"));
  presenter->sendImpression();
  EXPECT_TRUE(presenter->visibleItems().empty());
  ASSERT_TRUE(network_.log().waitFor(mock::Route::impression, 1, 10s));
  EXPECT_EQ(sentEntries(network_.log()),
            (std::multiset<std::string>{"all/all/7", "all/easy/7", "action/all/7", "all/all/8"}));
  EXPECT_TRUE(network_.log().entries(mock::Route::impression).front().json().contains("request_id"));

  presenter->sendImpression();
  presenter->impression(adWithId(7), "all", "all");  // seen again after a send: sent again
  presenter->sendImpression();
  ASSERT_TRUE(network_.log().waitFor(mock::Route::impression, 2, 10s));
  dispatch::main_loop::runUntil([] { return false; }, 200ms);
  EXPECT_EQ(network_.log().count(mock::Route::impression), 2u);
}

// A failed post loses its entries: the next send carries only what came after.
TEST_F(ImpressionsTest, FailedPostIsNotRetried) {
  network_.logicServer().setFault(mock::Route::impression, mock::Fault{}.withStatus(500));
  auto presenter = view_->impl();
  presenter->impression(adWithId(1), "all", "all");
  presenter->sendImpression();
  ASSERT_TRUE(network_.log().waitFor(mock::Route::impression, 1, 10s));
  presenter->impression(adWithId(2), "all", "all");
  presenter->sendImpression();
  ASSERT_TRUE(network_.log().waitFor(mock::Route::impression, 2, 10s));
  EXPECT_EQ(network_.log().entries(mock::Route::impression).back().json()["ads"].size(), 1u);
  EXPECT_EQ(network_.log().entries(mock::Route::impression).back().json()["ads"][0]["id"], "2");
}

}  // namespace
}  // namespace velkor::testing
