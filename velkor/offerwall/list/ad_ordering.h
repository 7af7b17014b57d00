// How a list page orders and filters its ads and banners: the sort orders of the sort-order sheet,
// the three-group arrangement the pager shares, the tag filter, the rule that keeps some ads off the
// one listing that shows everything, and the banners linked to the ads of their campaign. Every sort
// is stable, so equal keys keep the order the ads came in (the cache's: priority, then completion).
#pragma once

#include <vector>

#include "velkor/model/ad.h"
#include "velkor/model/banner.h"
#include "velkor/model/tag.h"

namespace velkor {

// Whether `a` must stand before `b`; false both ways for equal keys.
using AdComparator = bool (*)(const Ad& a, const Ad& b);

// The comparator of a sort order; a value that names no order sorts as recommend.
AdComparator comparatorFor(Ad::SortType order);

// Three groups, each sorted by `comesBefore`: open ads whose call to action is enabled, other open
// ads, completed ads. An ad without the call-to-action flag counts as disabled.
std::vector<Ad> arrangeAds(const std::vector<Ad>& ads, AdComparator comesBefore);

// True for the tag "all", else when the ad carries the tag's id.
bool matchesTag(const Ad& ad, const Tag& tag);

// Drops the ads barred from the listing that shows everything.
void dropHiddenFromAllListing(std::vector<Ad>& ads);

// The banners this page shows: one without a campaign as it is; one with a campaign linked to the
// first of `ads` (the tab's ads in cache order) of that campaign and kept only while that ad's call
// to action is enabled. Ordered by priority, highest first.
std::vector<Banner> visibleBanners(const std::vector<Banner>& banners, const std::vector<Ad>& ads);

// Banners, popups or ads by priority, highest first, equal priorities in the order given.
template <class Promotion>
void sortByPriority(std::vector<Promotion>& items);

}  // namespace velkor
