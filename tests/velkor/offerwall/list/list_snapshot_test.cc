#include <gtest/gtest.h>

#include "platform/render/snapshot.h"
#include "tests/platform/render/snapshot_testing.h"
#include "tests/velkor/offerwall/list/list_screen_test_support.h"

namespace velkor::testing {
namespace {

using ListSnapshotTest = ListScreenTest;

// The "all" page with two banners, three chips (the second selected) and compact rows.
TEST_F(ListSnapshotTest, AnAllPageWithBannersChipsAndCompactRows) {
  presenter_->banners = {listBanner(1, 2), listBanner(2, 1, BannerDisplayType::AD_RESOURCE)};
  presenter_->banners[1].relatedAd = listAd(7);
  presenter_->setSelectedTagSlug("easy");
  makePage(ListType::compactList);
  deliver(listAds(8), std::vector<Tag>{listTag(1, "all", "전체"), listTag(3, "easy", "쉬운 적립"),
                                       listTag(4, "new", "신규")});
  render::testing::expectMatchesReference(render::snapshot(*page_->view(), 1), "list_page_all");
}

}  // namespace
}  // namespace velkor::testing
