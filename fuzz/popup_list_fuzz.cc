// Popup route bodies: arbitrary bytes into PopupList, then visibility.
#include <cstdint>

#include "fuzz/record_round_trip.h"
#include "velkor/model/popup.h"

namespace {

// Popups have no equality of their own: compare what is coded. Reading back draws a fresh jitter,
// which only ever raises a priority, by at most 0.001.
bool samePopups(const velkor::PopupList& a, const velkor::PopupList& b) {
  if (a.popups.size() != b.popups.size()) return false;
  for (std::size_t i = 0; i < a.popups.size(); ++i) {
    const velkor::Popup& x = a.popups[i];
    const velkor::Popup& y = b.popups[i];
    if (y.priority < x.priority || y.priority > x.priority + 0.001f) return false;
    if (x.id != y.id || x.buttonText != y.buttonText || x.campaignId != y.campaignId ||
        x.landingUrl != y.landingUrl || x.popupDisplayTypeId != y.popupDisplayTypeId ||
        x.popupImage != y.popupImage || x.popupImageAlt != y.popupImageAlt || x.showStatus != y.showStatus) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fuzz::decodeAndRoundTrip<velkor::PopupList>(bytes, samePopups, [](const velkor::PopupList& list) {
    for (velkor::Popup popup : list.popups) {
      (void)popup.isVisible();
      popup.relatedAd = velkor::Ad{};
      (void)popup.isVisible();
    }
  });
  return 0;
}
