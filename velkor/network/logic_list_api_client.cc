#include "velkor/network/logic_list_api_client.h"

#include "velkor/network/api_call.h"
#include "velkor/network/constants.h"
#include "velkor/network/list_routes.h"
#include "velkor/network/response_handling.h"

namespace velkor {
namespace {

enum Route : std::size_t { ads, placements, tags, banners, popups };

RouteUrls& routes() {
  static RouteUrls* urls = new RouteUrls({
      {Constants::logicListKey, "/api/ads"},
      {Constants::logicListKey, "/api/placements"},
      {Constants::logicListKey, "/api/tags"},
      {Constants::logicListKey, "/api/banners"},
      {Constants::logicListKey, "/api/popups"},
  });
  return *urls;
}

template <class T>
void requestPromotions(Route route, std::function<void(Result<T>)> completion) {
  Parameters parameters = requestParameters(WithSession::no);
  parameters["request_id"] = currentRequestId();
  runRequest<T>(routes().get(route, std::move(parameters), QueryEncoding::items), Delivery::mainQueue,
                decodeRecordResponse<T>, std::move(completion));
}

}  // namespace

void LogicListApiClient::resetBaseUrl() { routes().reset(); }

void LogicListApiClient::getAdList(std::string from, VelkorApiClient::OnAdList onSuccess, OnError onError) {
  requestAdList(routes(), Route::ads, std::move(from), std::move(onSuccess), std::move(onError));
}

void LogicListApiClient::getPlacementList(std::function<void(PlacementList)> onSuccess, OnError onError) {
  requestPlacementList(routes(), Route::placements, std::move(onSuccess), std::move(onError));
}

void LogicListApiClient::getTagList(VelkorApiClient::OnTagList onSuccess, OnError onError) {
  requestTagList(routes(), Route::tags, std::move(onSuccess), std::move(onError));
}

void LogicListApiClient::getBannerList(std::function<void(Result<BannerList>)> completion) {
  requestPromotions<BannerList>(Route::banners, std::move(completion));
}

void LogicListApiClient::getPopupList(std::function<void(Result<PopupList>)> completion) {
  requestPromotions<PopupList>(Route::popups, std::move(completion));
}

}  // namespace velkor
