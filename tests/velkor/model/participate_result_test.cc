#include "velkor/model/participate_result.h"

#include <gtest/gtest.h>

#include "tests/velkor/model/wire.h"

namespace velkor {
namespace {

using testing::BadWire;
using testing::failsAsExpected;
using testing::fromWire;
using testing::toJson;
using Kind = base::DecodingError::Kind;

TEST(ParticipateResultTest, DecodesWithAndWithoutItsOptionalParts) {
  const auto bare = fromWire<ParticipateResult>(R"({"click_key":"ck","landing_url":"https://a.example/x"})");
  ASSERT_TRUE(bare);
  EXPECT_EQ(*bare, (ParticipateResult{"ck", "https://a.example/x", std::nullopt, std::nullopt}));

  const auto full = fromWire<ParticipateResult>(
      R"({"click_key":"ck","landing_url":"l","complete_delay_time":3,
          "dialog":{"type":"alert","message":"m","positive_button":"p"}})");
  ASSERT_TRUE(full);
  EXPECT_EQ(full->completeDelayTime, 3);
  EXPECT_EQ(full->dialog, (Dialog{"alert", "m", "p", std::nullopt, std::nullopt}));

  const auto nulls = fromWire<ParticipateResult>(R"({"click_key":"ck","landing_url":"l","dialog":null,
                                                     "complete_delay_time":null})");
  ASSERT_TRUE(nulls);
  EXPECT_FALSE(nulls->dialog);
  EXPECT_FALSE(nulls->completeDelayTime);
}

TEST(ParticipateResultTest, FailsOnAMissingKeyOrAWrongType) {
  for (const BadWire& bad :
       {BadWire{R"({"click_key":"ck"})", Kind::keyNotFound, "landing_url"},
        BadWire{R"({"landing_url":"l"})", Kind::keyNotFound, "click_key"},
        BadWire{R"({"click_key":1,"landing_url":"l"})", Kind::typeMismatch, "click_key"},
        BadWire{R"({"click_key":"ck","landing_url":"l","complete_delay_time":"3"})", Kind::typeMismatch,
                "complete_delay_time"},
        BadWire{R"({"click_key":"ck","landing_url":"l","complete_delay_time":2.5})", Kind::dataCorrupted,
                "complete_delay_time"},
        BadWire{R"({"click_key":"ck","landing_url":"l","dialog":[]})", Kind::typeMismatch, "dialog"}}) {
    EXPECT_TRUE(failsAsExpected<ParticipateResult>(bad));
  }
}

TEST(ParticipateResultTest, EncodesTheOptionalPartsOnlyWhenPresent) {
  EXPECT_EQ(toJson(ParticipateResult{"ck", "l", std::nullopt, std::nullopt}),
            nlohmann::json::parse(R"({"clickKey":"ck","landingUrl":"l"})"));
  EXPECT_EQ(toJson(ParticipateResult{"ck", "l", Dialog{}, 0}),
            nlohmann::json::parse(R"({"clickKey":"ck","landingUrl":"l","dialog":{"type":"alert"},
                                      "completeDelayTime":0})"));
}

}  // namespace
}  // namespace velkor
