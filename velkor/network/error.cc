#include "velkor/network/error.h"

namespace velkor {

Error::Error(VelkorError error) : base::Error(error.toError()), velkorError_(std::move(error)) {}

}  // namespace velkor
