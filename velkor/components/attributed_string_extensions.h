// The mark-up of server texts: placeholders in braces filled with a value (coloured when their name
// ends in "_MARK}") and spans between "<mark>" and "</mark>" coloured without their tags.
#pragma once

#include <string_view>

#include "platform/base/attributed_string.h"

namespace velkor {

// From 0 over the whole text, in UTF-16 units.
base::Range fullRange(const base::AttributedString& text);

// Replaces the placeholder, found without regard to case, only when the text holds it in its exact
// case: every occurrence from the first up to and including the last exact-case one, left to right.
// Inserted text is never searched again, so a replacement holding the placeholder is kept as is.
// The replacement takes no attributes of the text around it; for a placeholder ending in "_MARK}" it
// takes the scheme's highlightTextColor and, when bold, a stroke width of -3 (heavier glyphs).
void replacePlaceholder(base::AttributedString& text, std::string_view placeholder, std::string_view replacement,
                        bool bold);

// Each "<mark>...</mark>" on one line becomes its inner text (every "<mark>" and "</mark>" in it
// removed) in the scheme's primaryColorVariant. A span across a line break is left as it is.
void highlightMarkedText(base::AttributedString& text);

}  // namespace velkor
