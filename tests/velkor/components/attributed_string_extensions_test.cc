#include "velkor/components/attributed_string_extensions.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/ui/color.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {
namespace {

using base::AttributedString;
using base::Attributes;
using base::Range;

const ui::Color kHighlight(0.9, 0.1, 0.2);
const ui::Color kVariant(0.1, 0.6, 0.3);

// Installs a scheme whose highlight and variant colours differ, and puts the old one back after.
class MarkupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = VelkorInternal::shared().colorScheme();
    auto scheme = std::make_shared<VelkorColorScheme>();
    scheme->setPrimaryColorVariant(kVariant);
    VelkorInternal::shared().setColorScheme(scheme);
  }
  void TearDown() override { VelkorInternal::shared().setColorScheme(saved_); }
  static Attributes body() {
    Attributes attributes;
    attributes.font = base::FontDescription{"", 13, 400};
    return attributes;
  }
  static Attributes colored(const ui::Color& color, std::optional<double> stroke = std::nullopt) {
    Attributes attributes;
    attributes.foregroundColor = color.toColorDescription();
    attributes.strokeWidth = stroke;
    return attributes;
  }
  // The runs as (text, attributes) pairs, for whole-string comparisons.
  static std::vector<std::pair<std::string, Attributes>> runs(const AttributedString& text) {
    std::vector<std::pair<std::string, Attributes>> result;
    for (const auto& run : text.runs()) result.emplace_back(text.attributedSubstring(run.range).string(), run.attributes);
    return result;
  }
 private:
  std::shared_ptr<VelkorColorScheme> saved_;
};

TEST_F(MarkupTest, MarkPlaceholderTakesTheHighlightColourAndBoldStroke) {
  AttributedString text("최대 {REWARD_STR_MARK} 적립", body());
  replacePlaceholder(text, "{REWARD_STR_MARK}", "1,500원", true);
  // No override: highlightTextColor falls back to the variant.
  EXPECT_EQ(runs(text), (std::vector<std::pair<std::string, Attributes>>{
                            {"최대 ", body()}, {"1,500원", colored(kVariant, -3.0)}, {" 적립", body()}}));
  VelkorInternal::shared().colorScheme()->setHighlightTextColor(kHighlight);
  AttributedString plain("{POINT_MARK}");
  replacePlaceholder(plain, "{POINT_MARK}", "3P", false);
  EXPECT_EQ(runs(plain), (std::vector<std::pair<std::string, Attributes>>{{"3P", colored(kHighlight)}}));
}

TEST_F(MarkupTest, ReplacesUpToTheLastExactCaseOccurrenceAndNeverLoops) {
  const struct {
    const char* text;
    const char* placeholder;
    const char* replacement;
    const char* expected;
  } cases[] = {
      // Lower case before exact case: both go, left to right.
      {"{reward} 그리고 {REWARD}", "{REWARD}", "5", "5 그리고 5"},
      // Exact case before lower case: the later lower-case one stays.
      {"{REWARD} 그리고 {reward}", "{REWARD}", "5", "5 그리고 {reward}"},
      // A replacement holding the placeholder is inserted once and not searched again.
      {"a {R_MARK} b {R_MARK}", "{R_MARK}", "<{R_MARK}>", "a <{R_MARK}> b <{R_MARK}>"},
      // Pieces of the placeholder around an insertion do not join into a new one.
      {"{RE{X}WARD}", "{X}", "", "{REWARD}"},
      {"{X}", "", "1", "{X}"},
      // Found by full case folds: the long s matches an "s", but only an exact-case one replaces.
      {"{REWARD_\u017FTR} 그리고 {REWARD_STR}", "{REWARD_STR}", "5", "5 그리고 5"},
      {"{REWARD_\u017FTR} 그리고 {reward_str}", "{REWARD_STR}", "5", "{REWARD_\u017FTR} 그리고 {reward_str}"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    AttributedString text(c.text);
    replacePlaceholder(text, c.placeholder, c.replacement, false);
    EXPECT_EQ(text.string(), c.expected);
  }
}

TEST_F(MarkupTest, MarkedSpanEdgeCases) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"줄을 <mark>넘는\n강조</mark> 없음", "줄을 <mark>넘는\n강조</mark> 없음"},
      {"<MARK>대문자</MARK>", "<MARK>대문자</MARK>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    AttributedString text(c.text);
    highlightMarkedText(text);
    EXPECT_EQ(text.string(), c.expected);
  }
  // Ranges are UTF-16: the colour lands on the word after the emoji (two units), not inside it.
  AttributedString emoji("😀<mark>웃음</mark>");
  highlightMarkedText(emoji);
  Range effective;
  EXPECT_EQ(emoji.attributes(2, &effective), colored(kVariant));
  EXPECT_EQ(effective, (Range{2, 2}));
  EXPECT_EQ(emoji.attributes(1), Attributes{});
}

}  // namespace
}  // namespace velkor
