// The arithmetic of the banner carousel. With two or more banners the carousel shows one extra last
// item, a copy of the first, so that paging past the last banner and back before the first runs on
// without end; each item shows the banner at its number modulo the banner count.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "velkor/model/banner.h"

namespace velkor {

// 0 for no banner, 1 for one, n + 1 for n of two or more.
std::int64_t bannerItemCount(std::int64_t bannerCount);

// The banner an item shows; nothing when there is no banner (a stale item of an emptied carousel).
std::optional<std::int64_t> bannerIndex(std::int64_t item, std::int64_t bannerCount);

// Where the auto-scroll step goes from the item in view: the next item, animated, until the copy;
// from the copy, silently back to item 0. Nothing for fewer than two banners.
struct BannerStep {
  std::int64_t item = 0;
  bool animated = false;
  friend bool operator==(const BannerStep&, const BannerStep&) = default;
};
std::optional<BannerStep> nextBannerStep(std::int64_t visibleItem, std::optional<std::int64_t> bannerCount);

// The horizontal offset a swipe continues from once it passes the copy (back to the first banner)
// or goes before the first item (on to the copy); nothing while it stays between.
std::optional<double> wrappedBannerOffset(double offset, double contentWidth, std::optional<std::int64_t> bannerCount);

// The banner's landing link, its "{ad_id}" marks filled with the related ad's id when it has one.
std::string bannerLandingUrl(const Banner& banner);

}  // namespace velkor
