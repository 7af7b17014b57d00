#include "platform/base/json_error.h"

namespace base {

std::string DecodingError::description() const {
  if (codingPath.empty()) return debugDescription;
  return codingPath + ": " + debugDescription;
}

Error DecodingError::toError() const { return Error{kDomain, static_cast<long>(kind), description()}; }

}  // namespace base
