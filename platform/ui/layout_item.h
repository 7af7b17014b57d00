// What constraints relate: a view or a layout guide, with its anchors. Items are shared objects
// (made with std::make_shared); anchors refer to them weakly.
#pragma once

#include <memory>

#include "platform/ui/layout_anchor.h"

namespace ui {

class View;

class LayoutItem : public std::enable_shared_from_this<LayoutItem> {
 public:
  virtual ~LayoutItem() = default;

  XAxisAnchor leadingAnchor() { return {weak_from_this(), LayoutAttribute::leading}; }
  XAxisAnchor trailingAnchor() { return {weak_from_this(), LayoutAttribute::trailing}; }
  XAxisAnchor leftAnchor() { return {weak_from_this(), LayoutAttribute::left}; }
  XAxisAnchor rightAnchor() { return {weak_from_this(), LayoutAttribute::right}; }
  XAxisAnchor centerXAnchor() { return {weak_from_this(), LayoutAttribute::centerX}; }
  YAxisAnchor topAnchor() { return {weak_from_this(), LayoutAttribute::top}; }
  YAxisAnchor bottomAnchor() { return {weak_from_this(), LayoutAttribute::bottom}; }
  YAxisAnchor centerYAnchor() { return {weak_from_this(), LayoutAttribute::centerY}; }
  DimensionAnchor widthAnchor() { return {weak_from_this(), LayoutAttribute::width}; }
  DimensionAnchor heightAnchor() { return {weak_from_this(), LayoutAttribute::height}; }

  // The view whose coordinates the item is measured in: the view itself, or a guide's owner (null
  // once that view is gone).
  virtual View* owningView() const = 0;
};

}  // namespace ui
