#include "platform/ui/bezier_path.h"

#include <algorithm>
#include <numbers>

#include "platform/ui/graphics_context.h"

namespace ui {

BezierPath BezierPath::rect(const Rect& r) {
  BezierPath path;
  path.move({r.minX(), r.minY()});
  path.addLine({r.maxX(), r.minY()});
  path.addLine({r.maxX(), r.maxY()});
  path.addLine({r.minX(), r.maxY()});
  path.close();
  return path;
}

BezierPath BezierPath::roundedRect(const Rect& rect, double cornerRadius) {
  return roundedRect(rect, RectCorner::allCorners, {cornerRadius, cornerRadius});
}

BezierPath BezierPath::roundedRect(const Rect& r, RectCorner corners, Size cornerRadii) {
  constexpr double pi = std::numbers::pi;
  double limit = std::min(r.width(), r.height()) / 2;
  double radius = std::clamp(std::min(cornerRadii.width, cornerRadii.height), 0.0, std::max(limit, 0.0));
  auto radiusAt = [&](RectCorner corner) { return hasCorner(corners, corner) ? radius : 0.0; };
  double tl = radiusAt(RectCorner::topLeft), tr = radiusAt(RectCorner::topRight);
  double br = radiusAt(RectCorner::bottomRight), bl = radiusAt(RectCorner::bottomLeft);

  BezierPath path;
  path.move({r.minX() + tl, r.minY()});
  path.addLine({r.maxX() - tr, r.minY()});
  if (tr > 0) path.addArc({r.maxX() - tr, r.minY() + tr}, tr, -pi / 2, 0, true);
  path.addLine({r.maxX(), r.maxY() - br});
  if (br > 0) path.addArc({r.maxX() - br, r.maxY() - br}, br, 0, pi / 2, true);
  path.addLine({r.minX() + bl, r.maxY()});
  if (bl > 0) path.addArc({r.minX() + bl, r.maxY() - bl}, bl, pi / 2, pi, true);
  path.addLine({r.minX(), r.minY() + tl});
  if (tl > 0) path.addArc({r.minX() + tl, r.minY() + tl}, tl, pi, 3 * pi / 2, true);
  path.close();
  return path;
}

void BezierPath::move(Point to) {
  Element element;
  element.point = to;
  elements_.push_back(element);
}

void BezierPath::addLine(Point to) {
  Element element;
  element.kind = Element::Kind::line;
  element.point = to;
  elements_.push_back(element);
}

void BezierPath::addArc(Point center, double radius, double startAngle, double endAngle, bool clockwise) {
  elements_.push_back({Element::Kind::arc, center, radius, startAngle, endAngle, clockwise});
}

void BezierPath::close() {
  Element element;
  element.kind = Element::Kind::close;
  elements_.push_back(element);
}

void BezierPath::stroke() const {
  if (GraphicsContext* context = GraphicsContext::current()) context->stroke(*this);
}

void BezierPath::fill() const {
  if (GraphicsContext* context = GraphicsContext::current()) context->fill(*this);
}

}  // namespace ui
