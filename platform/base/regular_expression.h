// Regular expressions with ICU's syntax and semantics, which the phone platform's own are built on:
// "." does not match a line end unless asked, "\d" and "\w" are Unicode-aware. Positions are counted
// in UTF-16 code units, the unit of the platform's string ranges (utf16.h).
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/base/error.h"
#include "platform/base/utf16.h"

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class RegexPattern;
U_NAMESPACE_END

namespace base {

// One match: the whole match's range, then one range per capture group; a group that took no part
// in the match has none.
struct RegexMatch {
  std::vector<std::optional<Range>> ranges;

  Range range() const { return ranges.empty() || !ranges.front() ? Range{} : *ranges.front(); }
  std::optional<Range> range(std::size_t group) const {
    return group < ranges.size() ? ranges[group] : std::nullopt;
  }
  std::size_t numberOfRanges() const { return ranges.size(); }
};

struct RegexOptions {
  bool caseInsensitive = false;
  bool allowCommentsAndWhitespace = false;
  // The pattern is literal text.
  bool ignoreMetacharacters = false;
  bool dotMatchesLineSeparators = false;
  // "^" and "$" match at every line's start and end.
  bool anchorsMatchLines = false;
};

class RegularExpression {
 public:
  using Options = RegexOptions;

  // Empty, with the reason in `error` when given, for a pattern ICU cannot compile.
  static std::optional<RegularExpression> make(std::string_view pattern, Options options = {},
                                               Error* error = nullptr);

  // Every match, left to right, within `range` of the text (the whole text when not given). A
  // range reaching past the end of the text matches nothing. UTF-8 text is searched as its UTF-16
  // form, so the ranges are UTF-16 positions either way.
  std::vector<RegexMatch> matches(std::u16string_view text, std::optional<Range> range = std::nullopt) const;
  std::vector<RegexMatch> matches(std::string_view text, std::optional<Range> range = std::nullopt) const;
  std::optional<RegexMatch> firstMatch(std::u16string_view text, std::optional<Range> range = std::nullopt) const;
  std::optional<RegexMatch> firstMatch(std::string_view text, std::optional<Range> range = std::nullopt) const;
  std::size_t numberOfMatches(std::string_view text, std::optional<Range> range = std::nullopt) const;

  std::size_t numberOfCaptureGroups() const;

 private:
  explicit RegularExpression(std::shared_ptr<const icu::RegexPattern> pattern) : pattern_(std::move(pattern)) {}
  std::vector<RegexMatch> find(std::u16string_view text, std::optional<Range> range, std::size_t limit) const;

  // Compiled patterns are immutable and safe to share between threads; each search has its matcher.
  std::shared_ptr<const icu::RegexPattern> pattern_;
};

}  // namespace base
