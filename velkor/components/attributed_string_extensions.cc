#include "velkor/components/attributed_string_extensions.h"

#include <string>

#include "platform/base/regular_expression.h"
#include "platform/ui/color.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {
namespace {

constexpr std::string_view kMarkSuffix = "_MARK}";
// Boldness by outline: a negative stroke width fills and outlines the glyphs.
constexpr double kBoldStrokeWidth = -3;

base::Attributes replacementAttributes(std::string_view placeholder, bool bold) {
  base::Attributes attributes;
  if (!placeholder.ends_with(kMarkSuffix)) return attributes;
  attributes.foregroundColor = VelkorInternal::shared().colorScheme()->highlightTextColor().toColorDescription();
  if (bold) attributes.strokeWidth = kBoldStrokeWidth;
  return attributes;
}

std::string withoutMarkTags(std::string text) {
  for (std::string_view tag : {"<mark>", "</mark>"}) {
    for (std::size_t at = text.find(tag); at != std::string::npos; at = text.find(tag, at)) {
      text.erase(at, tag.size());
    }
  }
  return text;
}

}  // namespace

base::Range fullRange(const base::AttributedString& text) { return base::Range{0, text.length()}; }

void replacePlaceholder(base::AttributedString& text, std::string_view placeholder, std::string_view replacement,
                        bool bold) {
  const std::u16string exact = base::toUtf16(placeholder);
  // Without an exact-case occurrence nothing is replaced, and most texts hold few of the marks
  // tried on them: the folding search is spared.
  if (exact.empty() || text.utf16().find(exact) == std::u16string::npos) return;
  const std::vector<base::Range> found = text.findAll(placeholder, {.caseInsensitive = true});
  std::size_t count = 0;  // occurrences to replace: up to the last exact-case one
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (text.utf16().compare(found[i].location, found[i].length, exact) == 0) count = i + 1;
  }
  if (count == 0) return;
  const base::AttributedString inserted(replacement, replacementAttributes(placeholder, bold));
  // From the right, so the ranges found before stay valid.
  for (std::size_t i = count; i-- > 0;) text.replaceCharacters(found[i], inserted);
}

void highlightMarkedText(base::AttributedString& text) {
  static const auto* pattern = new std::optional<base::RegularExpression>(
      base::RegularExpression::make("<mark>(.*?)</mark>"));
  // Every span starts with the tag, so a text without it is left before the expression runs.
  if (!*pattern || text.utf16().find(u"<mark>") == std::u16string::npos) return;
  const std::vector<base::RegexMatch> matches = (*pattern)->matches(std::u16string_view(text.utf16()));
  if (matches.empty()) return;
  base::Attributes highlighted;
  highlighted.foregroundColor = VelkorInternal::shared().colorScheme()->primaryColorVariant().toColorDescription();
  for (auto match = matches.rbegin(); match != matches.rend(); ++match) {
    const base::Range range = match->range();
    std::string inner = withoutMarkTags(text.attributedSubstring(range).string());
    text.replaceCharacters(range, base::AttributedString(inner, highlighted));
  }
}

}  // namespace velkor
