#include "velkor/core/reward_amount.h"

#include <gtest/gtest.h>

#include "platform/base/number_formatter.h"
#include "velkor/model/reward_type.h"

namespace velkor {
namespace {

struct AmountCase {
  RewardType::List types;
  std::int64_t amount;
  const char* expected;
};

class FormatRewardAmount : public ::testing::TestWithParam<AmountCase> {
 protected:
  void TearDown() override { RewardType::setItems({}); }
};

TEST_P(FormatRewardAmount, ReadsInTheFirstRewardType) {
  RewardType::setItems(GetParam().types);
  EXPECT_EQ(formatRewardAmount(GetParam().amount), GetParam().expected);
}

const RewardType kPoint{1, "포인트", 0, "P"};
const RewardType kCash{2, "캐시", 0, "캐시"};

INSTANTIATE_TEST_SUITE_P(
    Types, FormatRewardAmount,
    ::testing::Values(AmountCase{{kPoint, kCash}, 1500, "포인트 1,500P"}, AmountCase{{kCash, kPoint}, 1500, "1,500캐시"},
                      AmountCase{{kPoint}, 0, "포인트 0P"}, AmountCase{{kPoint}, -1200, "포인트 -1,200P"},
                      // Before any response brought reward types: the plain grouped number.
                      AmountCase{{}, 1000000, "1,000,000"}));

}  // namespace
}  // namespace velkor
