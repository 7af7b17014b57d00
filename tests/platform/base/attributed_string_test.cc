#include "platform/base/attributed_string.h"

#include <gtest/gtest.h>

namespace base {
namespace {

const ColorDescription kHighlight{Rgba{1.0, 0.36, 0.0, 1.0}, Rgba{1.0, 0.5, 0.2, 1.0}};
const FontDescription kBody{"AppleSDGothicNeo-Regular", 14, 400};

TEST(AttributedString, PlainReplacementTakesTheAttributesOfTheTextItReplaces) {
  const Attributes a{.font = kBody};
  const Attributes b{.foregroundColor = kHighlight};
  struct Case {
    Range range;
    const char* with;
    const char* expected;
    Attributes inserted;
  };
  const Case cases[] = {
      {{2, 2}, "xyz", "abxyzef", b},  // the first replaced character's
      {{4, 0}, "xyz", "abCDxyzef", b},  // empty range: the character before
      {{0, 0}, "xyz", "xyzabCDef", a},  // at the start: the character after
      {{6, 0}, "xyz", "abCDefxyz", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    AttributedString text("abCDef");
    text.setAttributes(a, {0, 2});
    text.setAttributes(b, {2, 2});
    ASSERT_TRUE(text.replaceCharacters(c.range, c.with));
    EXPECT_EQ(text.string(), c.expected);
    Range run;
    EXPECT_EQ(text.attributes(c.range.location, &run), c.inserted);
    // The neighbours keep theirs: only the inserted text was given anything.
    EXPECT_EQ(text.attributes(text.length() - 1), c.range.end() == 6 ? c.inserted : Attributes{});
  }

  AttributedString text("abCDef");
  text.setAttributes(b, {2, 2});
  ASSERT_TRUE(text.replaceCharacters({2, 2}, ""));
  EXPECT_EQ(text.string(), "abef");
  EXPECT_EQ(text.runs().size(), 1u);
}

TEST(AttributedString, RangesOutsideTheTextChangeNothing) {
  AttributedString text("보상", Attributes{.font = kBody});
  const AttributedString before = text;
  EXPECT_FALSE(text.replaceCharacters({1, 2}, "x"));
  EXPECT_FALSE(text.replaceCharacters({3, 0}, AttributedString("x")));
  EXPECT_FALSE(text.addAttributes(Attributes{.strokeWidth = -3}, {0, 3}));
  EXPECT_FALSE(text.setAttributes(Attributes{}, {static_cast<std::size_t>(-1), 2}));
  EXPECT_EQ(text, before);
  EXPECT_EQ(text.attributedSubstring({2, 1}), AttributedString());
  EXPECT_TRUE(text.runs({0, 5}).empty());
  EXPECT_EQ(text.attributes(2), Attributes{});
}

TEST(AttributedString, AppendingItselfDoublesTextAndRuns) {
  AttributedString text("가", Attributes{.font = kBody});
  text.append(AttributedString("나"));
  text.append(text);
  EXPECT_EQ(text.string(), "가나가나");
  EXPECT_EQ(text.runs(), (std::vector<AttributeRun>{
                             {{0, 1}, {.font = kBody}}, {{1, 1}, {}}, {{2, 1}, {.font = kBody}}, {{3, 1}, {}}}));
}

// Full case folds: one character may fold to several ("ß" to "ss"), a character outside ASCII may
// fold into it (the Kelvin sign to "k"), and a match must cover whole characters of the text.
// Ranges count UTF-16 units, so a character outside the basic plane counts two.
TEST(AttributedString, CaseInsensitiveSearchComparesFullFoldsOfWholeCharacters) {
  const struct {
    const char* text;
    const char* needle;
    std::vector<Range> expected;
  } cases[] = {
      {"Straße STRASSE strasse", "STRASSE", {{0, 6}, {7, 7}, {15, 7}}},
      {"ßß", "ss", {{0, 1}, {1, 1}}},
      {"ß", "s", {}},
      {"\u212Aelvin KELVIN", "kelvin", {{0, 6}, {7, 6}}},
      {"{REWARD_\u017FTR}", "{reward_str}", {{0, 12}}},
      {"\U0001F600\u0130x \u0130X", "i\u0307X", {{2, 2}, {5, 2}}},
      {"\U00010400\U00010428", "\U00010428", {{0, 2}, {2, 2}}},
      {"참여하면 ABC", "abc", {{5, 3}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(AttributedString(c.text).findAll(c.needle, {.caseInsensitive = true}), c.expected);
  }
  EXPECT_EQ(AttributedString("ABC abc").find("abc", {.caseInsensitive = true, .from = 1}), (Range{4, 3}));
}

}  // namespace
}  // namespace base
