// The detail page's notice list: the server's notice text split into items and laid out as a
// bulleted list, each item hanging at the indent after its bullet.
#pragma once

#include <string>
#include <vector>

#include "platform/base/attributed_string.h"
#include "platform/ui/color.h"
#include "platform/ui/font.h"

namespace velkor {

// The items of a notice text: a line end before "・" is dropped, every other line end removed, and
// the text split at each "・ " (the middle dot and a blank); empty pieces are left out.
std::vector<std::string> noticeItems(const std::string& text);

struct BulletStyle {
  ui::Font font;
  ui::Color textColor;
  ui::Color bulletColor;
  double indent = 0;
  double lineSpacing = 0;
  double paragraphSpacing = 0;
};

// One line per item: the bullet, a tab, the item and a line end.
base::AttributedString bulletedList(const std::vector<std::string>& items, const std::string& bullet,
                                    const BulletStyle& style);

}  // namespace velkor
