// The constraint solver of one view tree (internal to views): it turns the active constraints, the
// frames of views that translate them into constraints, and intrinsic sizes with their hugging and
// compression-resistance priorities into solver rows, keeps them current as things change, and
// answers each view's solved frame. See view.h for the rules a layout follows.
#pragma once

#include <deque>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/ui/constraint.h"
#include "platform/ui/geometry.h"
#include "platform/ui/solver.h"

namespace ui {

class View;

class LayoutEngine {
 public:
  // layout: the root's size is its bounds, and solved frames are applied to the tree.
  // fitting: the root's size is free, for systemLayoutSizeFitting.
  enum class Mode { layout, fitting };

  LayoutEngine(View& root, Mode mode);
  LayoutEngine(const LayoutEngine&) = delete;
  LayoutEngine& operator=(const LayoutEngine&) = delete;

  // The tree changed shape: everything is rebuilt at the next update.
  void setNeedsRebuild() {
    rebuild_ = true;
    markDirty();
  }
  bool needsUpdate() const { return dirty_; }

  // A subtree joined the tree, or is about to leave it (its crossing constraints already gone).
  void subtreeAdded(View& subtree);
  void subtreeRemoved(View& subtree);
  void constraintActivated(Constraint& constraint);
  void constraintDeactivated(Constraint& constraint);
  void constraintConstantChanged(Constraint& constraint);
  void constraintPriorityChanged(Constraint& constraint);
  void intrinsicSizeInvalidated(View& view);
  void frameChanged(View& view);
  // The view's bounds origin (a scroll view's content offset) moved. Constraints that tie views
  // inside it to views outside it take the new origin; true when there are any, and the solution
  // then needs an update.
  bool boundsOriginChanged(const View& view);
  // Whether installed constraints relate views inside the view to views outside it.
  bool constraintsCross(const View& view) const;
  void guideInsetsChanged();

  // Brings the solution up to date and marks for layout each superview whose subviews' solved
  // frames moved.
  void update();
  // After a layout pass: true when a safe area or margin guide moved (another pass is needed).
  bool refreshGuides();

  // The solved alignment frame of a view that does not translate its frame; none for others.
  std::optional<Rect> solvedFrame(const View& view) const;
  Size solvedRootSize() const;
  // Layout mode: the size a view whose frame is pinned (a cell's content view) takes when its size
  // is pulled towards the target instead, solved with this engine's rows.
  Size fittingSize(View& view, Size target, LayoutPriority horizontal, LayoutPriority vertical);
  // Fitting mode: pulls the root's size towards the target.
  void addFittingTarget(Size target, LayoutPriority horizontal, LayoutPriority vertical);

 private:
  struct Item {
    View* view;  // null once the view left the tree
    bool live = true;
    Solver::Variable x, y, width, height;
    bool pinned = false;  // the frame translates into constraints (or it is the root)
    bool pulled = false;  // its size pins are fittingSize()'s pulls
    std::vector<Solver::ConstraintId> pins;
    std::vector<Solver::ConstraintId> stays;
    // Intrinsic size: hugging and compression resistance per axis.
    Size natural{-1, -1};
    double heightUsed = -1;
    double measuredWidth = -1;
    Solver::ConstraintId hug[2] = {kNone, kNone}, resist[2] = {kNone, kNone};
    LayoutPriority hugPriority[2] = {0, 0}, resistPriority[2] = {0, 0};
    bool intrinsicDirty = true;
    bool usesGuides = false;
    EdgeInsets margins, safeArea;
    int crossings = 0;  // installed constraints whose items' positions pass through this view's bounds
  };
  struct Installed {
    Constraint* constraint;
    Solver::ConstraintId id;
    bool broken;
    bool usesGuides;
    // The views between an item and the view the constraint is installed on, whose bounds origins
    // the row's constant holds.
    std::vector<const View*> crossed;
  };
  static constexpr Solver::ConstraintId kNone = UINT32_MAX;

  void rebuild();
  void markDirty();
  bool solves(const Constraint& constraint) const;
  Item& item(View* view);
  void pin(Item& item);
  void setSizePins(Item& item);
  void addSizePins(Item& item);
  void addStays(Item& item);
  void install(Constraint& constraint);
  void removeRows(Item& item);
  void removeItem(Item& item);
  template <class Visit>
  void forEachView(View& subtree, const Visit& visit) const;
  bool buildExpression(Installed& installed, Solver::Expression& expression);
  void addAttribute(Solver::Expression& e, LayoutItem& item, LayoutAttribute attribute, View* ancestor,
                    double coefficient, std::vector<const View*>& crossed);
  void addChain(Solver::Expression& e, View* view, View* ancestor, bool horizontal, double coefficient,
                std::vector<const View*>& crossed);
  void setCrossed(Installed& installed, std::vector<const View*> crossed);
  void refreshConstant(Installed& installed);
  void refreshIntrinsic(Item& item);
  void setIntrinsicAxis(Item& item, int axis, double value);
  void setIntrinsicBound(Solver::ConstraintId& id, LayoutPriority& current, LayoutPriority priority,
                         Solver::Variable variable, Solver::Relation relation, double value);
  Rect solvedFrame(const Item& item) const;
  bool reinstall(Installed& installed);
  bool measureWidthDependentHeights();
  void markMovedFrames();
  std::optional<Solver::Status> addToSolver(Installed& installed);
  void breakConstraint(Installed& installed);
  void logBroken(const Installed& installed, Solver::Status status);
  Installed* installed(const Constraint& constraint);
  void uninstall(const Constraint& constraint);

  View& root_;
  Mode mode_;
  Solver solver_;
  bool rebuild_ = true;
  bool dirty_ = true;
  std::deque<Item> items_;  // stable addresses: items refer to each other while being made
  bool deferStays_ = false;  // while rebuilding: stays wait in staysPending_ (items_ indices)
  std::vector<std::size_t> staysPending_;
  std::size_t deadItems_ = 0;
  std::unordered_map<const View*, std::size_t> itemIndex_;
  std::vector<Installed> installed_;
  std::unordered_map<const Constraint*, std::size_t> installedIndex_;
  // Layout roots in the tree (cells): each solves its inside with its own engine.
  std::unordered_set<View*> layoutRoots_;
  // What fittingSize() measures, while it builds; and the views whose size pins are pulls.
  struct Fitting {
    View* view = nullptr;
    Size target;
    LayoutPriority horizontal = 0, vertical = 0;
  } fitting_;
  std::vector<View*> pulled_;
};

}  // namespace ui
