#include "velkor/web/script_string.h"

#include <gtest/gtest.h>

namespace velkor {
namespace {

TEST(EscapeScriptString, EverythingThatCouldEndTheStringOrTheLine) {
  const struct {
    const char* text;
    const char* escaped;
  } cases[] = {
      {"plain 한글 text", "plain 한글 text"},
      {"it's", "it\\'s"},
      {"say \"hi\"", "say \\\"hi\\\""},
      {"back\\slash", "back\\\\slash"},
      {"two\nlines\r", "two\\nlines\\r"},
      {"tab\there", "tab\\u0009here"},
      {"line\xE2\x80\xA8sep\xE2\x80\xA9para", "line\\u2028sep\\u2029para"},
      {"\xE2\x80\xA6 stays", "\xE2\x80\xA6 stays"},
      {"</script><script>alert(1)</script>", "</script><script>alert(1)</script>"},
      {"'); alert(1); ('", "\\'); alert(1); (\\'"},
  };
  for (const auto& c : cases) EXPECT_EQ(escapeScriptString(c.text), c.escaped) << c.text;
  EXPECT_EQ(escapeScriptString(std::string("nul\0!", 5)), "nul\\u0000!");
}

}  // namespace
}  // namespace velkor
