#include "platform/ui/constraint.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/base/log.h"
#include "platform/ui/layout_engine.h"
#include "platform/ui/layout_guide.h"
#include "platform/ui/view.h"

namespace ui {
namespace {

enum class Kind { horizontal, vertical, dimension, none };

Kind kindOf(LayoutAttribute attribute) {
  switch (attribute) {
    case LayoutAttribute::left:
    case LayoutAttribute::right:
    case LayoutAttribute::leading:
    case LayoutAttribute::trailing:
    case LayoutAttribute::centerX: return Kind::horizontal;
    case LayoutAttribute::top:
    case LayoutAttribute::bottom:
    case LayoutAttribute::centerY: return Kind::vertical;
    case LayoutAttribute::width:
    case LayoutAttribute::height: return Kind::dimension;
    case LayoutAttribute::notAnAttribute: break;
  }
  return Kind::none;
}

bool isDirectional(LayoutAttribute a) { return a == LayoutAttribute::leading || a == LayoutAttribute::trailing; }
bool isAbsolute(LayoutAttribute a) { return a == LayoutAttribute::left || a == LayoutAttribute::right; }

const char* name(LayoutAttribute attribute) {
  switch (attribute) {
    case LayoutAttribute::left: return "left";
    case LayoutAttribute::right: return "right";
    case LayoutAttribute::top: return "top";
    case LayoutAttribute::bottom: return "bottom";
    case LayoutAttribute::leading: return "leading";
    case LayoutAttribute::trailing: return "trailing";
    case LayoutAttribute::width: return "width";
    case LayoutAttribute::height: return "height";
    case LayoutAttribute::centerX: return "centerX";
    case LayoutAttribute::centerY: return "centerY";
    case LayoutAttribute::notAnAttribute: break;
  }
  return "none";
}

std::string describe(const std::shared_ptr<LayoutItem>& item) {
  if (!item) return "(gone)";
  char buffer[64];
  if (auto* guide = dynamic_cast<LayoutGuide*>(item.get())) {
    std::snprintf(buffer, sizeof buffer, "view@%p.%s", static_cast<void*>(guide->owningView()),
                  guide->kind() == LayoutGuide::Kind::safeArea ? "safeAreaLayoutGuide" : "layoutMarginsGuide");
  } else {
    std::snprintf(buffer, sizeof buffer, "view@%p", static_cast<void*>(item.get()));
  }
  return buffer;
}

std::string number(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", value);
  return buffer;
}

View* commonAncestor(View* a, View* b) {
  for (View* x = a; x; x = x->superview()) {
    for (View* y = b; y; y = y->superview()) {
      if (x == y) return x;
    }
  }
  return nullptr;
}

}  // namespace

std::shared_ptr<Constraint> Constraint::make(const std::shared_ptr<LayoutItem>& first, LayoutAttribute firstAttribute,
                                             LayoutRelation relation, const std::shared_ptr<LayoutItem>& second,
                                             LayoutAttribute secondAttribute, double multiplier, double constant) {
  std::shared_ptr<Constraint> constraint(new Constraint());
  constraint->first_ = first;
  constraint->firstAttribute_ = firstAttribute;
  constraint->relation_ = relation;
  constraint->second_ = second;
  constraint->secondAttribute_ = second ? secondAttribute : LayoutAttribute::notAnAttribute;
  constraint->multiplier_ = multiplier;
  constraint->constant_ = constant;
  return constraint;
}

void Constraint::activate(const std::vector<std::shared_ptr<Constraint>>& constraints) {
  for (const auto& constraint : constraints) {
    if (constraint) constraint->activateOne();
  }
}

void Constraint::deactivate(const std::vector<std::shared_ptr<Constraint>>& constraints) {
  for (const auto& constraint : constraints) {
    if (constraint) constraint->deactivateOne();
  }
}

void Constraint::setActive(bool active) {
  if (active) {
    activateOne();
  } else {
    deactivateOne();
  }
}

bool Constraint::activateOne() {
  if (active_) return true;
  auto first = first_.lock();
  auto second = second_.lock();
  Kind firstKind = kindOf(firstAttribute_), secondKind = kindOf(secondAttribute_);
  const char* problem = nullptr;
  if (!first || !first->owningView() || (secondKind != Kind::none && (!second || !second->owningView()))) {
    problem = "an item is gone";
  } else if (firstKind == Kind::none || (secondKind != Kind::none && secondKind != firstKind) ||
             (secondKind == Kind::none && firstKind != Kind::dimension)) {
    problem = "the attributes cannot be related";
  } else if ((isDirectional(firstAttribute_) && isAbsolute(secondAttribute_)) ||
             (isAbsolute(firstAttribute_) && isDirectional(secondAttribute_))) {
    problem = "leading and trailing cannot be related to left and right";
  } else if (!std::isfinite(constant_) || !std::isfinite(multiplier_)) {
    problem = "the constant or multiplier is not finite";
  }
  View* ancestor = nullptr;
  if (!problem) {
    ancestor = commonAncestor(first->owningView(), second ? second->owningView() : first->owningView());
    if (!ancestor) problem = "the items have no common ancestor";
  }
  if (problem) {
    base::logError(std::string("Layout: cannot activate ") + description() + ": " + problem);
    return false;
  }
  active_ = true;
  installedOn_ = ancestor;
  ancestor->constraints_.push_back(shared_from_this());
  if (LayoutEngine* engine = ancestor->rootEngine()) engine->constraintActivated(*this);
  return true;
}

void Constraint::deactivateOne() {
  if (!active_) return;
  auto self = shared_from_this();  // the view's list may hold the last reference
  View* view = installedOn_;
  active_ = false;
  installedOn_ = nullptr;
  if (!view) return;
  if (LayoutEngine* engine = view->rootEngine()) engine->constraintDeactivated(*this);
  auto& list = view->constraints_;
  list.erase(std::remove(list.begin(), list.end(), self), list.end());
}

void Constraint::setConstant(double constant) {
  if (!std::isfinite(constant)) {
    base::logError("Layout: ignoring a constant that is not finite for " + description());
    return;
  }
  if (constant == constant_) return;
  constant_ = constant;
  if (active_ && installedOn_) {
    if (LayoutEngine* engine = installedOn_->rootEngine()) engine->constraintConstantChanged(*this);
  }
}

void Constraint::setPriority(LayoutPriority priority) {
  LayoutPriority clamped = std::clamp<LayoutPriority>(priority, 1, layout_priority::required);
  if (!(clamped == priority)) {
    base::logError("Layout: priority " + number(priority) + " clamped to 1...1000 for " + description());
  }
  if (clamped == priority_) return;
  priority_ = clamped;
  if (active_ && installedOn_) {
    if (LayoutEngine* engine = installedOn_->rootEngine()) engine->constraintPriorityChanged(*this);
  }
}

std::string Constraint::description() const {
  static const char* relations[] = {"<=", "==", ">="};
  std::string text = describe(first_.lock()) + "." + name(firstAttribute_) + " " +
                     relations[static_cast<int>(relation_) + 1] + " ";
  if (secondAttribute_ != LayoutAttribute::notAnAttribute) {
    text += describe(second_.lock()) + "." + name(secondAttribute_);
    if (multiplier_ != 1) text += " * " + number(multiplier_);
    if (constant_ != 0) text += (constant_ < 0 ? " - " : " + ") + number(std::fabs(constant_));
  } else {
    text += number(constant_);
  }
  text += " @" + number(priority_);
  if (!identifier_.empty()) text += " (" + identifier_ + ")";
  return text;
}

}  // namespace ui
