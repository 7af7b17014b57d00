// What a host app can do with an ad without any SDK screen: take part and be sent to its landing,
// or opt out. The answers come on the main queue.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/base/url.h"
#include "velkor/network/velkor_api_client.h"

namespace velkor {

// The landing as an address: as given, else with every "{" and "}" escaped; otherwise, or for a
// "javascript:", "file:" or "data:" address or one without a scheme (which is logged), the
// VelkorError 312 "해당 URL로 이동에 실패하였습니다.".
Result<base::Url> landingUrl(const std::string& text);

// Posts the participation. On success the success block gets the landing text as the server sent it,
// then the host's URL handler is asked to open the landing; a landing that is no address reaches the
// error block instead, and nothing opens. Server and network errors reach the error block unchanged.
// No postback and no dialog: those belong to the detail screen.
void participate(std::int64_t adId, std::function<void(std::string)> onSuccess, OnError onError);

// Posts the opt-out. Once accepted, the ad and placement caches are marked dirty so that the ad
// leaves the lists; a failure is not reported.
void optout(std::int64_t adId);

}  // namespace velkor
