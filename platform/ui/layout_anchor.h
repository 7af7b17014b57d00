// Anchors: the edges, centres and sizes of a view or layout guide, from which constraints are made.
// Only anchors of one kind can be related: horizontal with horizontal, vertical with vertical,
// size with size.
#pragma once

#include <memory>

namespace ui {

class Constraint;
class LayoutItem;

enum class LayoutAttribute { left, right, top, bottom, leading, trailing, width, height, centerX, centerY, notAnAttribute };
enum class LayoutRelation { lessThanOrEqual = -1, equal = 0, greaterThanOrEqual = 1 };

// Priorities run from 1 to 1000; 1000 is required.
using LayoutPriority = float;
namespace layout_priority {
inline constexpr LayoutPriority required = 1000;
inline constexpr LayoutPriority defaultHigh = 750;
inline constexpr LayoutPriority defaultLow = 250;
// What systemLayoutSizeFitting pulls the size towards the target with.
inline constexpr LayoutPriority fittingSizeLevel = 50;
}  // namespace layout_priority

class LayoutAnchorBase {
 public:
  LayoutAnchorBase(std::weak_ptr<LayoutItem> item, LayoutAttribute attribute)
      : item_(std::move(item)), attribute_(attribute) {}
  std::shared_ptr<LayoutItem> item() const { return item_.lock(); }
  LayoutAttribute attribute() const { return attribute_; }

 protected:
  std::shared_ptr<Constraint> make(LayoutRelation relation, const LayoutAnchorBase* other, double multiplier,
                                   double constant) const;

 private:
  std::weak_ptr<LayoutItem> item_;
  LayoutAttribute attribute_;
};

// this = anchor + constant, this ≥ anchor + constant, this ≤ anchor + constant.
template <class Self>
class LayoutAnchor : public LayoutAnchorBase {
 public:
  std::shared_ptr<Constraint> constraintEqualTo(const Self& anchor, double constant = 0) const {
    return make(LayoutRelation::equal, &anchor, 1, constant);
  }
  std::shared_ptr<Constraint> constraintGreaterThanOrEqualTo(const Self& anchor, double constant = 0) const {
    return make(LayoutRelation::greaterThanOrEqual, &anchor, 1, constant);
  }
  std::shared_ptr<Constraint> constraintLessThanOrEqualTo(const Self& anchor, double constant = 0) const {
    return make(LayoutRelation::lessThanOrEqual, &anchor, 1, constant);
  }

 public:
  using LayoutAnchorBase::LayoutAnchorBase;
};

class XAxisAnchor : public LayoutAnchor<XAxisAnchor> {
 public:
  using LayoutAnchor::LayoutAnchor;
};

class YAxisAnchor : public LayoutAnchor<YAxisAnchor> {
 public:
  using LayoutAnchor::LayoutAnchor;
};

class DimensionAnchor : public LayoutAnchor<DimensionAnchor> {
 public:
  using LayoutAnchor::LayoutAnchor;

  std::shared_ptr<Constraint> constraintEqualToConstant(double constant) const {
    return make(LayoutRelation::equal, nullptr, 1, constant);
  }
  std::shared_ptr<Constraint> constraintGreaterThanOrEqualToConstant(double constant) const {
    return make(LayoutRelation::greaterThanOrEqual, nullptr, 1, constant);
  }
  std::shared_ptr<Constraint> constraintLessThanOrEqualToConstant(double constant) const {
    return make(LayoutRelation::lessThanOrEqual, nullptr, 1, constant);
  }
  // this = anchor × multiplier + constant (and ≥, ≤).
  using LayoutAnchor::constraintEqualTo;
  using LayoutAnchor::constraintGreaterThanOrEqualTo;
  using LayoutAnchor::constraintLessThanOrEqualTo;
  std::shared_ptr<Constraint> constraintEqualTo(const DimensionAnchor& anchor, double multiplier,
                                                double constant) const {
    return make(LayoutRelation::equal, &anchor, multiplier, constant);
  }
  std::shared_ptr<Constraint> constraintGreaterThanOrEqualTo(const DimensionAnchor& anchor, double multiplier,
                                                             double constant) const {
    return make(LayoutRelation::greaterThanOrEqual, &anchor, multiplier, constant);
  }
  std::shared_ptr<Constraint> constraintLessThanOrEqualTo(const DimensionAnchor& anchor, double multiplier,
                                                          double constant) const {
    return make(LayoutRelation::lessThanOrEqual, &anchor, multiplier, constant);
  }
};

}  // namespace ui
