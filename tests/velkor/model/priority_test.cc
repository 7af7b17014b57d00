#include "velkor/model/priority.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>

namespace velkor {
namespace {

TEST(PriorityTest, JitterStaysBelowOneThousandthAndKeepsRealDifferences) {
  EXPECT_EQ(jitteredPriority(std::nullopt), 0.0f);  // absent is exactly zero
  EXPECT_LE(priorityJitter(std::numeric_limits<std::uint32_t>::max()), 0.001f);

  for (int i = 0; i < 1000; ++i) {
    const float low = jitteredPriority(3.0f);
    const float high = jitteredPriority(3.002f);
    EXPECT_GE(low, 3.0f);
    EXPECT_LT(low, 3.001);
    EXPECT_LT(low, high);
  }
}

TEST(PriorityTest, EqualServerPrioritiesAlmostAlwaysComeApart) {
  std::set<float> seen;
  for (int i = 0; i < 100; ++i) seen.insert(jitteredPriority(0.5f));
  // Near 0.5 a float has about 16,000 steps below 0.001, so a hundred draws collide rarely.
  EXPECT_GT(seen.size(), 90u);
}

}  // namespace
}  // namespace velkor
