// Plane geometry in points, y growing downwards as on the phone platform: points, sizes,
// rectangles, edge insets, affine transforms and the corner set used by rounded corners.
#pragma once

#include <algorithm>
#include <initializer_list>

namespace ui {

struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  double width = 0;
  double height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  Point origin;
  Size size;

  Rect() = default;
  Rect(Point origin, Size size) : origin(origin), size(size) {}
  Rect(double x, double y, double width, double height) : origin{x, y}, size{width, height} {}

  double x() const { return origin.x; }
  double y() const { return origin.y; }
  double width() const { return size.width; }
  double height() const { return size.height; }
  double minX() const { return std::min(origin.x, origin.x + size.width); }
  double maxX() const { return std::max(origin.x, origin.x + size.width); }
  double minY() const { return std::min(origin.y, origin.y + size.height); }
  double maxY() const { return std::max(origin.y, origin.y + size.height); }
  double midX() const { return origin.x + size.width / 2; }
  double midY() const { return origin.y + size.height / 2; }
  bool isEmpty() const { return size.width == 0 || size.height == 0; }
  // The smallest rectangle holding every point (at least one).
  static Rect boundingBox(std::initializer_list<Point> points);

  // Half-open on the far edges, as the platform tests a point.
  bool contains(Point p) const { return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY(); }
  bool intersects(const Rect& other) const;
  Rect intersection(const Rect& other) const;  // empty at the origin when they do not meet
  Rect offsetBy(double dx, double dy) const { return {origin.x + dx, origin.y + dy, size.width, size.height}; }
  Rect insetBy(double dx, double dy) const {
    return {origin.x + dx, origin.y + dy, size.width - 2 * dx, size.height - 2 * dy};
  }

  friend bool operator==(const Rect&, const Rect&) = default;
};

struct EdgeInsets {
  double top = 0;
  double left = 0;
  double bottom = 0;
  double right = 0;

  Rect inset(const Rect& rect) const {
    return {rect.x() + left, rect.y() + top, rect.width() - left - right, rect.height() - top - bottom};
  }
  EdgeInsets operator+(const EdgeInsets& o) const {
    return {top + o.top, left + o.left, bottom + o.bottom, right + o.right};
  }
  friend bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
};

// x' = a·x + c·y + tx, y' = b·x + d·y + ty. Views use translations and scales (a mirror is a scale
// of −1).
struct AffineTransform {
  double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

  static AffineTransform identity() { return {}; }
  static AffineTransform translation(double tx, double ty) { return {1, 0, 0, 1, tx, ty}; }
  static AffineTransform scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }

  bool isIdentity() const { return *this == AffineTransform(); }
  // This transform followed by `then`.
  AffineTransform concatenating(const AffineTransform& then) const;
  AffineTransform translatedBy(double x, double y) const { return translation(x, y).concatenating(*this); }
  AffineTransform scaledBy(double sx, double sy) const { return scale(sx, sy).concatenating(*this); }
  // The identity when the transform cannot be inverted (a zero scale).
  AffineTransform inverted() const;
  Point apply(Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
  // The bounding box of the transformed rectangle.
  Rect apply(const Rect& r) const;

  friend bool operator==(const AffineTransform&, const AffineTransform&) = default;
};

// A set of rectangle corners: the corners a path rounds, or the corners a layer's radius applies to.
enum class RectCorner : unsigned {
  none = 0,
  topLeft = 1,
  topRight = 2,
  bottomLeft = 4,
  bottomRight = 8,
  allCorners = 15,
};

constexpr RectCorner operator|(RectCorner a, RectCorner b) {
  return static_cast<RectCorner>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr RectCorner operator&(RectCorner a, RectCorner b) {
  return static_cast<RectCorner>(static_cast<unsigned>(a) & static_cast<unsigned>(b));
}
constexpr bool hasCorner(RectCorner set, RectCorner corner) { return (set & corner) == corner; }

}  // namespace ui
