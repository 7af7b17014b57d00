#include "velkor/model/opt_out_option.h"

#include <gtest/gtest.h>

#include "tests/velkor/model/wire.h"

namespace velkor {
namespace {

using namespace testing;

TEST(OptOutOptionTest, FillsDefaultsFromWhatTheServerSent) {
  struct Case {
    const char* json;
    std::optional<std::string> OptOutOption::*field;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {R"({"start_button_text":"시작"})", &OptOutOption::actionButtonText, "시작"},
      {R"({"action_button_text":null})", &OptOutOption::actionButtonText, "처음이 아니에요"},
      // The action text fills every placeholder of the title, server-sent or default...
      {R"({"action_text":"설치","title":"{ACTION_TEXT} 또 {ACTION_TEXT}"})", &OptOutOption::title,
       "설치 또 설치"},
      {R"({"action_text":"설치"})", &OptOutOption::title,
       "이미 설치한 적이 있나요?\n새로운 미션으로 바꿀 수 있어요"},
      // ...and nothing else.
      {R"({"action_text":"설치","message":"{ACTION_TEXT}"})", &OptOutOption::message, "{ACTION_TEXT}"},
      // An action text holding the placeholder is inserted once, not expanded again.
      {R"({"action_text":"{ACTION_TEXT}!","title":"a{ACTION_TEXT}b"})", &OptOutOption::title,
       "a{ACTION_TEXT}!b"},
  };
  for (const Case& c : cases) {
    const auto option = fromWire<OptOutOption>(c.json);
    ASSERT_TRUE(option) << c.json;
    EXPECT_EQ((*option).*c.field, c.expected) << c.json;
  }
}

}  // namespace
}  // namespace velkor
