#include "velkor/model/participate_result.h"

#include <gtest/gtest.h>

#include "platform/base/bundle.h"
#include "tests/velkor/model/fixtures.h"
#include "tests/velkor/model/wire.h"
#include "velkor/model/dialog.h"
#include "velkor/model/share_link.h"
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

class DisplayName : public ::testing::Test {
 protected:
  void TearDown() override { base::Bundle::main().removeObject("CFBundleDisplayName"); }
};

TEST_F(DisplayName, MessagesTakeTheAppsNameAndLoseTheirMarkTags) {
  base::Bundle::main().setObject("CFBundleDisplayName", "Foo");
  const Dialog dialog{std::nullopt, "{PUB_APP_DISPLAY_NAME} <mark>100</mark>", std::nullopt, std::nullopt,
                      std::nullopt};
  EXPECT_EQ(dialog.mMessage(), "Foo 100");

  const VelkorError error{1, dialog.message, std::nullopt};
  const base::AttributedString shown = error.mMessage();
  ASSERT_EQ(shown.string(), "Foo 100");
  EXPECT_FALSE(shown.attributes(0).foregroundColor);  // the name is not coloured
  EXPECT_FALSE(shown.attributes(3).foregroundColor);
  EXPECT_TRUE(shown.attributes(4).foregroundColor);  // the marked digits are
  EXPECT_TRUE(shown.attributes(6).foregroundColor);
}

TEST(SharedLinkTest, ReadsTheShortAddressUnderShareLinkWithFixedKeys) {
  const auto link = fromPlain<SharedLink>(
      R"({"share_link":{"short_url":"https://s.example/a","origin_url":"https://www.example.com/a"}})");
  ASSERT_TRUE(link);
  EXPECT_EQ(link->shortURL, "https://s.example/a");
  const auto served = fromPlain<SharedLink>(testing::served(fixtures().shareLink(), 1001));
  ASSERT_TRUE(served);
  EXPECT_EQ(served->shortURL, "http://127.0.0.1:8080/s/1001");

  for (const char* bad : {R"({"short_url":"https://s.example/a"})", R"({"share_link":{"shortUrl":"x"}})",
                          R"({"share_link":{"short_url":3}})", R"([])"}) {
    EXPECT_FALSE(fromPlain<SharedLink>(bad)) << bad;
  }
  // Under the REST clients' conversion the fixed keys would be lost: the answer is read plainly.
  EXPECT_FALSE(fromWire<SharedLink>(R"({"share_link":{"short_url":"x"}})"));
}

}  // namespace
}  // namespace velkor
