#include "velkor/core/random_numbers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace velkor {
namespace {

constexpr std::int64_t kMaxWord = 4294967295;
constexpr int kDraws = 2000;

// Every draw of the floating-point functions reads this word while a test holds a FixedWord.
std::uint32_t fixedWord = 0;

class FixedWord {
 public:
  explicit FixedWord(std::uint32_t word) {
    fixedWord = word;
    setRandomWordSourceForTesting([] { return fixedWord; });
  }
  ~FixedWord() { setRandomWordSourceForTesting(nullptr); }
  FixedWord(const FixedWord&) = delete;
  FixedWord& operator=(const FixedWord&) = delete;
};

TEST(RandomNumbers, TheLowestWordGivesTheLowerBound) {
  FixedWord word(0);
  EXPECT_EQ(randomFloat(-2.5f, 4.0f), -2.5f);
  EXPECT_EQ(randomCGFloat(-2.5, 4.0), -2.5);
  EXPECT_EQ(randomDouble(-2.5, 4.0), -2.5);
  EXPECT_EQ(randomSign(), -1.0);
}

TEST(RandomNumbers, TheHighestWordReachesOneOnlyForDoubleAndFloat) {
  FixedWord word(std::numeric_limits<std::uint32_t>::max());
  // Double divides by the largest word; CGFloat multiplies by 2^-32 exactly and stays below 1.
  EXPECT_EQ(randomDouble(), 1.0);
  EXPECT_EQ(randomDouble(-2.5, 4.0), 4.0);
  EXPECT_EQ(randomCGFloat(), 1.0 - 0x1p-32);
  EXPECT_LT(randomCGFloat(-2.5, 4.0), 4.0);
  // In single precision the product rounds up to 1.
  EXPECT_EQ(randomFloat(), 1.0f);
  EXPECT_EQ(randomFloat(-2.5f, 4.0f), 4.0f);
  EXPECT_EQ(randomSign(), 1.0);
  // Bounds the wrong way round still bound the result.
  EXPECT_EQ(randomDouble(4.0, -2.5), -2.5);
}

TEST(RandomNumbers, FloatingDrawsStayWithinTheirBounds) {
  for (int i = 0; i < kDraws; ++i) {
    const double d = randomDouble(-7.0, -3.0);
    EXPECT_TRUE(d >= -7.0 && d <= -3.0) << d;
    const float f = randomFloat(-1.5f, 2.0f);
    EXPECT_TRUE(f >= -1.5f && f <= 2.0f) << f;
    const double sign = randomSign();
    EXPECT_TRUE(sign == -1.0 || sign == 1.0) << sign;
  }
}

TEST(RandomNumbers, IntegerDrawsStayWithinTheirRanges) {
  for (int i = 0; i < kDraws; ++i) {
    const std::int64_t below = randomInt(10);
    EXPECT_TRUE(below >= 0 && below < 10) << below;
    const std::int64_t negative = randomInt(-9, -4);
    EXPECT_TRUE(negative >= -9 && negative <= -4) << negative;
    const std::int64_t across = randomInt(-3, 3);
    EXPECT_TRUE(across >= -3 && across <= 3) << across;
  }
  EXPECT_EQ(randomInt(1), 0);
  EXPECT_EQ(randomInt(0), 0);
  EXPECT_EQ(randomInt(5, 5), 5);
  EXPECT_EQ(randomInt(-5, -5), -5);
}

// Where the system's generator takes no such argument, the result is still a value of the range.
TEST(RandomNumbers, IntegerArgumentsBeyondThirtyTwoBitsGiveSafeValues) {
  constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  EXPECT_EQ(randomInt(-7), 0);
  EXPECT_EQ(randomInt(8, 3), 8);
  for (int i = 0; i < kDraws; ++i) {
    EXPECT_LT(randomInt(kMax), kMaxWord);
    const std::int64_t wide = randomInt(kMin, kMax);
    EXPECT_TRUE(wide >= kMin && wide < kMin + kMaxWord) << wide;
    const std::int64_t top = randomInt(kMax - 2, kMax);
    EXPECT_TRUE(top >= kMax - 2) << top;
    const std::int64_t bottom = randomInt(kMin, kMin + 2);
    EXPECT_TRUE(bottom <= kMin + 2) << bottom;
  }
}

}  // namespace
}  // namespace velkor
