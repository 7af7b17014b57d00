#include "velkor/network/response_handling.h"

#include <map>

#include "velkor/model/share_link.h"
#include "velkor/model/velkor_error.h"

namespace velkor {

Error missingDataError() { return Error::make("", 0, "Data was not retrieved from request"); }

Error childAdMissingDataError() { return Error::make("", 0); }

Error shareLinkStatusError(int statusCode) { return Error::make(Error::kSdkDomain, statusCode); }

Error shareLinkMissingDataError() { return Error::make(Error::kSdkDomain, -1, "Data is nil"); }

std::optional<Error> serverError(const net::Outcome& outcome) {
  if (outcome.error) return Error(*outcome.error);
  if (!outcome.data) return missingDataError();
  const int status = outcome.response ? outcome.response->statusCode() : 0;
  if (status <= 399) return std::nullopt;
  auto record = decodeBody<VelkorError>(*outcome.data);
  if (!record) return record.error();
  return Error(std::move(record).value());
}

Result<std::string> decodeDataResponse(const net::Outcome& outcome) {
  if (auto failure = serverError(outcome)) return *failure;
  return *outcome.data;
}

Result<std::int64_t> decodeChildAdResponse(const net::Outcome& outcome) {
  if (outcome.error) return Error(*outcome.error);
  if (!outcome.data) return childAdMissingDataError();
  auto map = decodeBody<std::map<std::string, std::int64_t>>(*outcome.data);
  if (!map) return map.error();
  auto adId = map->find("ad_id");
  if (adId == map->end()) return Error(VelkorError{});
  return adId->second;
}

Result<std::string> decodeShareLinkResponse(const net::Outcome& outcome) {
  if (outcome.error) return Error(*outcome.error);
  const int status = outcome.response ? outcome.response->statusCode() : 0;
  if (status < 200 || status > 399) return shareLinkStatusError(status);
  if (!outcome.data) return shareLinkMissingDataError();
  auto link = decodeBody<SharedLink>(*outcome.data, base::KeyDecodingStrategy::useDefaultKeys);
  if (!link) return link.error();
  return std::move(link->shortURL);
}

void replaceRewardTypes(const std::optional<std::vector<RewardType>>& rewardTypes) {
  if (rewardTypes) RewardType::setItems(*rewardTypes);
}

}  // namespace velkor
