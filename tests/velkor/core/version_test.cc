#include "velkor/core/version.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace velkor {
namespace {

struct Case {
  const char* mine;
  const char* other;
  int expected;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << '"' << c.mine << "\" vs \"" << c.other << '"';
}

class VersionCompare : public testing::TestWithParam<Case> {};

TEST_P(VersionCompare, ComparesPieceByPiece) {
  const auto& c = GetParam();
  EXPECT_EQ(Version(c.mine).compare(Version(c.other)), c.expected) << c.mine << " vs " << c.other;
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, VersionCompare,
    testing::Values(Case{"1.0", "1", 0}, Case{"1.0.1", "1", 1}, Case{"0.9", "1", -1}, Case{"1.2", "1.2.0", 0},
                    Case{"1.10", "1.9", 1}, Case{"2", "1.9.9", 1}, Case{"1.9.9", "2", -1}, Case{"", "0", 0},
                    Case{"", "1", -1},
                    // Empty pieces are dropped, so a doubled dot does not shift the positions.
                    Case{"1..2", "1.2", 0}, Case{".1.", "1", 0}));

INSTANTIATE_TEST_SUITE_P(OddPieces, VersionCompare,
                         testing::Values(Case{"+2", "2", 0}, Case{"-1", "0", -1}, Case{"1.-2", "1", -1},
                                         // Leading digits count; none count as 0.
                                         Case{"1.2beta", "1.2", 0}, Case{"1.beta", "1.0", 0},
                                         Case{"1.-", "1", 0}, Case{"1.3rc1", "1.2.9", 1},
                                         // Beyond 64 bits the number sticks at the limit instead of wrapping.
                                         Case{"99999999999999999999", "1", 1},
                                         Case{"99999999999999999999", "9223372036854775807", 0},
                                         Case{"-99999999999999999999", "-9223372036854775808", 0},
                                         Case{"-99999999999999999999", "1", -1}));

TEST(Version, AbsentOtherIsLowerAndEmptyOtherIsHigher) {
  EXPECT_EQ(Version("1").compare(std::nullopt), 1);
  EXPECT_EQ(Version("").compare(std::nullopt), 1);
  EXPECT_EQ(Version("1").compare(Version("")), -1);
  // An empty other wins even against an empty receiver.
  EXPECT_EQ(Version("").compare(Version("")), -1);
}

}  // namespace
}  // namespace velkor
