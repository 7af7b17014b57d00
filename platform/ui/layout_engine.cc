#include "platform/ui/layout_engine.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/base/log.h"
#include "platform/ui/layout_guide.h"
#include "platform/ui/view.h"

namespace ui {
namespace {

// Below every priority a constraint may have: first keep sizes small, then positions near the
// superview's origin (see view.h).
constexpr double kSizeStay = 0.5;
constexpr double kPositionStay = 0.25;
// Rounds of measuring heights at solved widths before the engine settles for what it has.
constexpr int kMeasureRounds = 4;

double snap(double value) {
  double snapped = std::round(value * 1e6) / 1e6;
  return snapped == 0 ? 0 : snapped;  // no negative zero
}

bool near(double a, double b) { return std::fabs(a - b) < 1e-6; }

bool nearRect(const Rect& a, const Rect& b) {
  return near(a.x(), b.x()) && near(a.y(), b.y()) && near(a.width(), b.width()) && near(a.height(), b.height());
}

bool isDirectional(LayoutAttribute attribute) {
  return attribute == LayoutAttribute::leading || attribute == LayoutAttribute::trailing;
}

bool isHorizontalPosition(LayoutAttribute attribute) {
  return isDirectional(attribute) || attribute == LayoutAttribute::left ||
         attribute == LayoutAttribute::right || attribute == LayoutAttribute::centerX;
}

bool isRightToLeft(const View& view) {
  return view.effectiveUserInterfaceLayoutDirection() == UserInterfaceLayoutDirection::rightToLeft;
}

// Leading and trailing as left and right edges in the given direction.
LayoutAttribute resolve(LayoutAttribute attribute, bool rightToLeft) {
  if (attribute == LayoutAttribute::leading) return rightToLeft ? LayoutAttribute::right : LayoutAttribute::left;
  if (attribute == LayoutAttribute::trailing) return rightToLeft ? LayoutAttribute::left : LayoutAttribute::right;
  return attribute;
}

Solver::Relation toSolver(LayoutRelation relation) {
  switch (relation) {
    case LayoutRelation::lessThanOrEqual: return Solver::Relation::lessOrEqual;
    case LayoutRelation::greaterThanOrEqual: return Solver::Relation::greaterOrEqual;
    case LayoutRelation::equal: break;
  }
  return Solver::Relation::equal;
}

double solverPriority(LayoutPriority priority) { return std::clamp<double>(priority, 1, 1000); }

Solver::Expression single(Solver::Variable variable, double value) {
  Solver::Expression e;
  e.add(variable, 1).add(-value);
  return e;
}

}  // namespace

LayoutEngine::LayoutEngine(View& root, Mode mode) : root_(root), mode_(mode) {}

// --- building ------------------------------------------------------------------------------------

void LayoutEngine::rebuild() {
  solver_ = Solver();
  items_.clear();
  itemIndex_.clear();
  installed_.clear();
  installedIndex_.clear();
  layoutRoots_.clear();
  pulled_.clear();
  rebuild_ = false;
  deadItems_ = 0;
  // Fitting: the stays go in after the constraints. A stay makes its variables basic; a required
  // constraint that then finds none of its variables free needs a phase of its own to enter the
  // tableau, which is most of the cost of measuring a cell. In this order each constraint finds a
  // free variable to solve for. A layout engine keeps the stays first: it also grows view by view,
  // stays first, and a rebuild must solve ties in what constraints leave open the way those
  // incremental changes do; a fitting engine is built once and thrown away.
  deferStays_ = mode_ == Mode::fitting;
  item(&root_);
  subtreeAdded(root_);
  deferStays_ = false;
  for (std::size_t index : staysPending_) {
    if (items_[index].live) addStays(items_[index]);
  }
  staysPending_.clear();
}

// Pre-order, each view's constraints in activation order: the same tree builds the same rows.
template <class Visit>
void LayoutEngine::forEachView(View& subtree, const Visit& visit) const {
  std::vector<View*> stack{&subtree};
  while (!stack.empty()) {
    View* view = stack.back();
    stack.pop_back();
    visit(*view);
    if (view->layoutRoot_ && view != &root_) continue;  // its inside is its own engine's
    for (auto it = view->subviews_.rbegin(); it != view->subviews_.rend(); ++it) stack.push_back(it->get());
  }
}

void LayoutEngine::subtreeAdded(View& subtree) {
  markDirty();
  if (rebuild_) return;
  forEachView(subtree, [this](View& view) {
    if (&view != &root_ && !view.translates_) item(&view);
    if (&view != &root_ && view.layoutRoot_) {
      layoutRoots_.insert(&view);
      return;
    }
    for (const auto& constraint : view.constraints_) {
      if (constraint->active_ && !installed(*constraint)) install(*constraint);
    }
  });
}

void LayoutEngine::subtreeRemoved(View& subtree) {
  markDirty();
  if (rebuild_) return;
  forEachView(subtree, [this](View& view) {
    if (&view != &root_ && view.layoutRoot_) {
      layoutRoots_.erase(&view);
      return;
    }
    for (const auto& constraint : view.constraints_) uninstall(*constraint);
  });
  // Rows first, then variables: a right-to-left view's stay names its superview's width.
  std::vector<Item*> leaving;
  forEachView(subtree, [this, &leaving](View& view) {
    auto found = itemIndex_.find(&view);
    if (found != itemIndex_.end()) leaving.push_back(&items_[found->second]);
  });
  for (Item* gone : leaving) removeRows(*gone);
  for (Item* gone : leaving) removeItem(*gone);
  // Departed views leave gaps; past a point a rebuild is cheaper than walking them.
  if (deadItems_ > 64 && deadItems_ > items_.size() / 2) setNeedsRebuild();
}

void LayoutEngine::removeRows(Item& item) {
  for (auto* ids : {&item.pins, &item.stays}) {
    for (Solver::ConstraintId id : *ids) solver_.removeConstraint(id);
    ids->clear();
  }
  for (int axis = 0; axis < 2; ++axis) {
    for (Solver::ConstraintId* id : {&item.hug[axis], &item.resist[axis]}) {
      if (*id != kNone) solver_.removeConstraint(*id);
      *id = kNone;
    }
  }
}

// After removeRows() of every item that names its variables.
void LayoutEngine::removeItem(Item& item) {
  for (Solver::Variable variable : {item.x, item.y, item.width, item.height}) {
    if (solver_.removeVariable(variable) != Solver::Status::ok) setNeedsRebuild();  // still named: start over
  }
  itemIndex_.erase(item.view);
  item = Item();
  item.view = nullptr;
  item.live = false;
  ++deadItems_;
}

LayoutEngine::Item& LayoutEngine::item(View* view) {
  auto found = itemIndex_.find(view);
  if (found != itemIndex_.end()) return items_[found->second];
  itemIndex_[view] = items_.size();
  Item& made = items_.emplace_back();
  made.view = view;
  made.x = solver_.addVariable();
  made.y = solver_.addVariable();
  made.width = solver_.addVariable();
  made.height = solver_.addVariable();
  bool isRoot = view == &root_;
  made.pinned = isRoot ? mode_ == Mode::layout : view->translates_;
  if (made.pinned) {
    pin(made);
  } else if (deferStays_) {
    staysPending_.push_back(items_.size() - 1);
  } else {
    addStays(made);
  }
  return made;
}

// A frame that is an input: the root's size, or a translating view's whole frame.
void LayoutEngine::pin(Item& item) {
  Rect frame = item.view->alignmentFrame();
  if (item.view != &root_) {
    item.pins.push_back(solver_.addConstraint(single(item.x, frame.x()), Solver::Relation::equal, 1000).id);
    item.pins.push_back(solver_.addConstraint(single(item.y, frame.y()), Solver::Relation::equal, 1000).id);
  }
  addSizePins(item);
}

// Right to left, the place to stay near is the superview's leading edge, its right: x + width = W.
void LayoutEngine::addStays(Item& made) {
  Solver::Expression x = single(made.x, 0);
  View* superview = made.view != &root_ ? made.view->superview_ : nullptr;
  if (superview && isRightToLeft(*made.view)) x.add(made.width).add(item(superview).width, -1);
  made.stays = {solver_.addConstraint(single(made.width, 0), Solver::Relation::equal, kSizeStay).id,
                solver_.addConstraint(single(made.height, 0), Solver::Relation::equal, kSizeStay).id,
                solver_.addConstraint(x, Solver::Relation::equal, kPositionStay).id,
                solver_.addConstraint(single(made.y, 0), Solver::Relation::equal, kPositionStay).id};
}

void LayoutEngine::install(Constraint& constraint) {
  if (!solves(constraint)) {
    base::logError("Layout: " + constraint.description() +
                   " ties a view inside a cell to one outside it; it is left out");
    return;
  }
  installed_.push_back({&constraint, kNone, true, false, {}});
  if (!reinstall(installed_.back())) {
    installed_.pop_back();  // an item is gone: nothing to solve
    return;
  }
  installedIndex_[&constraint] = installed_.size() - 1;
}

// Whether the constraint's views are this engine's: inside its root, but not inside a layout root
// below it (a layout root itself may be an item of the tree around it).
bool LayoutEngine::solves(const Constraint& constraint) const {
  auto mine = [this](const std::shared_ptr<LayoutItem>& layoutItem) {
    const View* view = layoutItem ? layoutItem->owningView() : nullptr;
    if (!view || view == &root_) return true;  // a gone item is dealt with when the row is built
    for (const View* above = view->superview_; above; above = above->superview_) {
      if (above == &root_) return true;
      if (above->layoutRoot_) return false;
    }
    return true;
  };
  return mine(constraint.first_.lock()) && mine(constraint.second_.lock());
}

void LayoutEngine::markDirty() {
  dirty_ = true;
  // A layout root inside a tree is laid out when the tree's layout pass reaches it.
  if (mode_ == Mode::layout && root_.superview_) root_.setNeedsLayoutInternal();
}

// Puts a constraint (new, or broken before) into the solver; breaks it again if it conflicts.
// False when an item is gone.
bool LayoutEngine::reinstall(Installed& installed) {
  std::optional<Solver::Status> status = addToSolver(installed);
  if (!status) return false;
  if (*status != Solver::Status::ok) logBroken(installed, *status);
  return true;
}

// Adds the constraint's row, or leaves it out (broken) when it conflicts. None when an item is gone.
std::optional<Solver::Status> LayoutEngine::addToSolver(Installed& installed) {
  Constraint& constraint = *installed.constraint;
  Solver::Expression expression;
  if (!buildExpression(installed, expression)) return std::nullopt;
  auto added = solver_.addConstraint(expression, toSolver(constraint.relation_), solverPriority(constraint.priority_));
  installed.id = added.id;
  installed.broken = false;
  if (!added.ok()) breakConstraint(installed);
  return added.status;
}

void LayoutEngine::breakConstraint(Installed& installed) {
  if (installed.id != kNone && solver_.hasConstraint(installed.id)) solver_.removeConstraint(installed.id);
  installed.id = kNone;
  installed.broken = true;
}

void LayoutEngine::logBroken(const Installed& installed, Solver::Status status) {
  base::logError(std::string("Layout: ") + toString(status) + "; breaking " + installed.constraint->description());
}

// first − multiplier × second − constant, compared with 0, in the space of the view the constraint
// is installed on. False when an item is gone.
//
// That space is the ancestor's bounds: a view inside a scroll view below it sits where its frame
// says less the scroll view's content offset, so a constraint to a view outside the scroll view
// holds on screen whatever the offset (boundsOriginChanged() keeps the constant current).
//
// Right to left, a constraint on leading or trailing is read in that space mirrored, x → W − x
// with W its width: leading is W − maxX, trailing W − minX and a centre W − midX. Its relation,
// constant and multiplier then mean what they mean left to right, and the frames come out as the
// exact mirror of the left-to-right ones.
bool LayoutEngine::buildExpression(Installed& installed, Solver::Expression& e) {
  Constraint& constraint = *installed.constraint;
  auto first = constraint.first_.lock();
  auto second = constraint.second_.lock();
  bool hasSecond = constraint.secondAttribute_ != LayoutAttribute::notAnAttribute;
  if (!first || !first->owningView() || (hasSecond && (!second || !second->owningView()))) return false;
  View* ancestor = constraint.installedOn_;
  bool rightToLeft = isRightToLeft(*first->owningView());
  bool mirrored = rightToLeft &&
                  (isDirectional(constraint.firstAttribute_) || isDirectional(constraint.secondAttribute_));
  installed.usesGuides = dynamic_cast<LayoutGuide*>(first.get()) || dynamic_cast<LayoutGuide*>(second.get());
  e = Solver::Expression();
  double mirrorWidth = 0;  // W's coefficient; nothing when the positions' coefficients cancel
  std::vector<const View*> crossed;
  auto add = [&](LayoutItem& layoutItem, LayoutAttribute attribute, double k) {
    if (mirrored && isHorizontalPosition(attribute)) {
      mirrorWidth += k;
      k = -k;
    }
    addAttribute(e, layoutItem, resolve(attribute, rightToLeft), ancestor, k, crossed);
  };
  add(*first, constraint.firstAttribute_, 1);
  if (hasSecond) add(*second, constraint.secondAttribute_, -constraint.multiplier_);
  if (mirrorWidth != 0) e.add(item(ancestor).width, mirrorWidth);
  e.constant -= constraint.constant_;
  setCrossed(installed, std::move(crossed));
  return true;
}

// Keeps each view's count of the installed constraints that pass through its bounds.
void LayoutEngine::setCrossed(Installed& installed, std::vector<const View*> crossed) {
  auto count = [this](const std::vector<const View*>& views, int delta) {
    for (const View* view : views) {
      auto found = itemIndex_.find(view);
      if (found != itemIndex_.end()) items_[found->second].crossings += delta;
    }
  };
  if (crossed == installed.crossed) return;
  count(installed.crossed, -1);
  installed.crossed = std::move(crossed);
  count(installed.crossed, 1);
}

void LayoutEngine::addAttribute(Solver::Expression& e, LayoutItem& layoutItem, LayoutAttribute attribute,
                                View* ancestor, double k, std::vector<const View*>& crossed) {
  View* owner = layoutItem.owningView();
  EdgeInsets in;
  if (auto* guide = dynamic_cast<LayoutGuide*>(&layoutItem)) {
    in = guide->insets();
    Item& ownerItem = item(owner);
    ownerItem.usesGuides = true;
    ownerItem.margins = owner->layoutMarginsGuide()->insets();
    ownerItem.safeArea = owner->safeAreaInsets();
  }
  Item& o = item(owner);
  switch (attribute) {
    case LayoutAttribute::left:
      addChain(e, owner, ancestor, true, k, crossed);
      e.constant += k * in.left;
      break;
    case LayoutAttribute::right:
      addChain(e, owner, ancestor, true, k, crossed);
      e.add(o.width, k);
      e.constant -= k * in.right;
      break;
    case LayoutAttribute::centerX:
      addChain(e, owner, ancestor, true, k, crossed);
      e.add(o.width, k / 2);
      e.constant += k * (in.left - in.right) / 2;
      break;
    case LayoutAttribute::width:
      e.add(o.width, k);
      e.constant -= k * (in.left + in.right);
      break;
    case LayoutAttribute::top:
      addChain(e, owner, ancestor, false, k, crossed);
      e.constant += k * in.top;
      break;
    case LayoutAttribute::bottom:
      addChain(e, owner, ancestor, false, k, crossed);
      e.add(o.height, k);
      e.constant -= k * in.bottom;
      break;
    case LayoutAttribute::centerY:
      addChain(e, owner, ancestor, false, k, crossed);
      e.add(o.height, k / 2);
      e.constant += k * (in.top - in.bottom) / 2;
      break;
    case LayoutAttribute::height:
      e.add(o.height, k);
      e.constant -= k * (in.top + in.bottom);
      break;
    default:
      break;
  }
}

// The view's origin in the ancestor's space: the sum of the origins along the way up, each less
// its superview's bounds origin below the ancestor (the ancestor's own is the space itself, so a
// scroll view's edges constrain its content, not its frame).
void LayoutEngine::addChain(Solver::Expression& e, View* view, View* ancestor, bool horizontal, double k,
                            std::vector<const View*>& crossed) {
  for (View* v = view; v && v != ancestor; v = v->superview_) {
    Item& i = item(v);
    e.add(horizontal ? i.x : i.y, k);
    View* above = v->superview_;
    if (!above || above == ancestor) continue;
    Point origin = above->bounds().origin;
    e.constant -= k * (horizontal ? origin.x : origin.y);
    crossed.push_back(above);
  }
}

// --- intrinsic sizes ---------------------------------------------------------------------------

void LayoutEngine::refreshIntrinsic(Item& item) {
  if (!item.intrinsicDirty) return;
  item.intrinsicDirty = false;
  if (item.pinned) return;
  item.natural = item.view->intrinsicContentSize();
  // Anything but a finite size is no size.
  if (!std::isfinite(item.natural.width)) item.natural.width = View::kNoIntrinsicMetric;
  if (!std::isfinite(item.natural.height)) item.natural.height = View::kNoIntrinsicMetric;
  item.measuredWidth = -1;
  item.heightUsed = item.natural.height;
  setIntrinsicAxis(item, 0, item.natural.width);
  setIntrinsicAxis(item, 1, item.natural.height);
}

void LayoutEngine::setIntrinsicAxis(Item& item, int axis, double value) {
  Solver::Variable variable = axis == 0 ? item.width : item.height;
  setIntrinsicBound(item.hug[axis], item.hugPriority[axis], item.view->hugging_[axis], variable,
                    Solver::Relation::lessOrEqual, value);
  setIntrinsicBound(item.resist[axis], item.resistPriority[axis], item.view->compression_[axis], variable,
                    Solver::Relation::greaterOrEqual, value);
}

// size ≤ value at the hugging priority, or size ≥ value at the compression resistance; none
// without a value.
void LayoutEngine::setIntrinsicBound(Solver::ConstraintId& id, LayoutPriority& current, LayoutPriority priority,
                                     Solver::Variable variable, Solver::Relation relation, double value) {
  if (id != kNone && (value < 0 || current != priority)) {
    solver_.removeConstraint(id);
    id = kNone;
  }
  if (value < 0) return;
  Solver::Status status = Solver::Status::ok;
  if (id != kNone) {
    status = solver_.setConstant(id, -value);
  } else {
    auto added = solver_.addConstraint(single(variable, value), relation, solverPriority(priority));
    status = added.status;
    if (added.ok()) id = added.id, current = priority;
  }
  if (status != Solver::Status::ok) {
    base::logError(std::string("Layout: ") + toString(status) + "; breaking a required intrinsic size");
  }
}

bool LayoutEngine::measureWidthDependentHeights() {
  bool changed = false;
  for (Item& item : items_) {
    if (!item.live || item.pinned || item.natural.height < 0) continue;
    double width = snap(solver_.value(item.width));
    double height;
    if (item.natural.width >= 0 && near(width, item.natural.width)) {
      height = item.natural.height;
    } else if (near(width, item.measuredWidth)) {
      continue;
    } else {
      height = item.view->intrinsicContentSizeForWidth(width).height;
      item.measuredWidth = width;
    }
    if (std::isfinite(height) && !near(height, item.heightUsed)) {
      item.heightUsed = height;
      setIntrinsicAxis(item, 1, height);
      changed = true;
    }
  }
  return changed;
}

// --- changes -----------------------------------------------------------------------------------

LayoutEngine::Installed* LayoutEngine::installed(const Constraint& constraint) {
  auto found = installedIndex_.find(&constraint);
  return found == installedIndex_.end() ? nullptr : &installed_[found->second];
}

void LayoutEngine::constraintActivated(Constraint& constraint) {
  markDirty();
  if (!rebuild_ && !installed(constraint)) install(constraint);
}

void LayoutEngine::uninstall(const Constraint& constraint) {
  auto found = installedIndex_.find(&constraint);
  if (found == installedIndex_.end()) return;
  std::size_t index = found->second;
  if (!installed_[index].broken) solver_.removeConstraint(installed_[index].id);
  setCrossed(installed_[index], {});
  installedIndex_.erase(found);
  if (index != installed_.size() - 1) {
    installed_[index] = installed_.back();
    installedIndex_[installed_[index].constraint] = index;
  }
  installed_.pop_back();
}

void LayoutEngine::constraintDeactivated(Constraint& constraint) {
  markDirty();
  if (rebuild_) return;
  uninstall(constraint);
  // What conflicted with it may fit now; what still conflicts stays broken (logged once already).
  for (Installed& record : installed_) {
    if (record.broken) addToSolver(record);
  }
}

void LayoutEngine::constraintConstantChanged(Constraint& constraint) {
  markDirty();
  if (rebuild_) return;
  Installed* record = installed(constraint);
  if (!record) return;
  if (record->broken) {
    reinstall(*record);
    return;
  }
  refreshConstant(*record);
}

// Puts the constant the constraint's items now give into its row; breaks it when that conflicts.
void LayoutEngine::refreshConstant(Installed& record) {
  Solver::Expression expression;
  if (!buildExpression(record, expression)) return;
  Solver::Status status = solver_.setConstant(record.id, expression.constant);
  if (status != Solver::Status::ok) {
    breakConstraint(record);
    logBroken(record, status);
  }
}

void LayoutEngine::constraintPriorityChanged(Constraint& constraint) {
  markDirty();
  if (rebuild_) return;
  uninstall(constraint);
  install(constraint);
}

void LayoutEngine::intrinsicSizeInvalidated(View& view) {
  markDirty();
  auto found = itemIndex_.find(&view);
  if (found != itemIndex_.end()) items_[found->second].intrinsicDirty = true;
}

void LayoutEngine::frameChanged(View& view) {
  if (rebuild_) return;
  auto found = itemIndex_.find(&view);
  if (found == itemIndex_.end() || !items_[found->second].pinned) return;
  Item& item = items_[found->second];
  Rect frame = view.alignmentFrame();
  double values[] = {frame.x(), frame.y(), frame.width(), frame.height()};
  std::size_t skip = item.pins.size() == 2 ? 2 : 0;  // the root pins its size only
  for (std::size_t i = 0; i < item.pins.size(); ++i) {
    if (item.pulled && i + skip >= 2) continue;  // pinned again at the next update
    if (!near(solver_.constant(item.pins[i]), -values[i + skip])) {
      solver_.setConstant(item.pins[i], -values[i + skip]);
      markDirty();
    }
  }
}

bool LayoutEngine::constraintsCross(const View& view) const {
  if (rebuild_) return false;  // the rebuild reads the origins as they then stand
  auto found = itemIndex_.find(&view);
  return found != itemIndex_.end() && items_[found->second].crossings > 0;
}

// A broken constraint is left as it is: re-adding it reads the origin afresh, and trying again at
// every step of a scroll would only log the same conflict over and over.
bool LayoutEngine::boundsOriginChanged(const View& view) {
  if (!constraintsCross(view)) return false;
  markDirty();
  for (Installed& record : installed_) {
    bool crosses = std::find(record.crossed.begin(), record.crossed.end(), &view) != record.crossed.end();
    if (crosses && !record.broken) refreshConstant(record);
  }
  return true;
}

void LayoutEngine::guideInsetsChanged() {
  markDirty();
  if (rebuild_) return;
  for (Installed& record : installed_) {
    if (record.usesGuides) constraintConstantChanged(*record.constraint);
  }
}

bool LayoutEngine::refreshGuides() {
  if (rebuild_) return false;
  bool moved = false;
  for (View* inner : layoutRoots_) {
    if (inner->engine_ && inner->engine_->refreshGuides()) moved = true;
  }
  for (Item& item : items_) {
    if (!item.live || !item.usesGuides) continue;
    EdgeInsets margins = item.view->layoutMarginsGuide()->insets();
    EdgeInsets safeArea = item.view->safeAreaInsets();
    if (margins != item.margins || safeArea != item.safeArea) {
      item.margins = margins;
      item.safeArea = safeArea;
      moved = true;
    }
  }
  if (moved) guideInsetsChanged();
  return moved;
}

// --- solving -----------------------------------------------------------------------------------

void LayoutEngine::update() {
  if (rebuild_) rebuild();
  for (View* view : std::exchange(pulled_, {})) {
    auto found = itemIndex_.find(view);
    if (found != itemIndex_.end() && items_[found->second].pulled) setSizePins(items_[found->second]);
  }
  for (Item& item : items_) {
    if (item.live) refreshIntrinsic(item);
  }
  for (int round = 0; round < kMeasureRounds && measureWidthDependentHeights(); ++round) {
  }
  if (mode_ == Mode::layout) markMovedFrames();
  dirty_ = false;
}

void LayoutEngine::markMovedFrames() {
  for (const Item& item : items_) {
    if (!item.live || item.pinned || item.view == &root_ || !item.view->superview_) continue;
    if (!nearRect(solvedFrame(item), item.view->alignmentFrame())) item.view->superview_->setNeedsLayoutInternal();
  }
}

Rect LayoutEngine::solvedFrame(const Item& item) const {
  return {snap(solver_.value(item.x)), snap(solver_.value(item.y)), snap(solver_.value(item.width)),
          snap(solver_.value(item.height))};
}

std::optional<Rect> LayoutEngine::solvedFrame(const View& view) const {
  auto found = itemIndex_.find(&view);
  if (rebuild_ || found == itemIndex_.end() || items_[found->second].pinned) return std::nullopt;
  return solvedFrame(items_[found->second]);
}

Size LayoutEngine::solvedRootSize() const {
  auto found = itemIndex_.find(&root_);
  if (found == itemIndex_.end()) return root_.bounds().size;
  const Item& root = items_[found->second];
  return {snap(solver_.value(root.width)), snap(solver_.value(root.height))};
}

// A pinned view's size with its frame's size pulled towards the target at the given priorities
// instead of pinned (its origin stays): what systemLayoutSizeFitting() gives for it, solved with
// the rows this engine already holds. The pulls stay until the next update, which pins the size
// its frame has by then: a cell is measured at whatever height it had, then given the measured one.
Size LayoutEngine::fittingSize(View& view, Size target, LayoutPriority horizontal, LayoutPriority vertical) {
  fitting_ = {&view, target, horizontal, vertical};
  const bool built = rebuild_;
  if (rebuild_) rebuild();  // pin() pulls the view's size at once
  Item& fitted = item(&view);
  if (!fitted.pinned || fitted.pins.size() != 4) {
    fitting_ = {};
    return view.systemLayoutSizeFitting(target, horizontal, vertical);
  }
  if (!built || !fitted.pulled) setSizePins(fitted);
  fitting_.view = nullptr;
  for (Item& each : items_) {
    if (each.live) refreshIntrinsic(each);
  }
  for (int round = 0; round < kMeasureRounds && measureWidthDependentHeights(); ++round) {
  }
  markDirty();
  return {snap(solver_.value(fitted.width)), snap(solver_.value(fitted.height))};
}

// A pinned item's width and height rows: pins at its frame's size, or pulls while it is measured.
void LayoutEngine::setSizePins(Item& item) {
  bool pull = item.view == fitting_.view;
  if (!pull && !item.pulled) return;  // pinned already
  for (std::size_t i = item.pins.size() - 2; i < item.pins.size(); ++i) solver_.removeConstraint(item.pins[i]);
  item.pins.resize(item.pins.size() - 2);
  addSizePins(item);
}

void LayoutEngine::addSizePins(Item& item) {
  item.pulled = item.view == fitting_.view;
  Size size = item.pulled ? fitting_.target : item.view->alignmentFrame().size;
  double width = item.pulled ? solverPriority(fitting_.horizontal) : 1000;
  double height = item.pulled ? solverPriority(fitting_.vertical) : 1000;
  item.pins.push_back(solver_.addConstraint(single(item.width, size.width), Solver::Relation::equal, width).id);
  item.pins.push_back(solver_.addConstraint(single(item.height, size.height), Solver::Relation::equal, height).id);
  if (item.pulled) pulled_.push_back(item.view);
}

void LayoutEngine::addFittingTarget(Size target, LayoutPriority horizontal, LayoutPriority vertical) {
  if (rebuild_) rebuild();
  Item& root = item(&root_);
  solver_.addConstraint(single(root.width, target.width), Solver::Relation::equal, solverPriority(horizontal));
  solver_.addConstraint(single(root.height, target.height), Solver::Relation::equal, solverPriority(vertical));
  markDirty();
}

}  // namespace ui
