#include "velkor/network/cs_server_ad_data_source.h"

#include <algorithm>

#include "platform/base/date.h"
#include "platform/base/date_formatter.h"
#include "platform/base/defaults.h"
#include "platform/base/regular_expression.h"
#include "velkor/core/preference_manager.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_parameters.h"
#include "velkor/core/version.h"

namespace velkor {
namespace {

using Key = PreferenceManager::Key;

constexpr std::int64_t kAppActionType = 2;
constexpr std::int64_t kRestrictedTagId = 2;
constexpr std::array<std::int64_t, 3> kRestrictedSettleTypes = {1, 2, 8};
constexpr std::array<std::string_view, 3> kRestrictedTabSlugs = {"shop", "shopping", "point"};

// The header's date as seconds since 1970; none when the text is not one.
std::optional<double> headerDate(const std::string& text) {
  auto date = base::DateFormatter().date(text);
  if (!date) return std::nullopt;
  return date->timeIntervalSince1970();
}

const base::RegularExpression& detailPagePattern() {
  static const auto* pattern = new base::RegularExpression(*base::RegularExpression::make(R"(velkor://offerwall/ads/\d+$)"));
  return *pattern;
}

std::vector<std::int64_t> restrictedTabIds(const std::vector<Tab>& tabs) {
  std::vector<std::int64_t> ids;
  for (const Tab& tab : tabs) {
    if (std::find(kRestrictedTabSlugs.begin(), kRestrictedTabSlugs.end(), tab.slug) != kRestrictedTabSlugs.end()) {
      ids.push_back(tab.id);
    }
  }
  return ids;
}

bool contains(const auto& values, std::int64_t value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

bool passesRestriction(const Ad& ad, const std::vector<std::int64_t>& restrictedTabs) {
  if (ad.adActionTypeId == kAppActionType) return false;
  if (ad.tabId && contains(restrictedTabs, *ad.tabId)) return false;
  if (contains(ad.tagIds, kRestrictedTagId)) return false;
  if (contains(kRestrictedSettleTypes, ad.adSettleTypeId)) return false;
  return detailPagePattern().firstMatch(ad.viewUrl).has_value();
}

std::string storedTagStamp() {
  return base::Defaults::standard()->string(PreferenceManager::keyText(Key::tagListLastUpdatedAt)).value_or("");
}

}  // namespace

Tab CSServerAdDataSource::allTab() {
  return Tab{"전체", "all", kAllTabId, "velkor://offerwall/ads?tab_slug=all", {}};
}

void CSServerAdDataSource::getAds(std::string from, OnAds onSuccess, OnError onError) {
  VelkorApiClient::getAdList(
      std::move(from),
      [self = shared_from_this(), onSuccess = std::move(onSuccess)](std::optional<net::Response> response, AdList list) {
        self->handleAdListResponse(response, std::move(list), onSuccess);
      },
      std::move(onError));
}

void CSServerAdDataSource::getPlacements(OnPlacements onSuccess, OnError onError) {
  VelkorApiClient::getPlacementList(
      [onSuccess = std::move(onSuccess)](PlacementList list) {
        if (onSuccess) onSuccess(std::move(list.placements));
      },
      std::move(onError));
}

void CSServerAdDataSource::handleAdListResponse(const std::optional<net::Response>& response, AdList list,
                                                const OnAds& onSuccess) {
  if (response) applyHeaders(*response);
  if (!onSuccess) return;
  if (!isRestrictedMode()) return onSuccess(std::move(list.ads), std::move(list.tabs));
  onSuccess(restrictedAds(std::move(list.ads), list.tabs), {allTab()});
}

void CSServerAdDataSource::applyHeaders(const net::Response& response) {
  const auto defaults = base::Defaults::standard();
  if (auto expiry = response.value("X-Expired-At")) expireAt_.store(headerDate(*expiry).value_or(0));
  if (auto tooltip = response.value("X-Tooltip-Expired-At")) {
    defaults->setDouble(PreferenceManager::keyText(Key::toolTipExpiredAt), headerDate(*tooltip).value_or(0));
  }
  if (auto serverTime = response.value("X-Server-Time")) {
    // A clock we cannot read tells nothing about the gap, so the stored one stays.
    if (auto seconds = headerDate(*serverTime)) {
      const double gap = *seconds - base::Date::now().timeIntervalSince1970();
      defaults->setDouble(PreferenceManager::keyText(Key::serverTimeGap), gap);
    }
  }
  if (auto stamp = response.value("X-Tag-Last-Updated-At"); stamp && *stamp != storedTagStamp()) fetchTagList();
  if (auto verified = response.value("X-Verified-App-Ver")) applyVerifiedAppVersion(*verified);
}

void CSServerAdDataSource::applyVerifiedAppVersion(const std::string& verified) {
  const bool newerThanVerified = Version(VelkorParameters::appVer()).compare(Version(verified)) > 0;
  isRestrictedMode_.store(newerThanVerified && !VelkorInternal::shared().isTester());
}

void CSServerAdDataSource::refreshTagListIfNeeded() {
  if (storedTagStamp().empty()) fetchTagList();
}

void CSServerAdDataSource::fetchTagList() {
  VelkorApiClient::getTagList([](std::optional<net::Response>, TagList list) { storeTagList(list); }, [](Error) {});
}

void CSServerAdDataSource::storeTagList(const TagList& list) { list.store(*base::Defaults::standard()); }

std::vector<Ad> CSServerAdDataSource::restrictedAds(std::vector<Ad> ads, const std::vector<Tab>& tabs) {
  const auto restrictedTabs = restrictedTabIds(tabs);
  std::erase_if(ads, [&restrictedTabs](const Ad& ad) { return !passesRestriction(ad, restrictedTabs); });
  return ads;
}

}  // namespace velkor
