// What the tests of the ad sources share: the outcome of an ads call, ad-list bodies built from the
// local ad server's fixtures, and server dates around a test's manual clock.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/base/defaults.h"
#include "tests/velkor/model/fixtures.h"
#include "tests/velkor/network/network_test_support.h"
#include "tools/mock-server/mock_server_group.h"
#include "velkor/core/preference_manager.h"
#include "velkor/model/server_date.h"
#include "velkor/network/ad_data_source.h"

namespace velkor::testing {

// The wall time of the tests' manual clock: whole seconds, so server dates name it exactly.
inline constexpr double kNow = 1'780'000'000.0;

// The outcome of an ads call: the ads and tabs, or the error.
struct AdsAnswer {
  AdArray ads;
  std::vector<Tab> tabs;
  std::optional<Error> error;
  std::vector<std::int64_t> ids() const {
    std::vector<std::int64_t> result;
    for (const Ad& ad : ads) result.push_back(ad.id);
    return result;
  }
};

inline AdDataSource::OnAds adsTo(const std::shared_ptr<Captured<AdsAnswer>>& captured) {
  return [captured](AdArray ads, std::vector<Tab> tabs) {
    captured->add(AdsAnswer{std::move(ads), std::move(tabs), std::nullopt});
  };
}

inline OnError errorTo(const std::shared_ptr<Captured<AdsAnswer>>& captured) {
  return [captured](Error error) { captured->add(AdsAnswer{{}, {}, std::move(error)}); };
}

// Calls getAds and waits for its one answer.
inline std::optional<AdsAnswer> loadAds(AdDataSource& source, std::string from = "ad_list") {
  auto captured = std::make_shared<Captured<AdsAnswer>>();
  source.getAds(std::move(from), adsTo(captured), errorTo(captured));
  if (!captured->waitFor(1)) return std::nullopt;
  return captured->first();
}

// An ad with only the required keys (the fixture's ad 1000: no tab, visible, not completed), with
// the id and the extra keys given.
inline nlohmann::json adJson(std::int64_t id, nlohmann::json extra = nlohmann::json::object()) {
  nlohmann::json ad;
  for (const auto& candidate : fixtures().adList()["ads"]) if (candidate["id"] == 1000) ad = candidate;
  ad["id"] = id;
  ad["view_url"] = "velkor://offerwall/ads/" + std::to_string(id);
  ad.update(extra);
  return ad;
}

// The fixture's ad list with these ads in place of its own.
inline std::string adListBody(const std::vector<nlohmann::json>& ads) {
  nlohmann::json list = fixtures().adList();
  list["ads"] = nlohmann::json(ads);
  return list.dump();
}

// The server's date text for `offset` seconds after the manual clock's time.
inline std::string serverDate(double offset) { return serverDateText(kNow + offset); }

// The ad list answers with these ads from now on, expiring `expiresIn` seconds after kNow.
inline void serveAds(mock::MockServerGroup& servers, const std::vector<nlohmann::json>& ads, double expiresIn = 600) {
  servers.server(mock::kLogicList).clearFaults();  // in place of whatever the list answered so far
  servers.server(mock::kLogicList)
      .setFault(mock::Route::adList,
                mock::Fault{}.withBody(adListBody(ads)).withHeader("X-Expired-At", serverDate(expiresIn)).sticky());
}

inline const char* key(PreferenceManager::Key key) { return PreferenceManager::keyText(key); }

}  // namespace velkor::testing
