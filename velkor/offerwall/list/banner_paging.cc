#include "velkor/offerwall/list/banner_paging.h"

#include "velkor/core/text_replace.h"

namespace velkor {

std::int64_t bannerItemCount(std::int64_t bannerCount) {
  if (bannerCount <= 0) return 0;
  return bannerCount == 1 ? 1 : bannerCount + 1;
}

std::optional<std::int64_t> bannerIndex(std::int64_t item, std::int64_t bannerCount) {
  if (bannerCount <= 0 || item < 0) return std::nullopt;
  return item % bannerCount;
}

std::optional<BannerStep> nextBannerStep(std::int64_t visibleItem, std::optional<std::int64_t> bannerCount) {
  if (!bannerCount || *bannerCount < 2) return std::nullopt;
  if (visibleItem + 1 < *bannerCount + 1) return BannerStep{visibleItem + 1, true};
  if (visibleItem == *bannerCount) return BannerStep{0, false};
  return std::nullopt;
}

std::optional<double> wrappedBannerOffset(double offset, double contentWidth, std::optional<std::int64_t> bannerCount) {
  if (!bannerCount || *bannerCount < 0) return std::nullopt;
  const double page = contentWidth / static_cast<double>(*bannerCount + 1);
  const double end = page * static_cast<double>(*bannerCount);
  if (offset > end) offset -= end;
  else if (offset < 0) offset += end;
  else return std::nullopt;
  return offset;
}

std::string bannerLandingUrl(const Banner& banner) {
  if (!banner.relatedAd) return banner.landingUrl;
  return replacingOccurrences(banner.landingUrl, "{ad_id}", std::to_string(banner.relatedAd->id));
}

}  // namespace velkor
