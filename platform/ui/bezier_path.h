// A path of lines and circular arcs, with the stroke settings a custom drawing or a shape layer
// needs. stroke() and fill() paint into the current graphics context.
#pragma once

#include <vector>

#include "platform/ui/geometry.h"

namespace ui {

enum class LineCap { butt, round, square };

class BezierPath {
 public:
  struct Element {
    enum class Kind { move, line, arc, close };
    Kind kind = Kind::move;
    Point point;  // the end point; for an arc, its centre
    double radius = 0;
    double startAngle = 0;  // radians, 0 along +x, growing towards +y (downwards)
    double endAngle = 0;
    bool clockwise = true;  // as seen on screen: growing angles
    friend bool operator==(const Element&, const Element&) = default;
  };

  BezierPath() = default;
  static BezierPath rect(const Rect& rect);
  // Radii larger than half the shorter side are reduced to it, as the platform does.
  static BezierPath roundedRect(const Rect& rect, double cornerRadius);
  static BezierPath roundedRect(const Rect& rect, RectCorner corners, Size cornerRadii);

  void move(Point to);
  void addLine(Point to);
  void addArc(Point center, double radius, double startAngle, double endAngle, bool clockwise);
  void close();

  double lineWidth() const { return lineWidth_; }
  void setLineWidth(double width) { lineWidth_ = width; }
  LineCap lineCapStyle() const { return lineCap_; }
  void setLineCapStyle(LineCap cap) { lineCap_ = cap; }

  const std::vector<Element>& elements() const { return elements_; }
  bool isEmpty() const { return elements_.empty(); }

  // Paint the path into GraphicsContext::current() with its stroke or fill colour; nothing
  // happens outside a drawing pass.
  void stroke() const;
  void fill() const;

  friend bool operator==(const BezierPath&, const BezierPath&) = default;

 private:
  std::vector<Element> elements_;
  double lineWidth_ = 1;
  LineCap lineCap_ = LineCap::butt;
};

}  // namespace ui
