// Restyles a label's text to a line-height multiple, keeping its attributes, font and alignment; the
// detail screen spaces its longer texts with it. Main thread only, like the label.
#pragma once

#include "platform/ui/label.h"

namespace velkor {

// Line spacing 1, the given line-height multiple and the label's alignment over the whole text. Plain
// text takes the label's font as an attribute; a label without text ends with an empty text.
void setLineHeight(ui::Label& label, double lineHeightMultiple);

}  // namespace velkor
