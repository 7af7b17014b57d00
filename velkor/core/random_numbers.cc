#include "velkor/core/random_numbers.h"

#include <stdlib.h>

#include <algorithm>
#include <atomic>

namespace velkor {
namespace {

constexpr std::uint32_t kMaxWord = 0xFFFFFFFFu;

std::uint32_t systemWord() { return arc4random(); }

std::atomic<std::uint32_t (*)()> wordSource{systemWord};

std::uint32_t drawWord() { return wordSource.load()(); }

}  // namespace

float randomFloat() { return static_cast<float>(drawWord()) * 0x1p-32f; }
double randomCGFloat() { return drawWord() * 0x1p-32; }
double randomDouble() { return drawWord() / static_cast<double>(kMaxWord); }

float randomFloat(float min, float max) { return min + (max - min) * randomFloat(); }
double randomCGFloat(double min, double max) { return min + (max - min) * randomCGFloat(); }
double randomDouble(double min, double max) { return min + (max - min) * randomDouble(); }

double randomSign() { return randomCGFloat() < 0.5 ? -1.0 : 1.0; }

std::int64_t randomInt(std::int64_t n) {
  if (n <= 0) return 0;
  // The system's generator takes a 32-bit bound; a larger one is cut to the largest it takes.
  return arc4random_uniform(static_cast<std::uint32_t>(std::min<std::int64_t>(n, kMaxWord)));
}

std::int64_t randomInt(std::int64_t min, std::int64_t max) {
  if (max < min) return min;
  // Unsigned, so that even the widest range has a defined span. The draw stays below span + 1, so
  // min plus it never passes max.
  const std::uint64_t span = static_cast<std::uint64_t>(max) - static_cast<std::uint64_t>(min);
  return min + randomInt(static_cast<std::int64_t>(std::min<std::uint64_t>(span, kMaxWord - 1) + 1));
}

void setRandomWordSourceForTesting(std::uint32_t (*source)()) { wordSource.store(source ? source : systemWord); }

}  // namespace velkor
