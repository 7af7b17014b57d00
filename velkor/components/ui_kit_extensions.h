// Small helpers the screens share: the one process-wide action of dialog buttons, rounding chosen
// corners of a view, and whether a view shows in dark mode. Main thread only.
#pragma once

#include <functional>

#include "platform/ui/button.h"
#include "platform/ui/geometry.h"
#include "platform/ui/view.h"

namespace velkor {

// The action a server dialog's submit button runs; the latest dialog with a callback address owns
// it, and closing the alert does not clear it.
void setButtonActionHandler(std::function<void()> handler);
// Runs the action when there is one.
void triggerActionHandler();
// Makes the button run the action on touch up inside, after the actions it already has.
void addTriggerActionHandler(ui::Button& button);

// Masks the view to its current bounds with the given corners rounded; re-run after layout.
void roundCorners(ui::View& view, ui::RectCorner corners, double radius);

// Below OS 13 never; else the view's own override when it sets one, otherwise its traits.
bool isDarkMode(const ui::View& view);

}  // namespace velkor
