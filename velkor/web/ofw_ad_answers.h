// How an offerwall web page's ad requests are answered: which ads are selectable, which of them a
// "loadAds" page or a placement gets, in which order, and the JSON text the page receives. The
// bridge (velkor_ofw_js_interface.h) fetches the lists and sends the answers; everything here is
// plain work on lists, callable from any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "velkor/model/ad.h"
#include "velkor/model/tab.h"

namespace velkor {

// The most ads one answer may ask for: a page asking for more gets this many.
inline constexpr std::int64_t kMaxAnswerSize = 1000;

// Not completed, its call to action enabled (an absent flag does not count as enabled), shown to
// everyone, or to testers when the core is set as one, and not filtered out for this user.
bool isSelectable(const Ad& ad);
// The selectable ads of a list (a vector or a shared ad array), in order.
template <class Ads>
std::vector<Ad> selectableAds(const Ads& ads) {
  std::vector<Ad> selectable;
  for (const Ad& ad : ads) {
    if (isSelectable(ad)) selectable.push_back(ad);
  }
  return selectable;
}

// The ads whose id no ad of `usedAds` has, in order.
std::vector<Ad> excludingUsedAds(const std::vector<Ad>& ads, const std::vector<Ad>& usedAds);

// The ids of the tags the options' "tags" (an array of texts) name; none when it is absent, not
// an array, holds a value that is no text, or names no known tag.
std::set<std::int64_t> requestedTagIds(const nlohmann::json& options, const std::vector<Tab>& tabs);

// A requested size in 0...kMaxAnswerSize: below 0 counts as 0, above the cap as the cap (logged).
std::size_t boundedSize(std::int64_t size);

// A "loadAds" answer from the selectable ads of a list (copying only the ads answered). Unpaginated: the first `size`
// tag-filtered ads, short lists topped up from the start of the selectable ads before the tag filter (an ad may come
// twice). Paginated: page `page` (from 1; 0 or below gives the first page's start) of pages of `size` tag-filtered
// ads, empty past the end.
std::vector<Ad> loadAdsAnswer(const std::vector<Ad>& ads, const std::set<std::int64_t>& tagIds, bool notPaginated,
                              std::int64_t size, std::int64_t page);

// A placement's answer: its selectable ads not in `usedAds`, highest priority first, at most `size`.
std::vector<Ad> placementAnswer(const std::vector<Ad>& placementAds, const std::vector<Ad>& usedAds,
                                std::size_t size);
// What tops a short placement answer up: at most `wanted` of the general list's selectable ads, in
// its order, whose ids neither `usedAds` nor an ad picked before hold.
std::vector<Ad> autofill(const std::vector<Ad>& selectableGeneralAds, const std::vector<Ad>& usedAds,
                         std::size_t wanted);

// One ad as a page sees it: "id", "title", "subtitle" ("" without one), "thumb_image",
// "icon_image" (".webp" read as ".jpg"; absent without an icon), "reward" and, when the options'
// "inventory" is text, "inventory".
nlohmann::json adDictionary(const Ad& ad, const nlohmann::json& options);
// The answer's JSON text; each ad is also recorded as seen under the options' "inventory", for the
// impressions. "[]" when the list cannot be written as JSON (a text that is no UTF-8).
std::string answerText(const std::vector<Ad>& ads, const nlohmann::json& options);

}  // namespace velkor
