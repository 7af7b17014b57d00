#include "platform/base/out_of_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace base {
namespace {

struct Block {
  std::string text;
  std::vector<int> numbers;
  friend bool operator==(const Block&, const Block&) = default;
};

TEST(OutOfLineTest, AssignsFromValuesOptionalsAndNullopt) {
  OutOfLine<Block> block;
  block = std::optional<Block>(Block{"optional", {}});
  EXPECT_EQ(block->text, "optional");
  block = std::optional<Block>();
  EXPECT_FALSE(block);
  const std::optional<Block> kept = Block{"kept", {3}};
  block = kept;
  EXPECT_EQ(block->numbers, std::vector<int>{3});
  EXPECT_TRUE(kept);  // copied from, not moved from
}

TEST(OutOfLineTest, CopiesAreDeepAndMovesTakeTheValue) {
  OutOfLine<Block> original = Block{"x", {1}};
  OutOfLine<Block> copy = original;
  copy->numbers.push_back(2);
  EXPECT_EQ(original->numbers, std::vector<int>{1});
  EXPECT_FALSE(copy == original);

  OutOfLine<Block> assigned;
  assigned = original;
  EXPECT_TRUE(assigned == original);
  const OutOfLine<Block>& same = assigned;
  assigned = same;  // assigning itself keeps the value
  EXPECT_EQ(assigned->text, "x");

  const Block* where = &*original;
  OutOfLine<Block> moved = std::move(original);
  EXPECT_EQ(&*moved, where);  // the same block, not a copy
  OutOfLine<Block> absent;
  EXPECT_TRUE(OutOfLine<Block>(absent) == absent);
  EXPECT_FALSE(absent == moved);
  EXPECT_FALSE(moved == absent);
}

}  // namespace
}  // namespace base
