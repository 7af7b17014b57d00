#include "platform/base/error.h"

namespace base {

std::string Error::description() const {
  if (message) return *message;
  return domain + " error " + std::to_string(code);
}

}  // namespace base
