// The local ad server's data: JSON files in the servers' snake_case wire keys, read when the first
// server of the folder starts. Texts keep their serve-time placeholders ("{BASE_URL}", "{NOW+3600}",
// "{AD_ID}"); the server expands them in every answer. README.md lists the files and what each
// fixture id covers.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "tools/mock-server/routes.h"

namespace mock {

// A fixed answer of an action route: a status and a JSON body.
struct FixtureAnswer {
  int status = 200;
  nlohmann::json body;
};

class Fixtures {
 public:
  // The fixtures folder of the source tree, compiled in.
  static std::string defaultDirectory();
  // Reads every fixture file of the folder; null with `error` set when a file is missing or wrong.
  static std::shared_ptr<const Fixtures> load(const std::string& directory, std::string& error);
  // load(), once per folder and process: later calls return the same fixtures. A folder that
  // failed is read again.
  static std::shared_ptr<const Fixtures> loadOnce(const std::string& directory, std::string& error);

  const nlohmann::json& adList() const { return adList_; }        // GET /api/ads
  const nlohmann::json& placements() const { return placements_; }  // placement ads resolved
  const nlohmann::json& tags() const { return tags_; }
  const nlohmann::json& banners() const { return banners_; }
  const nlohmann::json& popups() const { return popups_; }
  const nlohmann::json& shareLink() const { return shareLink_; }
  const std::string& helpPage() const { return helpPage_; }
  // A page of pages/ by its file name ("bridge.html"); null when there is none.
  const std::string* page(const std::string& name) const;

  // An ad of the list, or one reachable only through its detail (child ads); null when unknown.
  const nlohmann::json* ad(long long id) const;
  // The ad-detail body: the ad, with the list's reward types when it has none of its own.
  nlohmann::json adDetail(long long id) const;
  FixtureAnswer participation(long long adId) const;
  FixtureAnswer optout(long long adId) const;
  nlohmann::json childAd(long long adId) const;
  // Headers that every answer of the route carries ("X-Expired-At", ... for the ad list).
  std::vector<std::pair<std::string, std::string>> headers(Route route) const;

 private:
  nlohmann::json adList_;
  nlohmann::json placements_;
  nlohmann::json tags_;
  nlohmann::json banners_;
  nlohmann::json popups_;
  nlohmann::json shareLink_;
  nlohmann::json participations_;
  nlohmann::json optouts_;
  nlohmann::json childAds_;
  nlohmann::json headers_;
  std::string helpPage_;
  std::map<std::string, std::string> pages_;
  std::map<long long, nlohmann::json> adsById_;
};

}  // namespace mock
