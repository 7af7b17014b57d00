// What the rest of dispatch needs to know about the clock in force beyond its time.
#pragma once

#include <cstdint>

namespace dispatch::internal {

// Counts installations: work scheduled on a manual clock is dropped when that clock goes.
std::uint64_t clockGeneration();
bool clockIsManual();

}  // namespace dispatch::internal
