// Every server kind of the SDK at one local ad server, for the benchmark programs.
#pragma once

#include <string>

#include "velkor/network/constants.h"

namespace bench {

inline velkor::ServerTable tableFor(const std::string& base) {
  return {{velkor::Constants::logicKey, base},
          {velkor::Constants::logicListKey, base},
          {velkor::Constants::postbackKey, base},
          {velkor::Constants::contactKey, base + "/help_requests/new?headless=true"},
          {velkor::Constants::lumberjackKey, base + "/topics/ofw_lumberjack"}};
}

}  // namespace bench
