#include "velkor/network/velkor_api_client.h"

#include "velkor/network/api_call.h"
#include "velkor/network/constants.h"
#include "velkor/network/list_routes.h"
#include "velkor/network/response_handling.h"

namespace velkor {
namespace {

enum Route : std::size_t {
  adList,
  adDetail,
  placementList,
  tagList,
  findChildAd,
  participate,
  optout,
  impression,
  agreement,
  postback,
  shareLinks,
};

RouteUrls& routes() {
  static RouteUrls* urls = new RouteUrls({
      {Constants::logicListKey, "/api/ads"},
      {Constants::logicKey, "/api/ads/{ad_id}"},
      {Constants::logicListKey, "/api/placements"},
      {Constants::logicListKey, "/api/tags"},
      {Constants::logicKey, "/api/ads/{ad_id}/find_child_ad"},
      {Constants::logicKey, "/api/ads/{ad_id}/participate"},
      {Constants::logicKey, "/api/ads/{ad_id}/optout"},
      {Constants::logicKey, "/api/ads/impression"},
      {Constants::logicKey, "/api/uids/agreement"},
      {Constants::postbackKey, "api/postbacks/sdk"},
      {Constants::logicKey, "api/share_links"},
  });
  return *urls;
}

// `debugPrefix`: print the address after it, in debug.
void postForData(Route route, Parameters parameters, VelkorApiClient::OnData onSuccess, OnError onError,
                 std::optional<std::string_view> debugPrefix = std::nullopt) {
  auto request = routes().post(route, std::move(parameters));
  if (debugPrefix) printRequestUrl(request, *debugPrefix);
  runRequest<std::string>(std::move(request), Delivery::mainQueue, decodeDataResponse,
                          splitCompletion(std::move(onSuccess), std::move(onError)));
}

Result<net::Request> shareLinkRequest(const nlohmann::json& extra, bool isDetail) {
  if (!extra.is_object()) {
    return Error::make(base::EncodingError::kDomain, base::EncodingError::kInvalidValue,
                       "the share-link parameters must be a JSON object");
  }
  auto route = routes().url(Route::shareLinks);
  if (!route) return route.error();
  Parameters parameters = requestParameters(WithSession::no);
  for (const auto& [key, value] : extra.items()) parameters[key] = value;
  return makePostRequest(route->appendingPathComponent(isDetail ? "ad_detail" : "ad_list"), std::move(parameters),
                         {{"HTTP_ACCEPT_ENCODING", "gzip"}});
}

}  // namespace

void VelkorApiClient::resetBaseUrl() { routes().reset(); }

void VelkorApiClient::getAdList(std::string from, OnAdList onSuccess, OnError onError) {
  requestAdList(routes(), Route::adList, std::move(from), std::move(onSuccess), std::move(onError));
}

void VelkorApiClient::getAdDetail(std::int64_t adId, std::string from, std::function<void(Ad)> onSuccess,
                                  OnError onError) {
  Parameters parameters = requestParameters(WithSession::yes);
  parameters["ad_id"] = adId;
  if (from == "ad_list") parameters["is_click"] = "1";
  parameters["from"] = std::move(from);
  auto request = routes().get(Route::adDetail, std::move(parameters), QueryEncoding::strict);
  printRequestUrl(request);
  runRequest<Ad>(std::move(request), Delivery::mainQueue, decodeAdDetailResponse,
                 splitCompletion(std::move(onSuccess), std::move(onError)));
}

void VelkorApiClient::getPlacementList(std::function<void(PlacementList)> onSuccess, OnError onError) {
  requestPlacementList(routes(), Route::placementList, std::move(onSuccess), std::move(onError));
}

void VelkorApiClient::getTagList(OnTagList onSuccess, OnError onError) {
  requestTagList(routes(), Route::tagList, std::move(onSuccess), std::move(onError));
}

void VelkorApiClient::participate(std::int64_t adId, std::function<void(ParticipateResult)> onSuccess,
                                  OnError onError) {
  Parameters parameters = requestParameters(WithSession::yes);
  parameters["ad_id"] = std::to_string(adId);
  runRequest<ParticipateResult>(routes().post(Route::participate, std::move(parameters)), Delivery::mainQueue,
                                decodePostResponse<ParticipateResult>,
                                splitCompletion(std::move(onSuccess), std::move(onError)));
}

void VelkorApiClient::optout(std::int64_t adId, OnData onSuccess, OnError onError) {
  Parameters parameters = requestParameters(WithSession::no);
  parameters["ad_id"] = std::to_string(adId);
  postForData(Route::optout, std::move(parameters), std::move(onSuccess), std::move(onError));
}

void VelkorApiClient::impression(std::vector<nlohmann::json> ads, OnData onSuccess, OnError onError) {
  Parameters parameters = requestParameters(WithSession::no);
  parameters["request_id"] = currentRequestId();
  parameters["ads"] = nlohmann::json(std::move(ads));
  postForData(Route::impression, std::move(parameters), std::move(onSuccess), std::move(onError));
}

void VelkorApiClient::agreement(OnData onSuccess, OnError onError) {
  Parameters parameters = requestParameters(WithSession::no);
  parameters["request_id"] = currentRequestId();
  postForData(Route::agreement, std::move(parameters), std::move(onSuccess), std::move(onError), "URL : ");
}

void VelkorApiClient::postback(std::string clickKey, OnData onSuccess, OnError onError) {
  Parameters parameters = requestParameters(WithSession::no);
  parameters["click_key"] = std::move(clickKey);
  postForData(Route::postback, std::move(parameters), std::move(onSuccess), std::move(onError));
}

void VelkorApiClient::findChildAd(std::int64_t adId, std::function<void(Result<std::int64_t>)> completion) {
  Parameters parameters = requestParameters(WithSession::yes);
  parameters["ad_id"] = adId;
  runRequest<std::int64_t>(routes().get(Route::findChildAd, std::move(parameters), QueryEncoding::strict),
                           Delivery::sessionQueue, decodeChildAdResponse, std::move(completion));
}

void VelkorApiClient::createShareLink(std::int64_t adId, bool isDetail,
                                      std::function<void(Result<std::string>)> completion) {
  createShareLink(nlohmann::json{{"ad_id", adId}}, isDetail, std::move(completion));
}

void VelkorApiClient::createShareLink(const nlohmann::json& parameters, bool isDetail,
                                      std::function<void(Result<std::string>)> completion) {
  runRequest<std::string>(shareLinkRequest(parameters, isDetail), Delivery::sessionQueue, decodeShareLinkResponse,
                          std::move(completion));
}

}  // namespace velkor
