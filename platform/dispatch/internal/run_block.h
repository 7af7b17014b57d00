#pragma once

#include <string>

#include "platform/dispatch/queue.h"

namespace dispatch::internal {

// Runs a block so that an exception it throws is reported on stderr and goes no further: it would
// otherwise end the worker thread, and with it the process.
void runGuarded(const Block& block, const std::string& where);

}  // namespace dispatch::internal
