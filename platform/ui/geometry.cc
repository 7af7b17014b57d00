#include "platform/ui/geometry.h"

#include <cmath>

namespace ui {

bool Rect::intersects(const Rect& other) const {
  return minX() < other.maxX() && other.minX() < maxX() && minY() < other.maxY() && other.minY() < maxY();
}

Rect Rect::intersection(const Rect& other) const {
  if (!intersects(other)) return Rect();
  double x = std::max(minX(), other.minX());
  double y = std::max(minY(), other.minY());
  return {x, y, std::min(maxX(), other.maxX()) - x, std::min(maxY(), other.maxY()) - y};
}

AffineTransform AffineTransform::concatenating(const AffineTransform& t) const {
  return {a * t.a + b * t.c,        a * t.b + b * t.d,        c * t.a + d * t.c,
          c * t.b + d * t.d,        tx * t.a + ty * t.c + t.tx, tx * t.b + ty * t.d + t.ty};
}

AffineTransform AffineTransform::inverted() const {
  double determinant = a * d - b * c;
  if (std::fabs(determinant) < 1e-12) return identity();
  double ia = d / determinant, ib = -b / determinant, ic = -c / determinant, id = a / determinant;
  return {ia, ib, ic, id, -(tx * ia + ty * ic), -(tx * ib + ty * id)};
}

Rect Rect::boundingBox(std::initializer_list<Point> points) {
  Point first = *points.begin();
  double minX = first.x, maxX = first.x, minY = first.y, maxY = first.y;
  for (const Point& p : points) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  return {minX, minY, maxX - minX, maxY - minY};
}

Rect AffineTransform::apply(const Rect& r) const {
  return Rect::boundingBox({apply(Point{r.minX(), r.minY()}), apply(Point{r.maxX(), r.minY()}),
                            apply(Point{r.minX(), r.maxY()}), apply(Point{r.maxX(), r.maxY()})});
}

}  // namespace ui
