#include "platform/base/string_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace base {
namespace {

TEST(StringFormatTest, FixedStringRoundsAsPrintfDoes) {
  const std::tuple<double, int, const char*> cases[] = {
      {0.5, 0, "0"},        {1.5, 0, "2"},       {2.5, 0, "2"},   {-0.4, 0, "-0"},
      {1499.6, 0, "1500"},  {1.25, 1, "1.2"},    {1.35, 1, "1.4"}, {0.125, 2, "0.12"},
      {0.005, 2, "0.01"},   {3.14159, 6, "3.141590"}, {-2.0, 2, "-2.00"}, {1e21, 0, "1000000000000000000000"},
      {0.1, -3, "0"},       {0.1, 40, "0.10000000000000001"},
  };
  for (auto [value, digits, expected] : cases) EXPECT_EQ(fixedString(value, digits), expected) << value;
  EXPECT_EQ(fixedString(std::numeric_limits<double>::max(), 0).size(), 309u);
  EXPECT_EQ(fixedString(std::nan(""), 2), "nan");
  EXPECT_EQ(fixedString(-std::numeric_limits<double>::infinity(), 1), "-inf");
}

TEST(StringFormatTest, ZeroPaddedPadsAfterTheSign) {
  const std::tuple<long long, int, const char*> cases[] = {
      {5, 2, "05"},   {0, 2, "00"},   {59, 2, "59"}, {123, 2, "123"}, {-5, 2, "-5"},
      {-5, 3, "-05"}, {7, 0, "7"},    {7, -1, "7"},  {LLONG_MIN, 2, "-9223372036854775808"},
  };
  for (auto [value, width, expected] : cases) EXPECT_EQ(zeroPadded(value, width), expected) << value;
}

}  // namespace
}  // namespace base
