// The client of the ad-list server alone, with addresses of its own: the ad list, placements and
// tags as VelkorApiClient offers them, and the only way to the banners and popups. Every operation
// returns at once and ends in exactly one callback on the main queue; callable from any thread.
#pragma once

#include <functional>
#include <string>

#include "velkor/model/banner.h"
#include "velkor/model/popup.h"
#include "velkor/network/velkor_api_client.h"

namespace velkor {

class LogicListApiClient {
 public:
  // Rebuilds the five routes from the current stage's ad-list address; the facade calls it right after
  // VelkorApiClient::resetBaseUrl().
  static void resetBaseUrl();

  static void getAdList(std::string from, VelkorApiClient::OnAdList onSuccess, OnError onError);
  static void getPlacementList(std::function<void(PlacementList)> onSuccess, OnError onError);
  static void getTagList(VelkorApiClient::OnTagList onSuccess, OnError onError);

  // GET "/api/banners" and "/api/popups" with "request_id": the list decoded whatever the HTTP status
  // (a body that is not the list fails). The reward types are left as they are.
  static void getBannerList(std::function<void(Result<BannerList>)> completion);
  static void getPopupList(std::function<void(Result<PopupList>)> completion);
};

}  // namespace velkor
