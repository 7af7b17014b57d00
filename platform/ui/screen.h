// The device's screen as a phone reports it: its bounds in points, the pixels per point, and the
// insets of the area that the status bar, notch and home indicator leave unobscured. A plain value:
// a portrait phone (390 × 844 points at 3 pixels a point, 47 points on top and 34 below) until the
// host app or a test sets another.
#pragma once

#include "platform/ui/geometry.h"

namespace ui {

struct Screen {
  Rect bounds{0, 0, 390, 844};
  double scale = 3;
  EdgeInsets safeAreaInsets{47, 0, 34, 0};

  // The process-wide screen. Safe to read and set from any thread; windows made later take their
  // size from it, windows already made keep theirs until the host resizes them.
  static Screen main();
  static void setMain(Screen screen);

  friend bool operator==(const Screen&, const Screen&) = default;
};

}  // namespace ui
