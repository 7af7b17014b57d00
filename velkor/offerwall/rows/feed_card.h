// The card both feed row styles draw: a shadowed wrapper holding a wide thumbnail over a bottom
// bar, the thumbnail's top corners and the bar's bottom corners rounded by the list-item radius.
#pragma once

#include "platform/ui/view.h"

namespace velkor {

// The wrapper's soft grey shadow, its radius the list-item radius at the time the card is made.
void styleCardShadow(ui::View& wrapper);

// Rounds the card's outer corners by the configuration's current list-item radius; the corners
// where thumbnail and bar meet stay square.
void shapeCard(ui::View& thumbnail, ui::View& bottomBar);

}  // namespace velkor
