#include "platform/base/regular_expression.h"

#include <unicode/regex.h>

#include <limits>
#include <string>

namespace base {
namespace {

uint32_t icuFlags(const RegularExpression::Options& options) {
  uint32_t flags = 0;
  if (options.caseInsensitive) flags |= UREGEX_CASE_INSENSITIVE;
  if (options.allowCommentsAndWhitespace) flags |= UREGEX_COMMENTS;
  if (options.ignoreMetacharacters) flags |= UREGEX_LITERAL;
  if (options.dotMatchesLineSeparators) flags |= UREGEX_DOTALL;
  if (options.anchorsMatchLines) flags |= UREGEX_MULTILINE;
  return flags;
}

Error patternError(std::string_view pattern, UErrorCode status, const UParseError& where) {
  std::string message = "invalid regular expression \"" + std::string(pattern) + "\": " + u_errorName(status);
  if (where.offset >= 0) message += " at offset " + std::to_string(where.offset);
  return Error{"RegularExpression", static_cast<long>(status), std::move(message)};
}

RegexMatch matchOf(const icu::RegexMatcher& matcher, UErrorCode& status) {
  RegexMatch match;
  for (int32_t group = 0; group <= matcher.groupCount(); ++group) {
    const int32_t start = matcher.start(group, status);
    const int32_t end = matcher.end(group, status);
    if (U_FAILURE(status) || start < 0) {
      match.ranges.emplace_back();
      continue;
    }
    match.ranges.emplace_back(Range{static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)});
  }
  return match;
}

}  // namespace

std::optional<RegularExpression> RegularExpression::make(std::string_view pattern, Options options, Error* error) {
  UErrorCode status = U_ZERO_ERROR;
  UParseError where{};
  const auto unicode = icu::UnicodeString::fromUTF8(icu::StringPiece(pattern.data(), static_cast<int32_t>(pattern.size())));
  std::shared_ptr<const icu::RegexPattern> compiled(icu::RegexPattern::compile(unicode, icuFlags(options), where, status));
  if (U_FAILURE(status) || !compiled) {
    if (error) *error = patternError(pattern, U_FAILURE(status) ? status : U_MEMORY_ALLOCATION_ERROR, where);
    return std::nullopt;
  }
  return RegularExpression(std::move(compiled));
}

std::vector<RegexMatch> RegularExpression::find(std::u16string_view text, std::optional<Range> range,
                                                std::size_t limit) const {
  std::vector<RegexMatch> found;
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) return found;
  if (range && (range->location > text.size() || range->length > text.size() - range->location)) return found;
  // An alias of the caller's text: the matcher only reads it while this function runs.
  const icu::UnicodeString input(false, text.data(), static_cast<int32_t>(text.size()));
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::RegexMatcher> matcher(pattern_->matcher(input, status));
  if (U_FAILURE(status)) return found;
  if (range) matcher->region(static_cast<int64_t>(range->location), static_cast<int64_t>(range->end()), status);
  while (found.size() < limit && U_SUCCESS(status) && matcher->find(status)) {
    found.push_back(matchOf(*matcher, status));
  }
  return found;
}

std::vector<RegexMatch> RegularExpression::matches(std::u16string_view text, std::optional<Range> range) const {
  return find(text, range, std::numeric_limits<std::size_t>::max());
}

std::vector<RegexMatch> RegularExpression::matches(std::string_view text, std::optional<Range> range) const {
  return matches(std::u16string_view(toUtf16(text)), range);
}

std::optional<RegexMatch> RegularExpression::firstMatch(std::u16string_view text, std::optional<Range> range) const {
  auto found = find(text, range, 1);
  if (found.empty()) return std::nullopt;
  return std::move(found.front());
}

std::optional<RegexMatch> RegularExpression::firstMatch(std::string_view text, std::optional<Range> range) const {
  return firstMatch(std::u16string_view(toUtf16(text)), range);
}

std::size_t RegularExpression::numberOfMatches(std::string_view text, std::optional<Range> range) const {
  return matches(text, range).size();
}

std::size_t RegularExpression::numberOfCaptureGroups() const {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::RegexMatcher> matcher(pattern_->matcher(status));
  return U_SUCCESS(status) ? static_cast<std::size_t>(matcher->groupCount()) : 0;
}

}  // namespace base
