#include "velkor/model/participate_result.h"

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"

namespace velkor {

ParticipateResult ParticipateResult::decode(base::KeyedDecodingContainer& c) {
  ParticipateResult result;
  result.clickKey = c.decode<std::string>("clickKey");
  result.landingUrl = c.decode<std::string>("landingUrl");
  result.dialog = c.decodeIfPresent<Dialog>("dialog");
  result.completeDelayTime = c.decodeIfPresent<std::int64_t>("completeDelayTime");
  return result;
}

void ParticipateResult::encode(base::KeyedEncodingContainer& c) const {
  c.encode("clickKey", clickKey);
  c.encode("landingUrl", landingUrl);
  c.encodeIfPresent("dialog", dialog);
  c.encodeIfPresent("completeDelayTime", completeDelayTime);
}

}  // namespace velkor
