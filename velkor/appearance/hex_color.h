// The one parser of colours written as text: theme defaults and the colours servers send.
#pragma once

#include <string_view>

#include "platform/ui/color.h"

namespace velkor {

// Blanks and line ends around the text are trimmed and one leading "#" is skipped (and blanks
// after it); then one hexadecimal number is read, with an optional "0x", up to the first other
// character. Its low 24 bits are red, green and blue; a number wider than 32 bits reads as all bits
// set. Three digits are not expanded ("#fff" is 0x000FFF), and a text without digits gives black.
// The alpha is used as given. Never fails.
ui::Color colorFromHex(std::string_view hex, double alpha = 1.0);

}  // namespace velkor
