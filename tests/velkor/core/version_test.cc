#include "velkor/core/version.h"

#include "platform/ui/device.h"
#include "velkor/core/os_version_gate.h"

#include <gtest/gtest.h>

namespace velkor {
namespace {

struct Case {
  const char* mine;
  const char* other;
  int expected;
};
void PrintTo(const Case& c, std::ostream* os) { *os << '"' << c.mine << "\" vs \"" << c.other << '"'; }

class VersionCompare : public testing::TestWithParam<Case> {};

TEST_P(VersionCompare, ComparesPieceByPiece) {
  const auto& c = GetParam();
  EXPECT_EQ(Version(c.mine).compare(Version(c.other)), c.expected) << c.mine << " vs " << c.other;
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, VersionCompare,
    testing::Values(Case{"1.0", "1", 0}, Case{"1.10", "1.9", 1}, Case{"1.9.9", "2", -1}, Case{"", "1", -1},
                    // Empty pieces are dropped, so a doubled dot does not shift the positions.
                    Case{"1..2", "1.2", 0}, Case{"1.-2", "1", -1},
                    // Leading digits count; none count as 0.
                    Case{"1.3rc1", "1.2.9", 1}, Case{"1.beta", "1.0", 0},
                    // Beyond 64 bits the number sticks at the limit instead of wrapping.
                    Case{"99999999999999999999", "9223372036854775807", 0},
                    Case{"-99999999999999999999", "-9223372036854775808", 0}));

TEST(OsVersionGate, ComparesThePhoneVersionAndTakesTheNewestBranchWithoutOne) {
  const auto saved = ui::Device::current();
  ui::Device::setCurrent(ui::Device::fromSystem());
  EXPECT_TRUE(isOsVersionAtLeast("999"));  // no phone set: this machine's kernel release is no phone OS
  ui::Device::update([](ui::Device& d) { d.systemName = "iOS"; d.systemVersion = "12.4"; });
  EXPECT_FALSE(isOsVersionAtLeast("13"));
  ui::Device::update([](ui::Device& d) { d.systemVersion = "13.0"; });
  EXPECT_TRUE(isOsVersionAtLeast("13"));
  EXPECT_FALSE(isOsVersionAtLeast("14.5"));
  ui::Device::setCurrent(saved);
}

}  // namespace
}  // namespace velkor
