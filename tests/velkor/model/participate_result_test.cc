#include "velkor/model/participate_result.h"

#include <gtest/gtest.h>

#include "tests/velkor/model/fixtures.h"
#include "tests/velkor/model/wire.h"
#include "velkor/model/velkor_error.h"

namespace velkor {
namespace {

using namespace testing;

// A participation answers with a result or, on failure, with the server's error record.
TEST(ParticipateResultTest, EveryFixtureAnswerDecodesAsAResultOrAnError) {
  const auto answers = actionAnswers(
      "participate.json", [](long long id) { return fixtures().participation(id); });
  int withDialog = 0, withDelay = 0, errors = 0, errorDialogs = 0;
  for (const auto& [id, answer] : answers) {
    const std::string body = served(answer.body, id);
    if (answer.status == 200) {
      const auto result = fromWire<ParticipateResult>(body);
      ASSERT_TRUE(result) << id << ": " << result.error().description();
      withDialog += result->dialog.has_value();
      withDelay += result->completeDelayTime.has_value();
    } else {
      const auto error = fromWire<VelkorError>(body);
      ASSERT_TRUE(error) << id << ": " << error.error().description();
      EXPECT_NE(error->code, 0) << id;
      ++errors;
      errorDialogs += error->dialog.has_value();
    }
  }
  EXPECT_GT(withDialog, 0);
  EXPECT_GT(withDelay, 0);
  EXPECT_GT(errors, errorDialogs);
  EXPECT_GT(errorDialogs, 0);

  for (const auto& [id, answer] :
       actionAnswers("optout.json", [](long long id) { return fixtures().optout(id); })) {
    if (answer.status != 200) {
      EXPECT_TRUE(fromWire<VelkorError>(served(answer.body, id))) << id;
    }
  }
}

TEST(ParticipateResultTest, DecodesWithAndWithoutItsOptionalParts) {
  for (const char* bare : {R"({"click_key":"ck","landing_url":"l"})",
                           R"({"click_key":"ck","landing_url":"l","dialog":null,"complete_delay_time":null})"}) {
    const auto result = fromWire<ParticipateResult>(bare);
    ASSERT_TRUE(result) << bare;
    EXPECT_EQ(*result, (ParticipateResult{"ck", "l", std::nullopt, std::nullopt})) << bare;
  }
  const auto full = fromWire<ParticipateResult>(
      R"({"click_key":"ck","landing_url":"l","complete_delay_time":3,
          "dialog":{"type":"alert","message":"m","positive_button":"p"}})");
  ASSERT_TRUE(full);
  EXPECT_EQ(*full, (ParticipateResult{"ck", "l", Dialog{"alert", "m", "p", std::nullopt, std::nullopt}, 3}));
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
            Json::parse(R"({"clickKey":"ck","landingUrl":"l"})"));
  EXPECT_EQ(toJson(ParticipateResult{"ck", "l", Dialog{}, 0}),
            Json::parse(R"({"clickKey":"ck","landingUrl":"l","dialog":{"type":"alert"},
                                      "completeDelayTime":0})"));
}

}  // namespace
}  // namespace velkor
