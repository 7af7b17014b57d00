// Random numbers for host apps, each drawn from the system's generator (arc4random, 32 random bits a
// draw); nothing in the SDK draws them. Float is float and CGFloat double, as in platform/ui. Safe
// from any thread.
#pragma once

#include <cstdint>

namespace velkor {

// Float: the drawn word times 2^-32, in [0, 1]; single precision rounds the top words up to 1.
float randomFloat();
// CGFloat: the same product in double precision, in [0, 1).
double randomCGFloat();
// Double: the drawn word divided by 2^32 - 1, in [0, 1].
double randomDouble();

// min plus (max - min) times the type's random value above: between the two bounds, also when max is
// below min.
float randomFloat(float min, float max);
double randomCGFloat(double min, double max);
double randomDouble(double min, double max);

// CGFloat's sign: -1.0 or 1.0, with equal chance.
double randomSign();

// Uniform in 0 to n - 1 for n up to 2^32 - 1. The system's generator takes no larger bound, so a
// larger n draws below 2^32 - 1; n of 0 or less gives 0.
std::int64_t randomInt(std::int64_t n);
// min plus a uniform value in 0 to max - min, for a span (max - min + 1) up to 2^32 - 1. A wider span
// draws among its first 2^32 - 1 values; max below min gives min.
std::int64_t randomInt(std::int64_t min, std::int64_t max);

// Tests fix the word the floating-point functions draw; null puts the system's generator back.
void setRandomWordSourceForTesting(std::uint32_t (*source)());

}  // namespace velkor
