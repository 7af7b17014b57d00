#include "tests/velkor/network/network_test_support.h"

#include "velkor/core/velkor_parameters.h"
#include "velkor/core/velkor_session.h"
#include "velkor/network/request_builder.h"

namespace velkor::testing {
namespace {

std::string requestId() { return VelkorInternal::shared().session()->requestId(); }

OnError failureTo(const std::shared_ptr<Recorder>& recorder) {
  return [recorder](Error error) { recorder->failure(std::move(error)); };
}

// Any success of a record route.
auto recordTo(const std::shared_ptr<Recorder>& recorder) {
  return [recorder](auto&&...) { recorder->success(); };
}

auto dataTo(const std::shared_ptr<Recorder>& recorder) {
  return [recorder](std::string body) { recorder->success(std::move(body)); };
}

template <class T>
std::function<void(Result<T>)> resultTo(const std::shared_ptr<Recorder>& recorder) {
  return [recorder](Result<T> result) {
    if (!result.ok()) return recorder->failure(result.error());
    if constexpr (std::is_same_v<T, std::string>) {
      recorder->success(result.value());
    } else if constexpr (std::is_integral_v<T>) {
      recorder->success(std::to_string(result.value()));
    } else {
      recorder->success();
    }
  };
}

nlohmann::json none() { return nlohmann::json::object(); }
nlohmann::json withRequestId() { return {{"request_id", requestId()}}; }

// The tracking header is fixed by the first request of the process: fix it to a known id before
// any test runs, whichever runs first. (An empty id would not be sent at all.)
class FixedTrackingHeader : public ::testing::Environment {
 public:
  void SetUp() override {
    ScopedCoreState core;
    VelkorParameters::setTrackingIdSource([] { return std::string(kFixedTrackingId); });
    defaultHeaders();
  }
};

[[maybe_unused]] const auto* const fixedTrackingHeader =
    ::testing::AddGlobalTestEnvironment(new FixedTrackingHeader);

}  // namespace

std::ostream& operator<<(std::ostream& out, const RouteCase& route) { return out << route.name; }

std::vector<RouteCase> allRoutes() {
  using mock::Route;
  using R = std::shared_ptr<Recorder>;
  return {
      {"api_ad_list", mock::kLogicList, Route::adList, "GET", "/api/ads", false,
       [] { return nlohmann::json{{"from", "ad_list"}, {"request_id", requestId()}}; }, true, Kind::recordGet, true,
       [](R r) { VelkorApiClient::getAdList("ad_list", recordTo(r), failureTo(r)); }},
      {"api_ad_detail", mock::kLogic, Route::adDetail, "GET", "/api/ads/1001", true,
       [] { return nlohmann::json{{"from", "ad_list"}, {"is_click", "1"}}; }, true, Kind::recordGet, true,
       [](R r) { VelkorApiClient::getAdDetail(1001, "ad_list", recordTo(r), failureTo(r)); }},
      {"api_ad_detail_from_detail", mock::kLogic, Route::adDetail, "GET", "/api/ads/1002", true,
       [] { return nlohmann::json{{"from", "ad_detail"}}; }, true, Kind::recordGet, true,
       [](R r) { VelkorApiClient::getAdDetail(1002, "ad_detail", recordTo(r), failureTo(r)); }},
      {"api_placements", mock::kLogicList, Route::placements, "GET", "/api/placements", false, withRequestId, false,
       Kind::recordGet, true, [](R r) { VelkorApiClient::getPlacementList(recordTo(r), failureTo(r)); }},
      {"api_tags", mock::kLogicList, Route::tags, "GET", "/api/tags", false, none, false, Kind::recordGet, true,
       [](R r) { VelkorApiClient::getTagList(recordTo(r), failureTo(r)); }},
      {"api_find_child_ad", mock::kLogic, Route::findChildAd, "GET", "/api/ads/3001/find_child_ad", true, none, true,
       Kind::childAd, false, [](R r) { VelkorApiClient::findChildAd(3001, resultTo<std::int64_t>(r)); }},
      {"api_participate", mock::kLogic, Route::participate, "POST", "/api/ads/1001/participate", true, none, false,
       Kind::participate, true, [](R r) { VelkorApiClient::participate(1001, recordTo(r), failureTo(r)); }},
      {"api_optout", mock::kLogic, Route::optout, "POST", "/api/ads/1001/optout", false, none, false, Kind::data, true,
       [](R r) { VelkorApiClient::optout(1001, dataTo(r), failureTo(r)); }},
      {"api_impression", mock::kLogic, Route::impression, "POST", "/api/ads/impression", false,
       [] {
         return nlohmann::json{{"request_id", requestId()},
                               {"ads", {{{"id", "1001"}, {"tab_slug", "all"}, {"tag_slug", "easy"}},
                                        {{"id", "1002"}, {"inventory", "home"}}}}};
       },
       false, Kind::data, true,
       [](R r) {
         VelkorApiClient::impression({{{"id", "1001"}, {"tab_slug", "all"}, {"tag_slug", "easy"}},
                                      {{"id", "1002"}, {"inventory", "home"}}},
                                     dataTo(r), failureTo(r));
       }},
      {"api_agreement", mock::kLogic, Route::agreement, "POST", "/api/uids/agreement", false, withRequestId, false,
       Kind::data, true, [](R r) { VelkorApiClient::agreement(dataTo(r), failureTo(r)); }},
      {"api_postback", mock::kPostback, Route::postback, "POST", "/api/postbacks/sdk", false,
       [] { return nlohmann::json{{"click_key", "ck-1001"}}; }, false, Kind::data, true,
       [](R r) { VelkorApiClient::postback("ck-1001", dataTo(r), failureTo(r)); }},
      {"api_share_link_detail", mock::kLogic, Route::shareLinkAdDetail, "POST", "/api/share_links/ad_detail", false,
       [] { return nlohmann::json{{"ad_id", 1001}}; }, false, Kind::shareLink, false,
       [](R r) { VelkorApiClient::createShareLink(1001, true, resultTo<std::string>(r)); }},
      {"api_share_link_list", mock::kLogic, Route::shareLinkAdList, "POST", "/api/share_links/ad_list", false,
       [] { return nlohmann::json{{"ad_id", 1003}}; }, false, Kind::shareLink, false,
       [](R r) { VelkorApiClient::createShareLink(1003, false, resultTo<std::string>(r)); }},
      {"list_ad_list", mock::kLogicList, Route::adList, "GET", "/api/ads", false,
       [] { return nlohmann::json{{"from", "offerwall"}, {"request_id", requestId()}}; }, true, Kind::recordGet, true,
       [](R r) { LogicListApiClient::getAdList("offerwall", recordTo(r), failureTo(r)); }},
      {"list_placements", mock::kLogicList, Route::placements, "GET", "/api/placements", false, withRequestId, false,
       Kind::recordGet, true, [](R r) { LogicListApiClient::getPlacementList(recordTo(r), failureTo(r)); }},
      {"list_tags", mock::kLogicList, Route::tags, "GET", "/api/tags", false, none, false, Kind::recordGet, true,
       [](R r) { LogicListApiClient::getTagList(recordTo(r), failureTo(r)); }},
      {"list_banners", mock::kLogicList, Route::banners, "GET", "/api/banners", false, withRequestId, false,
       Kind::recordGet, true, [](R r) { LogicListApiClient::getBannerList(resultTo<BannerList>(r)); }},
      {"list_popups", mock::kLogicList, Route::popups, "GET", "/api/popups", false, withRequestId, false,
       Kind::recordGet, true, [](R r) { LogicListApiClient::getPopupList(resultTo<PopupList>(r)); }},
  };
}

}  // namespace velkor::testing
