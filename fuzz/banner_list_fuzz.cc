// Banner route bodies: arbitrary bytes into BannerList, then visibility and equality.
#include <cstdint>

#include "fuzz/record_round_trip.h"
#include "velkor/model/banner.h"

namespace {

// Reading back draws a fresh jitter, which only ever raises a priority, by at most 0.001.
bool sameBanners(const velkor::BannerList& a, const velkor::BannerList& b) {
  if (a.banners.size() != b.banners.size()) return false;
  for (std::size_t i = 0; i < a.banners.size(); ++i) {
    velkor::Banner copy = b.banners[i];
    if (copy.priority < a.banners[i].priority || copy.priority > a.banners[i].priority + 0.001f) return false;
    copy.priority = a.banners[i].priority;
    if (!(copy == a.banners[i])) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fuzz::decodeAndRoundTrip<velkor::BannerList>(bytes, sameBanners, [](const velkor::BannerList& list) {
    for (velkor::Banner banner : list.banners) {
      (void)banner.isVisible();
      banner.relatedAd = velkor::Ad{};
      (void)banner.isVisible();
    }
  });
  return 0;
}
