#include "velkor/offerwall/list/ad_ordering.h"

#include <algorithm>
#include <iterator>

#include "velkor/model/popup.h"

namespace velkor {
namespace {

bool byPriority(const Ad& a, const Ad& b) { return b.priority < a.priority; }
bool byStart(const Ad& a, const Ad& b) { return b.startAt() < a.startAt(); }
bool byRewardDescending(const Ad& a, const Ad& b) { return b.reward < a.reward; }
bool byRewardAscending(const Ad& a, const Ad& b) { return a.reward < b.reward; }

// Indexed by the sort order's raw value.
constexpr AdComparator kComparators[] = {byPriority, byStart, byRewardDescending, byRewardAscending};

// The ads of one group in their incoming order, sorted stably.
template <class Keep>
void appendGroup(std::vector<Ad>& out, const std::vector<Ad>& ads, Keep keep, AdComparator comesBefore) {
  const auto start = static_cast<std::ptrdiff_t>(out.size());
  std::copy_if(ads.begin(), ads.end(), std::back_inserter(out), keep);
  std::stable_sort(out.begin() + start, out.end(), comesBefore);
}

}  // namespace

AdComparator comparatorFor(Ad::SortType order) {
  const auto raw = static_cast<std::int64_t>(order);
  if (raw < 0 || raw >= static_cast<std::int64_t>(std::size(kComparators))) return byPriority;
  return kComparators[raw];
}

std::vector<Ad> arrangeAds(const std::vector<Ad>& ads, AdComparator comesBefore) {
  std::vector<Ad> arranged;
  arranged.reserve(ads.size());
  appendGroup(arranged, ads, [](const Ad& ad) { return !ad.isCompleted() && ad.isCallToActionEnabled(); }, comesBefore);
  appendGroup(arranged, ads, [](const Ad& ad) { return !ad.isCompleted() && !ad.isCallToActionEnabled(); }, comesBefore);
  appendGroup(arranged, ads, [](const Ad& ad) { return ad.isCompleted(); }, comesBefore);
  return arranged;
}

bool matchesTag(const Ad& ad, const Tag& tag) {
  if (tag.slug == "all") return true;
  return std::find(ad.tagIds.begin(), ad.tagIds.end(), tag.id) != ad.tagIds.end();
}

void dropHiddenFromAllListing(std::vector<Ad>& ads) {
  std::erase_if(ads, [](const Ad& ad) { return !ad.showOnAllTab(); });
}

std::vector<Banner> visibleBanners(const std::vector<Banner>& banners, const std::vector<Ad>& ads) {
  std::vector<Banner> shown;
  for (const Banner& banner : banners) {
    Banner linked = banner;
    if (linked.campaignId) {
      auto related = std::find_if(ads.begin(), ads.end(),
                                  [&banner](const Ad& ad) { return ad.campaignId == *banner.campaignId; });
      linked.relatedAd = related == ads.end() ? std::nullopt : std::optional<Ad>(*related);
    }
    if (linked.isVisible()) shown.push_back(std::move(linked));
  }
  sortByPriority(shown);
  return shown;
}

template <class Promotion>
void sortByPriority(std::vector<Promotion>& items) {
  std::stable_sort(items.begin(), items.end(),
                   [](const Promotion& a, const Promotion& b) { return b.priority < a.priority; });
}

template void sortByPriority(std::vector<Banner>&);
template void sortByPriority(std::vector<Popup>&);
template void sortByPriority(std::vector<Ad>&);

}  // namespace velkor
