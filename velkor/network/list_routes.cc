#include "velkor/network/list_routes.h"

#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_session.h"
#include "velkor/network/api_call.h"
#include "velkor/network/response_handling.h"

namespace velkor {
namespace {

// The response is cheap to copy: its body is shared, not copied.
template <class T>
Result<WithResponse<T>> withResponse(Result<T> record, const net::Outcome& outcome) {
  if (!record) return record.error();
  return WithResponse<T>{outcome.response, std::move(record).value()};
}

// Hands the record and the raw answer to a callback of two arguments.
template <class T>
Completion<WithResponse<T>> splitWithResponse(std::function<void(std::optional<net::Response>, T)> onSuccess,
                                              OnError onError) {
  std::function<void(WithResponse<T>)> success;
  if (onSuccess) {
    success = [onSuccess = std::move(onSuccess)](WithResponse<T> answer) {
      onSuccess(std::move(answer.response), std::move(answer.record));
    };
  }
  return splitCompletion<WithResponse<T>>(std::move(success), std::move(onError));
}

}  // namespace

std::string currentRequestId() { return VelkorInternal::shared().session()->requestId(); }

Result<WithResponse<AdList>> decodeAdListResponse(const net::Outcome& outcome) {
  auto list = decodeRecordResponse<AdList>(outcome);
  if (list) replaceRewardTypes(list->rewardTypes);
  return withResponse(std::move(list), outcome);
}

Result<Ad> decodeAdDetailResponse(const net::Outcome& outcome) {
  auto ad = decodeRecordResponse<Ad>(outcome);
  if (ad) replaceRewardTypes(ad->rewardTypes);
  return ad;
}

Result<PlacementList> decodePlacementListResponse(const net::Outcome& outcome) {
  auto list = decodeRecordResponse<PlacementList>(outcome);
  if (list) replaceRewardTypes(list->rewardTypes);
  return list;
}

Result<WithResponse<TagList>> decodeTagListResponse(const net::Outcome& outcome) {
  return withResponse(decodeRecordResponse<TagList>(outcome), outcome);
}

void requestAdList(const RouteUrls& routes, std::size_t route, std::string from, VelkorApiClient::OnAdList onSuccess,
                   OnError onError) {
  Parameters parameters = requestParameters(WithSession::no);
  parameters["from"] = std::move(from);
  parameters["request_id"] = currentRequestId();
  auto request = routes.get(route, std::move(parameters), QueryEncoding::strict);
  printRequestUrl(request);
  runRequest<WithResponse<AdList>>(std::move(request), Delivery::mainQueue, decodeAdListResponse,
                                   splitWithResponse(std::move(onSuccess), std::move(onError)));
}

void requestPlacementList(const RouteUrls& routes, std::size_t route,
                          std::function<void(PlacementList)> onSuccess, OnError onError) {
  Parameters parameters = requestParameters(WithSession::no);
  parameters["request_id"] = currentRequestId();
  runRequest<PlacementList>(routes.get(route, std::move(parameters), QueryEncoding::items), Delivery::mainQueue,
                            decodePlacementListResponse, splitCompletion(std::move(onSuccess), std::move(onError)));
}

void requestTagList(const RouteUrls& routes, std::size_t route, VelkorApiClient::OnTagList onSuccess,
                    OnError onError) {
  runRequest<WithResponse<TagList>>(routes.get(route, requestParameters(WithSession::no), QueryEncoding::items),
                                    Delivery::mainQueue, decodeTagListResponse,
                                    splitWithResponse(std::move(onSuccess), std::move(onError)));
}

}  // namespace velkor
