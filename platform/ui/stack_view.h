// A stack view: lays its arranged subviews out in a row or a column with anchors, generating the
// constraints (and, for equal spacing and equal centring, hidden spacer views between them) in
// the tree's solver. Hidden arranged views collapse: they take no room and no spacing.
//
// The constraints are made again whenever the arrangement changes. Hiding or showing an arranged
// view marks the stack for layout, and its next layout pass arranges again; a change of natural
// size under fill-proportionally is picked up at the stack's next layout pass too.
// Main thread only; make stack views with std::make_shared.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/ui/constraint.h"
#include "platform/ui/view.h"

namespace ui {

class StackView : public View {
 public:
  // Raw values as the platform numbers them.
  enum class Alignment { fill = 0, leading = 1, top = 1, center = 3, trailing = 4, bottom = 4 };
  enum class Distribution { fill = 0, fillEqually = 1, fillProportionally = 2, equalSpacing = 3, equalCentering = 4 };

  StackView();
  explicit StackView(std::vector<std::shared_ptr<View>> arrangedSubviews);

  const std::vector<std::shared_ptr<View>>& arrangedSubviews() const { return arranged_; }
  // Adds the view as a subview too (when it is not one) and lays it out by constraints.
  void addArrangedSubview(std::shared_ptr<View> view);
  // At an index of the arranged views (clamped to the end); an arranged view moves there.
  void insertArrangedSubview(std::shared_ptr<View> view, std::size_t index);
  // The view stays a subview, as on the platform; removing it from the stack's subviews also
  // removes it from the arranged views.
  void removeArrangedSubview(const View& view);

  // Horizontal at first.
  LayoutAxis axis() const { return axis_; }
  void setAxis(LayoutAxis axis);
  double spacing() const { return spacing_; }
  void setSpacing(double spacing);
  // Spacing after one arranged view instead of the stack's spacing.
  void setCustomSpacing(double spacing, const View& after);
  // The stack's spacing when none was set for the view.
  double customSpacing(const View& after) const;
  Alignment alignment() const { return alignment_; }
  void setAlignment(Alignment alignment);
  Distribution distribution() const { return distribution_; }
  void setDistribution(Distribution distribution);
  // Arranges within the layout margins instead of the bounds.
  bool isLayoutMarginsRelativeArrangement() const { return marginsRelative_; }
  void setLayoutMarginsRelativeArrangement(bool relative);

  // The constraints the stack made, for tests and logs.
  const std::vector<std::shared_ptr<Constraint>>& arrangementConstraints() const { return made_; }

  void layoutSubviews() override;
  void willRemoveSubview(View& subview) override;
  void subviewDidChangeHidden(View& subview) override;

 private:
  struct Arrangement;
  void rearrange();
  // Hidden flags and natural sizes the constraints were made for.
  std::vector<double> signature() const;

  std::vector<std::shared_ptr<View>> arranged_;
  std::vector<std::shared_ptr<View>> spacers_;
  std::vector<std::shared_ptr<Constraint>> made_;
  std::map<const View*, double> customSpacing_;
  std::vector<double> builtFor_;
  LayoutAxis axis_ = LayoutAxis::horizontal;
  double spacing_ = 0;
  Alignment alignment_ = Alignment::fill;
  Distribution distribution_ = Distribution::fill;
  bool marginsRelative_ = false;
  bool removingSpacers_ = false;
};

}  // namespace ui
