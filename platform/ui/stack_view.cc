#include "platform/ui/stack_view.h"

#include <algorithm>

#include "platform/base/log.h"

namespace ui {
namespace {

using Attribute = LayoutAttribute;
using Relation = LayoutRelation;

// The attributes along one axis: where an item starts and ends, its centre and its size.
struct AxisAttributes {
  Attribute start, end, center, size;
};

AxisAttributes along(LayoutAxis axis) {
  if (axis == LayoutAxis::horizontal) return {Attribute::leading, Attribute::trailing, Attribute::centerX, Attribute::width};
  return {Attribute::top, Attribute::bottom, Attribute::centerY, Attribute::height};
}

LayoutAxis across(LayoutAxis axis) {
  return axis == LayoutAxis::horizontal ? LayoutAxis::vertical : LayoutAxis::horizontal;
}

}  // namespace

// Builds the constraints of one arrangement.
struct StackView::Arrangement {
  StackView& stack;
  std::shared_ptr<LayoutItem> guide;
  AxisAttributes main = along(stack.axis_);
  AxisAttributes cross = along(across(stack.axis_));
  std::vector<std::shared_ptr<Constraint>> made;

  using Item = std::shared_ptr<LayoutItem>;

  void add(const Item& a, Attribute aa, Relation relation, const Item& b, Attribute ba, double constant = 0,
           double multiplier = 1) {
    made.push_back(Constraint::make(a, aa, relation, b, ba, multiplier, constant));
  }
  void size(const Item& a, Attribute attribute, double constant) {
    made.push_back(Constraint::make(a, attribute, Relation::equal, nullptr, Attribute::notAnAttribute, 1, constant));
  }

  void alignAcross(const Item& view) {
    switch (stack.alignment_) {
      case Alignment::fill:
        add(view, cross.start, Relation::equal, guide, cross.start);
        add(view, cross.end, Relation::equal, guide, cross.end);
        break;
      case Alignment::leading:
        add(view, cross.start, Relation::equal, guide, cross.start);
        add(view, cross.end, Relation::lessThanOrEqual, guide, cross.end);
        break;
      case Alignment::center:
        add(view, cross.center, Relation::equal, guide, cross.center);
        add(view, cross.start, Relation::greaterThanOrEqual, guide, cross.start);
        break;
      case Alignment::trailing:
        add(view, cross.end, Relation::equal, guide, cross.end);
        add(view, cross.start, Relation::greaterThanOrEqual, guide, cross.start);
        break;
    }
  }

  std::shared_ptr<View> spacer() {
    auto view = std::make_shared<View>();
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    view->setHidden(true);
    view->setUserInteractionEnabled(false);
    stack.addSubview(view);
    stack.spacers_.push_back(view);
    return view;
  }

  double naturalSize(const View& view) const {
    const Size natural = view.intrinsicContentSize();
    return stack.axis_ == LayoutAxis::horizontal ? natural.width : natural.height;
  }

  // Between two neighbours: joined with the spacing, or apart by equal gaps (spacers keep them equal).
  void join(const Item& a, const Item& b, double spacing, std::shared_ptr<View>& firstSpacer) {
    switch (stack.distribution_) {
      case Distribution::fill:
      case Distribution::fillEqually:
      case Distribution::fillProportionally:
        add(b, main.start, Relation::equal, a, main.end, spacing);
        return;
      case Distribution::equalSpacing:
      case Distribution::equalCentering: {
        const bool centring = stack.distribution_ == Distribution::equalCentering;
        auto gap = spacer();
        add(gap, main.start, Relation::equal, a, centring ? main.center : main.end);
        add(gap, main.end, Relation::equal, b, centring ? main.center : main.start);
        add(b, main.start, Relation::greaterThanOrEqual, a, main.end, spacing);
        if (firstSpacer) {
          add(gap, main.size, Relation::equal, firstSpacer, main.size);
        } else {
          firstSpacer = gap;
        }
        alignAcross(gap);
        return;
      }
    }
  }

  void sizeAlong(const std::vector<std::shared_ptr<View>>& shown) {
    if (shown.size() < 2) return;
    const Item first = shown.front();
    for (std::size_t i = 1; i < shown.size(); ++i) {
      if (stack.distribution_ == Distribution::fillEqually) {
        add(shown[i], main.size, Relation::equal, first, main.size);
      } else if (stack.distribution_ == Distribution::fillProportionally) {
        const double base = naturalSize(*shown.front()), own = naturalSize(*shown[i]);
        if (base > 0 && own >= 0) add(shown[i], main.size, Relation::equal, first, main.size, 0, own / base);
      }
    }
  }

  void build() {
    std::vector<std::shared_ptr<View>> shown;
    for (const auto& view : stack.arranged_) {
      if (view->isHidden()) {
        // Collapsed at the start, still aligned across.
        add(view, main.start, Relation::equal, guide, main.start);
        size(view, main.size, 0);
        alignAcross(view);
      } else {
        shown.push_back(view);
      }
    }
    if (shown.empty()) return;
    add(shown.front(), main.start, Relation::equal, guide, main.start);
    add(shown.back(), main.end, Relation::equal, guide, main.end);
    std::shared_ptr<View> firstSpacer;
    for (std::size_t i = 0; i < shown.size(); ++i) {
      alignAcross(shown[i]);
      if (i > 0) join(shown[i - 1], shown[i], stack.customSpacing(*shown[i - 1]), firstSpacer);
    }
    sizeAlong(shown);
  }
};

StackView::StackView() = default;

StackView::StackView(std::vector<std::shared_ptr<View>> arrangedSubviews) {
  for (auto& view : arrangedSubviews) {
    if (!view) continue;
    addSubview(view);
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    arranged_.push_back(std::move(view));
  }
}

void StackView::addArrangedSubview(std::shared_ptr<View> view) { insertArrangedSubview(std::move(view), arranged_.size()); }

void StackView::insertArrangedSubview(std::shared_ptr<View> view, std::size_t index) {
  if (!view || view.get() == this) return;
  std::erase(arranged_, view);
  if (view->superview() != this) addSubview(view);
  view->setTranslatesAutoresizingMaskIntoConstraints(false);
  arranged_.insert(arranged_.begin() + static_cast<std::ptrdiff_t>(std::min(index, arranged_.size())), view);
  rearrange();
}

void StackView::removeArrangedSubview(const View& view) {
  const auto before = arranged_.size();
  std::erase_if(arranged_, [&](const auto& v) { return v.get() == &view; });
  if (arranged_.size() == before) return;
  customSpacing_.erase(&view);
  rearrange();
}

void StackView::willRemoveSubview(View& subview) {
  View::willRemoveSubview(subview);
  if (!removingSpacers_) removeArrangedSubview(subview);
}

void StackView::subviewDidChangeHidden(View& subview) {
  View::subviewDidChangeHidden(subview);
  auto isSubview = [&](const auto& view) { return view.get() == &subview; };
  if (std::ranges::any_of(arranged_, isSubview)) setNeedsLayout();
}

void StackView::setAxis(LayoutAxis axis) {
  axis_ = axis;
  rearrange();
}

void StackView::setSpacing(double spacing) {
  spacing_ = spacing;
  rearrange();
}

void StackView::setCustomSpacing(double spacing, const View& after) {
  customSpacing_[&after] = spacing;
  rearrange();
}

double StackView::customSpacing(const View& after) const {
  auto found = customSpacing_.find(&after);
  return found == customSpacing_.end() ? spacing_ : found->second;
}

void StackView::setAlignment(Alignment alignment) {
  alignment_ = alignment;
  rearrange();
}

void StackView::setDistribution(Distribution distribution) {
  distribution_ = distribution;
  rearrange();
}

void StackView::setLayoutMarginsRelativeArrangement(bool relative) {
  marginsRelative_ = relative;
  rearrange();
}

std::vector<double> StackView::signature() const {
  std::vector<double> result;
  for (const auto& view : arranged_) {
    result.push_back(view->isHidden() ? 1 : 0);
    if (distribution_ == Distribution::fillProportionally) {
      const Size natural = view->intrinsicContentSize();
      result.push_back(axis_ == LayoutAxis::horizontal ? natural.width : natural.height);
    }
  }
  return result;
}

void StackView::rearrange() {
  Constraint::deactivate(made_);
  made_.clear();
  removingSpacers_ = true;
  for (auto& spacer : spacers_) spacer->removeFromSuperview();
  removingSpacers_ = false;
  spacers_.clear();
  builtFor_ = signature();
  std::shared_ptr<LayoutItem> guide = marginsRelative_ ? std::static_pointer_cast<LayoutItem>(layoutMarginsGuide())
                                                       : weak_from_this().lock();
  if (!guide) {
    base::logError("StackView: arranging needs a stack view made with std::make_shared");
    return;
  }
  Arrangement arrangement{*this, guide, along(axis_), along(across(axis_)), {}};
  arrangement.build();
  made_ = std::move(arrangement.made);
  Constraint::activate(made_);
  setNeedsLayout();
}

void StackView::layoutSubviews() {
  if (signature() != builtFor_) rearrange();
  View::layoutSubviews();
}

}  // namespace ui
