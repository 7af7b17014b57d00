#include "velkor/model/filters_info.h"

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"

namespace velkor {

AgeFilter AgeFilter::decode(base::KeyedDecodingContainer& c) {
  AgeFilter filter;
  filter.from = c.decode<std::int64_t>("from");
  filter.to = c.decode<std::int64_t>("to");
  return filter;
}

void AgeFilter::encode(base::KeyedEncodingContainer& c) const {
  c.encode("from", from);
  c.encode("to", to);
}

FiltersInfo FiltersInfo::decode(base::KeyedDecodingContainer& c) {
  FiltersInfo filter;
  filter.targetMinOsVer = c.decodeIfPresent<std::string>("targetMinOsVer");
  filter.detargetGenders = c.decodeIfPresent<std::vector<std::string>>("detargetGenders");
  filter.targetAges = c.decodeIfPresent<std::vector<AgeFilter>>("targetAges");
  return filter;
}

void FiltersInfo::encode(base::KeyedEncodingContainer& c) const {
  c.encodeIfPresent("targetMinOsVer", targetMinOsVer);
  c.encodeIfPresent("detargetGenders", detargetGenders);
  c.encodeIfPresent("targetAges", targetAges);
}

}  // namespace velkor
