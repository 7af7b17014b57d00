// Views for the ui tests: plain views with a natural size the test sets, standing in for labels
// and image views; and the fixture of the tests that touch a window.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <ostream>
#include <vector>

#include "platform/dispatch/clock.h"
#include "platform/dispatch/main_loop.h"
#include "platform/ui/constraint.h"
#include "platform/ui/image.h"
#include "platform/ui/touch.h"
#include "platform/ui/view.h"
#include "platform/ui/window.h"

namespace ui {

// How gtest prints frames in failures.
inline void PrintTo(const Rect& r, std::ostream* out) {
  *out << "(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ")";
}
inline void PrintTo(const Size& s, std::ostream* out) { *out << "(" << s.width << " x " << s.height << ")"; }
inline void PrintTo(const Point& p, std::ostream* out) { *out << "(" << p.x << ", " << p.y << ")"; }

}  // namespace ui

namespace ui::testing {

class SizedView : public View {
 public:
  explicit SizedView(Size natural = {kNoIntrinsicMetric, kNoIntrinsicMetric}) : natural_(natural) {
    setTranslatesAutoresizingMaskIntoConstraints(false);
  }
  Size intrinsicContentSize() const override { return natural_; }

 private:
  Size natural_;
};

// Text of a given single-line width that wraps into lines of a fixed height.
class WrappingView : public View {
 public:
  WrappingView(double textWidth, double lineHeight) : textWidth_(textWidth), lineHeight_(lineHeight) {
    setTranslatesAutoresizingMaskIntoConstraints(false);
  }
  Size intrinsicContentSize() const override { return {textWidth_, lineHeight_}; }
  Size intrinsicContentSizeForWidth(double width) const override {
    double lines = width > 0 ? std::ceil(textWidth_ / width - 1e-9) : 1;
    return {textWidth_, lines * lineHeight_};
  }

 private:
  double textWidth_;
  double lineHeight_;
};

template <class T = View, class... Args>
std::shared_ptr<T> make(Args&&... args) {
  return std::make_shared<T>(std::forward<Args>(args)...);
}

// An image of one grey, `width` × `height` pixels.
inline Image solidImage(int width, int height, double scale = 1) {
  return *Image::fromRgba(width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4, 90),
                          scale);
}

// A 320 × 480 window on the main loop with a manual clock; touches still down end with the test.
class WindowTest : public ::testing::Test {
 protected:
  void TearDown() override { touch::cancelAll(); }

  dispatch::ScopedManualClock clock;
  dispatch::main_loop::TestScope loop;
  std::shared_ptr<Window> window = std::make_shared<Window>(Rect{0, 0, 320, 480});
};

inline std::shared_ptr<View> constrained() {
  auto view = std::make_shared<View>();
  view->setTranslatesAutoresizingMaskIntoConstraints(false);
  return view;
}

}  // namespace ui::testing
