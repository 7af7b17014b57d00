#include "velkor/model/priority.h"

#include <stdlib.h>

#include <array>
#include <random>

namespace velkor {
namespace {

// A fresh uniform draw for every decoded priority. The system's generator costs a system call per
// number, too slow for lists of thousands of ads, so each thread keeps a generator seeded from it.
std::uint32_t randomWord() {
  thread_local std::mt19937 generator = [] {
    std::array<std::uint32_t, 8> seed;
    for (std::uint32_t& word : seed) word = arc4random();
    std::seed_seq sequence(seed.begin(), seed.end());
    return std::mt19937(sequence);
  }();
  return static_cast<std::uint32_t>(generator());
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
