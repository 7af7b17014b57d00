#include "velkor/model/priority.h"

#include <stdlib.h>

#include <cstdint>

namespace velkor {
namespace {

// A fresh uniform draw for every decoded priority. The system's generator costs a system call per
// number, too slow for lists of thousands of ads, so each thread steps a small generator of its own
// (splitmix64: one addition and two multiplications a draw), seeded once from the system's.
std::uint32_t randomWord() {
  thread_local std::uint64_t state = 0;
  // Zero until seeded; should the counter ever pass through zero again, it is merely seeded anew.
  if (state == 0) state = std::uint64_t{arc4random()} << 32 | arc4random();
  std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
}

}  // namespace

float priorityJitter(std::uint32_t r) {
  return static_cast<float>(r) * 0x1p-32f / 1000.0f;
}

float jitteredPriority(std::optional<float> serverPriority) {
  if (!serverPriority) return 0;
  return *serverPriority + priorityJitter(randomWord());
}

}  // namespace velkor
