// The facade's entries into the offerwall's screens: they forward to the core's one presentation
// routine.
#include "velkor/core/dependency_container.h"
#include "velkor/core/velkor.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {

void Velkor::presentOfferwall(std::shared_ptr<ui::ViewController> from) {
  presentOfferwall(std::move(from), std::nullopt, false, std::nullopt, std::nullopt, true, {});
}

void Velkor::presentOfferwall(std::shared_ptr<ui::ViewController> from, std::optional<std::int64_t> adId,
                              bool keepParent) {
  presentOfferwall(std::move(from), adId, keepParent, std::nullopt, std::nullopt, true, {});
}

void Velkor::presentOfferwall(std::shared_ptr<ui::ViewController> from, std::optional<std::string> tabSlug,
                              std::optional<std::string> tagSlug) {
  presentOfferwall(std::move(from), std::nullopt, false, std::move(tabSlug), std::move(tagSlug), true, {});
}

void Velkor::presentOfferwall(std::shared_ptr<ui::ViewController> from, std::optional<std::int64_t> adId,
                              bool keepParent, std::optional<std::string> tabSlug, std::optional<std::string> tagSlug,
                              bool animated, std::function<void()> completion) {
  internalShared_.presentOfferwall(std::move(from), adId, keepParent, std::move(tabSlug), std::move(tagSlug),
                                   animated, std::move(completion));
}

void Velkor::dismissOfferwall(bool animated, std::function<void(bool)> completion) {
  internalShared_.dismissOfferwall(animated, std::move(completion));
}

void Velkor::showHelp(std::shared_ptr<ui::ViewController> from) { internalShared_.showHelp(std::move(from)); }

ScreenOf<OfwListPagerView> Velkor::makeOfwListLayoutView() {
  return DependencyContainer().makeOfferwallListViewController();
}

void Velkor::registerNativeAd(std::shared_ptr<NativeAd> ad, std::shared_ptr<ui::View> view) {
  internalShared_.registerNativeAd(std::move(ad), std::move(view));
}

}  // namespace velkor
