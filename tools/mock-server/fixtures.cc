#include "tools/mock-server/fixtures.h"

#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <stdexcept>

namespace mock {
namespace {

#ifndef VELKOR_MOCK_FIXTURES_DIR
#define VELKOR_MOCK_FIXTURES_DIR "tools/mock-server/fixtures"
#endif

// Loading reports the first problem as a text naming its file; exceptions stay inside this file.
struct FixtureError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FixtureError(path + ": cannot be read");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

nlohmann::json readJson(const std::string& directory, const std::string& name) {
  const std::string path = directory + "/" + name;
  auto json = nlohmann::json::parse(readText(path), nullptr, false);
  if (json.is_discarded()) throw FixtureError(path + ": not valid JSON");
  return json;
}

void require(bool condition, const std::string& what) {
  if (!condition) throw FixtureError(what);
}

void indexAds(const nlohmann::json& ads, const std::string& file, std::map<long long, nlohmann::json>& index) {
  require(ads.is_array(), file + ": the ads are not an array");
  for (const auto& ad : ads) {
    require(ad.is_object() && ad.contains("id") && ad["id"].is_number_integer(),
            file + ": an ad without an integer \"id\"");
    index[ad["id"].get<long long>()] = ad;
  }
}

// A placement ad written as {"$ref": <ad id>, ...} is that ad of the list with the other keys on top.
nlohmann::json resolvePlacementAd(const nlohmann::json& entry, const std::map<long long, nlohmann::json>& ads) {
  if (!entry.is_object() || !entry.contains("$ref")) return entry;
  require(entry["$ref"].is_number_integer(), "placements.json: \"$ref\" is not an ad id");
  auto found = ads.find(entry["$ref"].get<long long>());
  require(found != ads.end(), "placements.json: \"$ref\" " + entry["$ref"].dump() + " names no ad");
  nlohmann::json ad = found->second;
  for (const auto& [key, value] : entry.items()) {
    if (key != "$ref") ad[key] = value;
  }
  return ad;
}

void resolvePlacements(nlohmann::json& placements, const std::map<long long, nlohmann::json>& ads) {
  require(placements.is_object() && placements.contains("placements") && placements["placements"].is_array(),
          "placements.json: no \"placements\" array");
  for (auto& placement : placements["placements"]) {
    require(placement.is_object() && placement.contains("ads") && placement["ads"].is_array(),
            "placements.json: a placement without an \"ads\" array");
    for (auto& ad : placement["ads"]) ad = resolvePlacementAd(ad, ads);
  }
}

// Answers of an action route: {"default": answer, "<ad id>": answer}, answer = {"status", "body"}.
void checkAnswers(const nlohmann::json& answers, const std::string& file) {
  require(answers.is_object() && answers.contains("default"), file + ": no \"default\" answer");
  for (const auto& [key, answer] : answers.items()) {
    require(answer.is_object() && answer.contains("status") && answer["status"].is_number_integer() &&
                answer.contains("body"),
            file + ": the answer \"" + key + "\" needs an integer \"status\" and a \"body\"");
  }
}

// Headers per route name: {"ad_list": {"X-Expired-At": "{NOW+600}", ...}}.
void checkHeaders(const nlohmann::json& headers) {
  require(headers.is_object(), "headers.json: not an object");
  for (const auto& [route, fields] : headers.items()) {
    require(fields.is_object(), "headers.json: \"" + route + "\" is not an object");
    for (const auto& [name, value] : fields.items()) {
      require(value.is_string(), "headers.json: \"" + route + "\" \"" + name + "\" is not a string");
    }
  }
}

FixtureAnswer answerFor(const nlohmann::json& answers, long long adId) {
  const auto& answer = answers.contains(std::to_string(adId)) ? answers[std::to_string(adId)] : answers["default"];
  return {answer["status"].get<int>(), answer["body"]};
}

}  // namespace

std::string Fixtures::defaultDirectory() { return VELKOR_MOCK_FIXTURES_DIR; }

std::shared_ptr<const Fixtures> Fixtures::load(const std::string& directory, std::string& error) {
  try {
    auto fixtures = std::make_shared<Fixtures>();
    fixtures->adList_ = readJson(directory, "ad_list.json");
    require(fixtures->adList_.is_object() && fixtures->adList_.contains("ads"), "ad_list.json: no \"ads\"");
    indexAds(fixtures->adList_["ads"], "ad_list.json", fixtures->adsById_);
    indexAds(readJson(directory, "ad_details.json"), "ad_details.json", fixtures->adsById_);
    fixtures->placements_ = readJson(directory, "placements.json");
    resolvePlacements(fixtures->placements_, fixtures->adsById_);
    fixtures->tags_ = readJson(directory, "tags.json");
    fixtures->banners_ = readJson(directory, "banners.json");
    fixtures->popups_ = readJson(directory, "popups.json");
    fixtures->shareLink_ = readJson(directory, "share_link.json");
    fixtures->participations_ = readJson(directory, "participate.json");
    checkAnswers(fixtures->participations_, "participate.json");
    fixtures->optouts_ = readJson(directory, "optout.json");
    checkAnswers(fixtures->optouts_, "optout.json");
    fixtures->childAds_ = readJson(directory, "find_child_ad.json");
    require(fixtures->childAds_.is_object(), "find_child_ad.json: not an object");
    fixtures->headers_ = readJson(directory, "headers.json");
    checkHeaders(fixtures->headers_);
    fixtures->helpPage_ = readText(directory + "/help.html");
    const std::filesystem::path pages = std::filesystem::path(directory) / "pages";
    if (std::filesystem::is_directory(pages)) {
      for (const auto& entry : std::filesystem::directory_iterator(pages)) {
        fixtures->pages_[entry.path().filename().string()] = readText(entry.path().string());
      }
    }
    return fixtures;
  } catch (const std::exception& e) {
    error = e.what();
    return nullptr;
  }
}

std::shared_ptr<const Fixtures> Fixtures::loadOnce(const std::string& directory, std::string& error) {
  static std::mutex mutex;
  static std::map<std::string, std::shared_ptr<const Fixtures>> loaded;
  std::lock_guard lock(mutex);
  auto& fixtures = loaded[directory];
  if (!fixtures) fixtures = load(directory, error);
  return fixtures;
}

const nlohmann::json* Fixtures::ad(long long id) const {
  auto found = adsById_.find(id);
  return found == adsById_.end() ? nullptr : &found->second;
}

nlohmann::json Fixtures::adDetail(long long id) const {
  const nlohmann::json* found = ad(id);
  if (!found) return nullptr;
  nlohmann::json detail = *found;
  if (!detail.contains("reward_types") && adList_.contains("reward_types")) {
    detail["reward_types"] = adList_["reward_types"];
  }
  return detail;
}

const std::string* Fixtures::page(const std::string& name) const {
  auto found = pages_.find(name);
  return found == pages_.end() ? nullptr : &found->second;
}

FixtureAnswer Fixtures::participation(long long adId) const { return answerFor(participations_, adId); }

FixtureAnswer Fixtures::optout(long long adId) const { return answerFor(optouts_, adId); }

nlohmann::json Fixtures::childAd(long long adId) const {
  const std::string key = std::to_string(adId);
  return childAds_.contains(key) ? childAds_[key] : nlohmann::json::object();
}

std::vector<std::pair<std::string, std::string>> Fixtures::headers(Route route) const {
  std::vector<std::pair<std::string, std::string>> result;
  const std::string name(routeName(route));
  if (!headers_.contains(name)) return result;
  for (const auto& [key, value] : headers_[name].items()) result.emplace_back(key, value.get<std::string>());
  return result;
}

}  // namespace mock
