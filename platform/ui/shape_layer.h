// A layer that paints a path: filled, stroked, or both. As a view's mask it shows the view only
// inside the filled path.
#pragma once

#include <optional>

#include "platform/ui/layer.h"

namespace ui {

class ShapeLayer : public Layer {
 public:
  const std::optional<BezierPath>& path() const { return path_; }
  void setPath(std::optional<BezierPath> path) { path_ = std::move(path); }
  // Black by default; none paints no fill.
  const std::optional<Color>& fillColor() const { return fillColor_; }
  void setFillColor(std::optional<Color> color) { fillColor_ = std::move(color); }
  // None by default: no stroke.
  const std::optional<Color>& strokeColor() const { return strokeColor_; }
  void setStrokeColor(std::optional<Color> color) { strokeColor_ = std::move(color); }
  double lineWidth() const { return lineWidth_; }
  void setLineWidth(double width) { lineWidth_ = width; }
  LineCap lineCap() const { return lineCap_; }
  void setLineCap(LineCap cap) { lineCap_ = cap; }

 private:
  std::optional<BezierPath> path_;
  std::optional<Color> fillColor_ = Color::black();
  std::optional<Color> strokeColor_;
  double lineWidth_ = 1;
  LineCap lineCap_ = LineCap::butt;
};

}  // namespace ui
