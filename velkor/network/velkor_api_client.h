// The client of the SDK's three ad servers: the ad logic server (detail, participation, opt-out,
// impressions, agreement, child-ad search, share links), the ad-list server (ads, placements, tags)
// and the postback server. Every operation returns at once, sends one request and ends in exactly one
// call of one of its callbacks: on the main queue, except for the child-ad search and the share link,
// which answer on the URL session's own queue. Callable from any thread.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/net/response.h"
#include "velkor/model/ad.h"
#include "velkor/model/ad_list.h"
#include "velkor/model/participate_result.h"
#include "velkor/model/placement.h"
#include "velkor/model/tag_list.h"
#include "velkor/network/error.h"

namespace velkor {

using OnError = std::function<void(Error)>;

class VelkorApiClient {
 public:
  // The raw answer comes with the ad list and the tag list so that the caller can read its headers
  // (net::Response::value finds a header in any letter case).
  using OnAdList = std::function<void(std::optional<net::Response>, AdList)>;
  using OnTagList = std::function<void(std::optional<net::Response>, TagList)>;
  // The body as it arrived.
  using OnData = std::function<void(std::string)>;

  // Rebuilds every route from the current stage's addresses; the facade calls it on a stage change.
  // A request already made keeps its address.
  static void resetBaseUrl();

  // GET "/api/ads" on the ad-list server with "from" and the session's "request_id". The record
  // routes decode the body whatever the HTTP status; their reward types replace RewardType::items().
  static void getAdList(std::string from, OnAdList onSuccess, OnError onError);
  // GET "/api/ads/{ad_id}" with the session's ids, "from", and "is_click" = "1" when from is
  // "ad_list".
  static void getAdDetail(std::int64_t adId, std::string from, std::function<void(Ad)> onSuccess, OnError onError);
  static void getPlacementList(std::function<void(PlacementList)> onSuccess, OnError onError);
  static void getTagList(OnTagList onSuccess, OnError onError);

  // POSTs with JSON bodies. A status above 399 fails with the server's VelkorError (Error::velkorError).
  static void participate(std::int64_t adId, std::function<void(ParticipateResult)> onSuccess, OnError onError);
  static void optout(std::int64_t adId, OnData onSuccess, OnError onError);
  // "ads": the entries as given ("id", and "tab_slug" and "tag_slug" or "inventory").
  static void impression(std::vector<nlohmann::json> ads, OnData onSuccess, OnError onError);
  static void agreement(OnData onSuccess, OnError onError);
  static void postback(std::string clickKey, OnData onSuccess, OnError onError);

  // GET "/api/ads/{ad_id}/find_child_ad": the child ad's id, or a VelkorError of code 0 when there is
  // none. Answers on the URL session's queue; a request that cannot be made fails right here.
  static void findChildAd(std::int64_t adId, std::function<void(Result<std::int64_t>)> completion);

  // POST "api/share_links/ad_detail" (isDetail) or ".../ad_list" with the common parameters and
  // `parameters` (the ad as "ad_id", a number), no session ids: the short URL. Answers on the URL
  // session's queue; a request that cannot be made fails right here.
  static void createShareLink(std::int64_t adId, bool isDetail, std::function<void(Result<std::string>)> completion);
  static void createShareLink(const nlohmann::json& parameters, bool isDetail,
                              std::function<void(Result<std::string>)> completion);
};

}  // namespace velkor
