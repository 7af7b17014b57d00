#include <gtest/gtest.h>

#include "platform/render/snapshot.h"
#include "tests/platform/render/snapshot_testing.h"
#include "tests/velkor/offerwall/rows/rows_testing.h"
#include "velkor/offerwall/rows/ofw_cta_feed_item_cell.h"
#include "velkor/offerwall/rows/ofw_feed_item_cell.h"
#include "velkor/offerwall/rows/ofw_list_item_cell.h"

namespace velkor::testing {
namespace {

class RowSnapshotTest : public ScreenTest {};

// A new ad waiting for its next participation, as each style shows it.
Ad waitingAd() {
  return makeAd([](Ad& ad) {
    ad.newBadge = 1;
    ad.callToActionEnabled = false;
    ad.callToAction = "다음 참여까지\n{NEXT_PARTICIPATE_TIME}";
    ad.setNextParticipateAt(kNow + 3725);
  });
}

TEST_F(RowSnapshotTest, ARowOfEachStyleMatchesTheReference) {
  auto compact = showRows<OfwListItemCell>({waitingAd(), makeAd()}, 375, 80);
  auto feed = showRows<OfwFeedItemCell>({makeAd([](Ad& ad) { ad.newBadge = 1; })});
  auto cta = showRows<OfwCtaFeedItemCell>({waitingAd()});
  render::testing::expectMatchesReference(render::snapshot(*compact->cell(0), 1), "row_compact_waiting");
  render::testing::expectMatchesReference(render::snapshot(*compact->cell(1), 1), "row_compact");
  render::testing::expectMatchesReference(render::snapshot(*feed->cell(0), 1), "row_feed");
  render::testing::expectMatchesReference(render::snapshot(*cta->cell(0), 1), "row_call_to_action");
}

}  // namespace
}  // namespace velkor::testing
