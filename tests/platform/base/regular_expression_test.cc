#include "platform/base/regular_expression.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace base {
namespace {

RegularExpression compile(const char* pattern, RegularExpression::Options options = {}) {
  auto regex = RegularExpression::make(pattern, options);
  EXPECT_TRUE(regex) << pattern;
  return *regex;
}

TEST(RegularExpressionTest, EmptyMatchesAdvanceAndRangesBoundTheSearch) {
  const auto empties = compile("x*").matches(std::string_view("ab"));
  ASSERT_EQ(empties.size(), 3u);
  EXPECT_EQ(empties[2].range(), (Range{2, 0}));

  const RegularExpression digits = compile("\\d+");
  const std::string text = "한1 22 333";
  EXPECT_EQ(digits.numberOfMatches(text, Range{2, 5}), 2u);  // " 22 3"
  const auto bounded = digits.matches(std::string_view(text), Range{3, 4});
  ASSERT_EQ(bounded.size(), 2u);
  EXPECT_EQ(bounded[1].range(), (Range{6, 1}));  // cut at the range's end
  EXPECT_TRUE(digits.matches(std::string_view(text), Range{20, 0}).empty());
}

TEST(RegularExpressionTest, ABadPatternIsAnErrorNotACrash) {
  for (const char* pattern : {"(", "a{2,1}", "[z-a]", "\\"}) {
    Error error;
    EXPECT_FALSE(RegularExpression::make(pattern, {}, &error)) << pattern;
    EXPECT_EQ(error.domain, "RegularExpression");
    EXPECT_NE(error.description().find(pattern), std::string::npos) << error.description();
  }
}

TEST(RegularExpressionTest, OneCompiledPatternServesManyThreads) {
  const RegularExpression mark = compile("<mark>(.*?)</mark>");
  std::string text;
  for (int i = 0; i < 200; ++i) text += "가<mark>나</mark>";
  std::vector<std::size_t> counts(4);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < counts.size(); ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 20; ++i) counts[t] += mark.numberOfMatches(text);
    });
  }
  for (auto& thread : threads) thread.join();
  for (std::size_t count : counts) EXPECT_EQ(count, 200u * 20u);
}

}  // namespace
}  // namespace base
