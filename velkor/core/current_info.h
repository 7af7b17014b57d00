// The framed block of what the SDK will send about the user, device and app, printed on each
// presentation while the host's debug flag is on, so that integrators can check it.
#pragma once

#include <string>

namespace velkor {

// The block's twelve lines, without a final line break. A gender outside 0...2 shows as its number.
std::string currentInfoText();

// Writes the block to standard output in one piece.
void printCurrentInfo();

}  // namespace velkor
