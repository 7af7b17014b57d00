#include "platform/dispatch/internal/run_block.h"

#include <cstdio>
#include <exception>

namespace dispatch::internal {

void runGuarded(const Block& block, const std::string& where) {
  try {
    block();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "dispatch: a block on %s threw: %s\n", where.c_str(), e.what());
  } catch (...) {
    std::fprintf(stderr, "dispatch: a block on %s threw\n", where.c_str());
  }
}

}  // namespace dispatch::internal
