// The three list routes both REST clients offer (ad list, placements, tags): the same keys, query
// encodings, answers and queues, each client with its own addresses.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/net/response.h"
#include "platform/net/session.h"
#include "velkor/network/route_urls.h"
#include "velkor/network/velkor_api_client.h"

namespace velkor {

// A decoded record with the raw answer it came in.
template <class T>
struct WithResponse {
  std::optional<net::Response> response;
  T record;
};

// The record steps of the list and detail routes; the ad list, the ad detail and the placements
// replace the process-wide reward types when they carry some.
Result<WithResponse<AdList>> decodeAdListResponse(const net::Outcome& outcome);
Result<Ad> decodeAdDetailResponse(const net::Outcome& outcome);
Result<PlacementList> decodePlacementListResponse(const net::Outcome& outcome);
Result<WithResponse<TagList>> decodeTagListResponse(const net::Outcome& outcome);

// GET of the ad list with "from" and "request_id", strictly encoded; prints its address in debug.
void requestAdList(const RouteUrls& routes, std::size_t route, std::string from, VelkorApiClient::OnAdList onSuccess,
                   OnError onError);
// GET of the placements with "request_id".
void requestPlacementList(const RouteUrls& routes, std::size_t route,
                          std::function<void(PlacementList)> onSuccess, OnError onError);
// GET of the tag catalogue with the common parameters alone.
void requestTagList(const RouteUrls& routes, std::size_t route, VelkorApiClient::OnTagList onSuccess,
                    OnError onError);

// The current session's request id.
std::string currentRequestId();

}  // namespace velkor
