#include "platform/base/attributed_string.h"

#include <unicode/casemap.h>
#include <unicode/edits.h>
#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>

#include "platform/base/log.h"

namespace base {
namespace {

template <typename T>
void take(std::optional<T>& field, const std::optional<T>& other) {
  if (other) field = other;
}

// A text in full case folding, with each folded unit's source: the index of the character of the
// text it came from. Units of one character share that index, so a character's fold starts where
// the index changes.
struct Folded {
  std::u16string units;
  std::vector<std::size_t> source;

  bool startsCharacter(std::size_t at) const {
    return at == 0 || at == units.size() || source[at] != source[at - 1];
  }
};

// The text left as it is, each unit its own source: for a fold that failed.
Folded unfolded(std::u16string_view text) {
  Folded folded;
  folded.units = std::u16string(text);
  for (std::size_t at = 0; at < text.size(); ++at) folded.source.push_back(at);
  return folded;
}

// One call folds the whole text; its edits tell which characters changed. A character outside the
// basic plane left unchanged keeps both its units on its first.
Folded fold(std::u16string_view text) {
  // No character folds to more than three units for each of its own.
  if (text.size() > static_cast<std::size_t>(INT32_MAX / 3)) return unfolded(text);
  Folded folded;
  folded.units.resize(text.size() * 3);
  icu::Edits edits;
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = icu::CaseMap::fold(U_FOLD_CASE_DEFAULT, text.data(), static_cast<int32_t>(text.size()),
                                            folded.units.data(), static_cast<int32_t>(folded.units.size()), &edits,
                                            status);
  if (U_FAILURE(status)) return unfolded(text);
  folded.units.resize(static_cast<std::size_t>(length));
  folded.source.reserve(folded.units.size());
  // The fine iterator gives each changed character on its own.
  for (auto edit = edits.getFineIterator(); edit.next(status);) {
    const auto from = static_cast<std::size_t>(edit.sourceIndex());
    if (edit.hasChange()) {
      folded.source.insert(folded.source.end(), static_cast<std::size_t>(edit.newLength()), from);
      continue;
    }
    for (std::size_t at = from; at < from + static_cast<std::size_t>(edit.oldLength()); ++at) {
      const bool trail = at > from && U16_IS_LEAD(text[at - 1]) && U16_IS_TRAIL(text[at]);
      folded.source.push_back(trail ? at - 1 : at);
    }
  }
  return folded;
}

// Finds a needle in a text, over and over from different places.
class Searcher {
 public:
  Searcher(const std::u16string& text, std::string_view needle, bool caseInsensitive)
      : text_(text), needle_(toUtf16(needle)), caseInsensitive_(caseInsensitive) {
    if (!caseInsensitive_) return;
    folded_ = fold(text_);
    needle_ = fold(needle_).units;
  }

  std::optional<Range> next(std::size_t from) const {
    if (needle_.empty() || from > text_.size()) return std::nullopt;
    if (caseInsensitive_) return nextFolded(from);
    std::size_t at = text_.find(needle_, from);
    if (at == std::u16string::npos) return std::nullopt;
    return Range{at, needle_.size()};
  }

 private:
  // A match of folds counts only when it covers whole characters of the text.
  std::optional<Range> nextFolded(std::size_t from) const {
    auto first = std::lower_bound(folded_.source.begin(), folded_.source.end(), from);
    std::size_t at = static_cast<std::size_t>(first - folded_.source.begin());
    for (; (at = folded_.units.find(needle_, at)) != std::u16string::npos; ++at) {
      std::size_t end = at + needle_.size();
      if (!folded_.startsCharacter(at) || !folded_.startsCharacter(end)) continue;
      std::size_t location = folded_.source[at];
      std::size_t stop = end == folded_.units.size() ? text_.size() : folded_.source[end];
      return Range{location, stop - location};
    }
    return std::nullopt;
  }

  const std::u16string& text_;
  std::u16string needle_;
  bool caseInsensitive_;
  Folded folded_;
};

}  // namespace

void Attributes::add(const Attributes& other) {
  take(foregroundColor, other.foregroundColor);
  take(font, other.font);
  take(strokeWidth, other.strokeWidth);
  take(paragraphStyle, other.paragraphStyle);
}

AttributedString::AttributedString(std::string_view text, const Attributes& attributes)
    : AttributedString(fromUtf16(toUtf16(text), attributes)) {}

AttributedString AttributedString::fromUtf16(std::u16string text, const Attributes& attributes) {
  AttributedString result;
  result.text_ = std::move(text);
  if (!result.text_.empty()) result.runs_.push_back(Run{result.text_.size(), attributes});
  return result;
}

bool AttributedString::check(Range range, std::string_view operation) const {
  if (inBounds(range)) return true;
  logError("AttributedString: " + std::string(operation) + " refused: range {" + std::to_string(range.location) +
           ", " + std::to_string(range.length) + "} lies outside a text of length " + std::to_string(length()));
  return false;
}

Attributes AttributedString::attributes(std::size_t at, Range* effectiveRange) const {
  std::size_t start = 0;
  for (const Run& run : runs_) {
    if (at < start + run.length) {
      if (effectiveRange) *effectiveRange = Range{start, run.length};
      return run.attributes;
    }
    start += run.length;
  }
  if (effectiveRange) *effectiveRange = Range{at, 0};
  return {};
}

std::vector<AttributeRun> AttributedString::runs(Range within) const {
  std::vector<AttributeRun> result;
  if (!check(within, "runs")) return result;
  std::size_t start = 0;
  for (const Run& run : runs_) {
    std::size_t from = std::max(start, within.location);
    std::size_t to = std::min(start + run.length, within.end());
    if (from < to) result.push_back(AttributeRun{Range{from, to - from}, run.attributes});
    start += run.length;
  }
  return result;
}

AttributedString AttributedString::attributedSubstring(Range range) const {
  AttributedString result;
  if (!check(range, "substring")) return result;
  result.text_ = text_.substr(range.location, range.length);
  for (const AttributeRun& run : runs(range)) result.runs_.push_back(Run{run.range.length, run.attributes});
  return result;
}

std::size_t AttributedString::splitAt(std::size_t at) {
  std::size_t start = 0;
  for (std::size_t index = 0; index < runs_.size(); ++index) {
    if (at == start) return index;
    Run& run = runs_[index];
    if (at < start + run.length) {
      Run tail{start + run.length - at, run.attributes};
      run.length = at - start;
      runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(index) + 1, std::move(tail));
      return index + 1;
    }
    start += run.length;
  }
  return runs_.size();
}

void AttributedString::coalesce() {
  std::vector<Run> merged;
  for (Run& run : runs_) {
    if (run.length == 0) continue;
    if (!merged.empty() && merged.back().attributes == run.attributes) {
      merged.back().length += run.length;
    } else {
      merged.push_back(std::move(run));
    }
  }
  runs_ = std::move(merged);
}

void AttributedString::splice(Range range, const std::u16string& text, std::vector<Run> runs) {
  std::size_t first = splitAt(range.location);
  std::size_t last = splitAt(range.end());
  auto at = runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(first),
                        runs_.begin() + static_cast<std::ptrdiff_t>(last));
  runs_.insert(at, std::make_move_iterator(runs.begin()), std::make_move_iterator(runs.end()));
  text_.replace(range.location, range.length, text);
  coalesce();
}

void AttributedString::append(const AttributedString& other) {
  // Copied first: `other` may be this very string.
  std::vector<Run> runs = other.runs_;
  std::u16string text = other.text_;
  splice(Range{length(), 0}, text, std::move(runs));
}

bool AttributedString::replaceCharacters(Range range, std::string_view text) {
  if (!check(range, "replace")) return false;
  std::size_t source = range.length > 0 || range.location == 0 ? range.location : range.location - 1;
  std::u16string units = toUtf16(text);
  std::size_t count = units.size();
  splice(range, units, {Run{count, attributes(source)}});
  return true;
}

bool AttributedString::replaceCharacters(Range range, const AttributedString& replacement) {
  if (!check(range, "replace")) return false;
  std::vector<Run> runs = replacement.runs_;
  std::u16string text = replacement.text_;
  splice(range, text, std::move(runs));
  return true;
}

bool AttributedString::changeAttributes(Range range, std::string_view operation,
                                        const std::function<void(Attributes&)>& change) {
  if (!check(range, operation)) return false;
  std::size_t first = splitAt(range.location);
  std::size_t last = splitAt(range.end());
  for (std::size_t index = first; index < last; ++index) change(runs_[index].attributes);
  coalesce();
  return true;
}

bool AttributedString::addAttributes(const Attributes& attributes, Range range) {
  return changeAttributes(range, "add attributes", [&](Attributes& run) { run.add(attributes); });
}

bool AttributedString::setAttributes(const Attributes& attributes, Range range) {
  return changeAttributes(range, "set attributes", [&](Attributes& run) { run = attributes; });
}

std::optional<Range> AttributedString::find(std::string_view needle, SearchOptions options) const {
  return Searcher(text_, needle, options.caseInsensitive).next(options.from);
}

std::vector<Range> AttributedString::findAll(std::string_view needle, SearchOptions options) const {
  Searcher searcher(text_, needle, options.caseInsensitive);
  std::vector<Range> found;
  for (auto match = searcher.next(options.from); match; match = searcher.next(match->end())) {
    found.push_back(*match);
  }
  return found;
}

}  // namespace base
