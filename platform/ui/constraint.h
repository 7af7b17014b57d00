// A layout constraint: first.attribute (=, ≥ or ≤) second.attribute × multiplier + constant, at a
// priority. Activating one installs it on the nearest common ancestor of its items; the layout
// engine of that view tree then solves it with the others. A constraint's constant and priority
// may change while it is active and are re-solved incrementally.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/layout_anchor.h"

namespace ui {

class View;

class Constraint : public std::enable_shared_from_this<Constraint> {
 public:
  // The general form; second may be null (with notAnAttribute) for a constant size.
  static std::shared_ptr<Constraint> make(const std::shared_ptr<LayoutItem>& first, LayoutAttribute firstAttribute,
                                          LayoutRelation relation, const std::shared_ptr<LayoutItem>& second,
                                          LayoutAttribute secondAttribute, double multiplier, double constant);

  // Batches, in order; the solver takes each in at once (incrementally) and the views move at the
  // tree's next layout pass.
  static void activate(const std::vector<std::shared_ptr<Constraint>>& constraints);
  static void deactivate(const std::vector<std::shared_ptr<Constraint>>& constraints);

  bool isActive() const { return active_; }
  // Activation fails, with an error logged, when the items have no common ancestor, an item is
  // gone, or the attributes cannot be related; the constraint then stays inactive.
  void setActive(bool active);

  double constant() const { return constant_; }
  void setConstant(double constant);
  LayoutPriority priority() const { return priority_; }
  // Clamped to 1...1000.
  void setPriority(LayoutPriority priority);
  double multiplier() const { return multiplier_; }
  LayoutRelation relation() const { return relation_; }
  std::shared_ptr<LayoutItem> firstItem() const { return first_.lock(); }
  std::shared_ptr<LayoutItem> secondItem() const { return second_.lock(); }
  LayoutAttribute firstAttribute() const { return firstAttribute_; }
  LayoutAttribute secondAttribute() const { return secondAttribute_; }
  const std::string& identifier() const { return identifier_; }
  void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }

  // "view@0x….leading == view@0x….trailing + 10 @1000", for logs.
  std::string description() const;

 private:
  friend class View;
  friend class LayoutEngine;
  Constraint() = default;
  bool activateOne();
  void deactivateOne();

  std::weak_ptr<LayoutItem> first_;
  std::weak_ptr<LayoutItem> second_;
  LayoutAttribute firstAttribute_ = LayoutAttribute::notAnAttribute;
  LayoutAttribute secondAttribute_ = LayoutAttribute::notAnAttribute;
  LayoutRelation relation_ = LayoutRelation::equal;
  double multiplier_ = 1;
  double constant_ = 0;
  LayoutPriority priority_ = layout_priority::required;
  std::string identifier_;
  bool active_ = false;
  View* installedOn_ = nullptr;  // the common ancestor holding it while active
};

}  // namespace ui
