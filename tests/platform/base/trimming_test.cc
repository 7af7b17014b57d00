#include "platform/base/trimming.h"

#include <gtest/gtest.h>

namespace base {
namespace {

TEST(TrimmingTest, TakesEveryUnicodeBlankAndLineEndOffBothEnds) {
  const std::pair<const char*, const char*> cases[] = {
      {"  a b \t\r\n", "a b"},
      {"\u00a0\u3000\u2028\u2029\u0085\u1680\u2000\u200a\u202f\u205f\u000b\u000cx\u00a0", "x"},
      {"\u3000\u00a0 \n", ""},
      {"", ""},
      {"\u200bx\u200b", "\u200bx\u200b"},  // a zero-width space is no blank
      {"\xff x \xff", "\xff x \xff"},      // bytes that are no UTF-8 stay
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(trimmingWhitespaceAndNewlines(text), expected) << text;
}

}  // namespace
}  // namespace base
