// How the answer of each route becomes a value or an error: the order of the checks, which statuses
// fail, how bodies decode, and the errors made here. Each step takes the data task's outcome and
// gives one result; nothing is kept between answers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/json_decoder.h"
#include "platform/net/session.h"
#include "velkor/model/reward_type.h"
#include "velkor/network/error.h"

namespace velkor {

// "", 0, "Data was not retrieved from request".
Error missingDataError();
// "", 0, no message: the child-ad search's.
Error childAdMissingDataError();
// kSdkDomain, the HTTP status.
Error shareLinkStatusError(int statusCode);
// kSdkDomain, -1, "Data is nil".
Error shareLinkMissingDataError();

// The body as the record, keys converted from snake case (or as they stand).
// A received body is parsed where it lies (it carries the decoder's padding).
template <class T>
Result<T> decodeBody(const std::string& body,
                     base::KeyDecodingStrategy keys = base::KeyDecodingStrategy::convertFromSnakeCase) {
  base::JsonDecoder decoder;
  decoder.keyDecodingStrategy = keys;
  return decoder.decode<T>(body);
}

// GET routes: the transport error, else the missing-data error, else the body decoded as the record,
// whatever the HTTP status.
template <class T>
Result<T> decodeRecordResponse(const net::Outcome& outcome) {
  if (outcome.error) return Error(*outcome.error);
  if (!outcome.data) return missingDataError();
  return decodeBody<T>(*outcome.data);
}

// POST routes: a status above 399 is the VelkorError of the body (or the error decoding it);
// otherwise the body decoded as the record.
template <class T>
Result<T> decodePostResponse(const net::Outcome& outcome);

// POST routes that answer with data: as above, but the body up to status 399 is the success, as it
// arrived, whatever it holds.
Result<std::string> decodeDataResponse(const net::Outcome& outcome);

// The integer under "ad_id" of a body that is an object of integers; a VelkorError of code 0 when
// it has none. The status is not looked at.
Result<std::int64_t> decodeChildAdResponse(const net::Outcome& outcome);

// A status outside 200...399 fails first; then the body's "share_link"."short_url".
Result<std::string> decodeShareLinkResponse(const net::Outcome& outcome);

// Makes the record's reward types the process-wide list when it carries some (an empty list too).
void replaceRewardTypes(const std::optional<std::vector<RewardType>>& rewardTypes);

// The failure of a POST answer with an error status, when it is one.
std::optional<Error> serverError(const net::Outcome& outcome);

template <class T>
Result<T> decodePostResponse(const net::Outcome& outcome) {
  if (auto failure = serverError(outcome)) return *failure;
  return decodeBody<T>(*outcome.data);
}

}  // namespace velkor
