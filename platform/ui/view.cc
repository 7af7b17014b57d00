#include "platform/ui/view.h"

#include <algorithm>

#include "platform/base/log.h"
#include "platform/ui/constraint.h"
#include "platform/ui/layout_engine.h"
#include "platform/ui/view_controller.h"
#include "platform/ui/window.h"

namespace ui {
namespace {

// Passes of a layoutIfNeeded() before it gives up on a tree whose layout keeps changing itself.
constexpr int kMaxLayoutPasses = 10;
// layoutIfNeeded() called from layoutSubviews() nests; deeper than this is a loop.
constexpr int kMaxLayoutNesting = 8;
thread_local int tLayoutNesting = 0;

Point offset(Point p, double dx, double dy) { return {p.x + dx, p.y + dy}; }

}  // namespace

View::View() : View(std::shared_ptr<Layer>()) {}

View::View(const Rect& frame) : View() { layer_->setFrame(frame); }

View::View(std::shared_ptr<Layer> layer) : layer_(layer ? std::move(layer) : std::make_shared<Layer>()) {
  layer_->view_ = this;
}

View::~View() {
  for (auto& subview : subviews_) {
    subview->superview_ = nullptr;
    subview->layer_->removeFromSuperlayer();
  }
  for (auto& constraint : constraints_) {
    constraint->active_ = false;
    constraint->installedOn_ = nullptr;
  }
  if (marginsGuide_) marginsGuide_->owner_ = nullptr;
  if (safeAreaGuide_) safeAreaGuide_->owner_ = nullptr;
  layer_->view_ = nullptr;
}

// --- geometry ------------------------------------------------------------------------------------

void View::setFrame(const Rect& frame) {
  Rect oldBounds = bounds();
  Point oldCenter = center();
  layer_->setFrame(frame);
  if (center() == oldCenter && bounds() == oldBounds) return;
  recordChange(*this, "position", oldCenter, center());
  recordChange(*this, "bounds", oldBounds, bounds());
  if (bounds().size != oldBounds.size) {
    resizeSubviews(oldBounds.size);
    setNeedsLayoutInternal();
  }
  frameDidChange();
}

void View::setBounds(const Rect& bounds) {
  Rect old = this->bounds();
  if (bounds == old) return;
  layer_->setBounds(bounds);
  recordChange(*this, "bounds", old, bounds);
  if (bounds.size != old.size) {
    resizeSubviews(old.size);
    setNeedsLayoutInternal();
  }
  if (bounds.origin != old.origin) boundsOriginDidChange();
  frameDidChange();
}

void View::setCenter(Point center) {
  Point old = this->center();
  if (center == old) return;
  layer_->setPosition(center);
  recordChange(*this, "position", old, center);
  frameDidChange();
}

void View::setTransform(const AffineTransform& transform) {
  AffineTransform old = layer_->transform();
  layer_->setTransform(transform);
  recordChange(*this, "transform", old, transform);
}

Rect View::alignmentFrame() const {
  Rect b = bounds();
  Point anchor = layer_->anchorPoint();
  Point position = center();
  return {position.x - anchor.x * b.width(), position.y - anchor.y * b.height(), b.width(), b.height()};
}

void View::applyAlignmentFrame(const Rect& frame) {
  Rect b = bounds();
  setBounds({b.origin, frame.size});
  Point anchor = layer_->anchorPoint();
  setCenter({frame.x() + anchor.x * frame.width(), frame.y() + anchor.y * frame.height()});
}

// The flexible width and height masks of subviews that translate their frames.
void View::resizeSubviews(Size oldSize) {
  Size size = bounds().size;
  double dw = size.width - oldSize.width, dh = size.height - oldSize.height;
  for (const auto& subview : subviews_) {
    if (!subview->translates_ || subview->autoresizingMask_ == AutoresizingMask::none) continue;
    Rect frame = subview->frame();
    if (hasFlag(subview->autoresizingMask_, AutoresizingMask::flexibleWidth)) frame.size.width += dw;
    if (hasFlag(subview->autoresizingMask_, AutoresizingMask::flexibleHeight)) frame.size.height += dh;
    subview->setFrame(frame);
  }
}

// A frame that is an input to the engine (a translating view's, or the root's size) moved.
void View::frameDidChange() {
  if (engine_) engine_->frameChanged(*this);  // the root's size is its own engine's input
  if (!translates_ || !superview_) return;
  if (LayoutEngine* engine = superview_->rootEngine()) engine->frameChanged(*this);
}

void View::boundsOriginDidChange() {
  if (LayoutEngine* engine = rootEngine()) engine->boundsOriginChanged(*this);
}

bool View::constraintsCrossBounds() {
  LayoutEngine* engine = rootEngine();
  return engine && engine->constraintsCross(*this);
}

// --- appearance ----------------------------------------------------------------------------------

void View::setAlpha(double alpha) {
  double old = layer_->opacity();
  layer_->setOpacity(alpha);
  recordChange(*this, "opacity", old, alpha);
}

void View::setHidden(bool hidden) {
  if (hidden == isHidden()) return;
  layer_->setHidden(hidden);
  if (superview_) superview_->subviewDidChangeHidden(*this);
}

void View::setBackgroundColor(std::optional<Color> color) {
  Color old = layer_->backgroundColor().value_or(Color::clear());
  layer_->setBackgroundColor(color);
  recordChange(*this, "backgroundColor", old, color.value_or(Color::clear()));
}

Color View::tintColor() const {
  for (const View* view = this; view; view = view->superview_) {
    if (view->tintColor_) return *view->tintColor_;
  }
  return Color(0, 122.0 / 255, 1);  // the system blue
}

void View::setTintColor(std::optional<Color> color) { tintColor_ = std::move(color); }

View* View::viewWithTag(int tag) {
  if (tag_ == tag) return this;
  for (const auto& subview : subviews_) {
    if (View* found = subview->viewWithTag(tag)) return found;
  }
  return nullptr;
}

// --- hierarchy -----------------------------------------------------------------------------------

View* View::rootView() {
  View* view = this;
  while (view->superview_) view = view->superview_;
  return view;
}

LayoutEngine* View::rootEngine() {
  View* view = this;
  while (view->superview_ && !view->layoutRoot_) view = view->superview_;
  return view->engine_.get();
}

void View::makeLayoutRoot() { layoutRoot_ = true; }

LayoutEngine& View::ownEngine() {
  if (!engine_) engine_ = std::make_unique<LayoutEngine>(*this, LayoutEngine::Mode::layout);
  return *engine_;
}

void View::markEngineRebuild() {
  if (LayoutEngine* engine = rootEngine()) engine->setNeedsRebuild();
  if (layoutRoot_ && superview_) superview_->markEngineRebuild();  // its frame is the outer tree's too
}

Window* View::window() const {
  const View* view = this;
  while (view->superview_) view = view->superview_;
  return view->isWindow_ ? static_cast<Window*>(const_cast<View*>(view)) : nullptr;
}

bool View::isDescendant(const View& of) const {
  for (const View* view = this; view; view = view->superview_) {
    if (view == &of) return true;
  }
  return false;
}

void View::addSubview(std::shared_ptr<View> view) { insertSubview(std::move(view), subviews_.size()); }

void View::insertSubview(std::shared_ptr<View> view, std::size_t index) {
  if (!view || isDescendant(*view)) {
    base::logError("View: a view cannot be added to itself or to its own subtree");
    return;
  }
  Window* oldWindow = view->window();
  bool moved = view->superview_ != this;
  if (moved) {
    view->detach(false);
    if (view->layoutRoot_) {
      if (view->engine_) view->engine_->setNeedsRebuild();  // new surroundings: direction, guides
    } else {
      view->engine_.reset();  // it joins this tree's engine
    }
  } else {
    subviews_.erase(std::find(subviews_.begin(), subviews_.end(), view));
  }
  index = std::min(index, subviews_.size());
  if (index < subviews_.size()) {
    layer_->insertSublayer(view->layer_, *subviews_[index]->layer_);
  } else {
    layer_->addSublayer(view->layer_);
  }
  subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), view);
  view->superview_ = this;
  if (LayoutEngine* engine = rootEngine(); engine && moved) engine->subtreeAdded(*view);
  view->setNeedsLayoutInternal();
  setNeedsLayoutInternal();
  if (!moved) return;
  view->updateTraitCollection();
  view->didMoveToSuperview();
  if (view->window() != oldWindow) view->notifyDidMoveToWindow();
  didAddSubview(*view);
}

void View::removeFromSuperview() { detach(true); }

void View::detach(bool notify) {
  View* parent = superview_;
  if (!parent) return;
  std::shared_ptr<View> self = shared();  // alive to the end of the call, whatever the hooks do
  Window* oldWindow = window();
  if (oldWindow) {
    auto responder = oldWindow->firstResponder_.lock();
    if (responder && responder->isDescendant(*this)) responder->resignFirstResponder();
  }
  parent->willRemoveSubview(*this);
  if (superview_ != parent) return;  // the hook moved it already
  deactivateConstraintsCrossing(*this);
  if (LayoutEngine* engine = parent->rootEngine()) engine->subtreeRemoved(*this);
  auto it = std::find_if(parent->subviews_.begin(), parent->subviews_.end(),
                         [&](const auto& view) { return view.get() == this; });
  parent->subviews_.erase(it);
  layer_->removeFromSuperlayer();
  superview_ = nullptr;
  parent->setNeedsLayoutInternal();
  if (!notify) return;
  updateTraitCollection();
  didMoveToSuperview();
  if (oldWindow) notifyDidMoveToWindow();
}

// Constraints installed above the subtree that name a view (or guide) inside it.
void View::deactivateConstraintsCrossing(const View& subtree) {
  auto inside = [&](const std::shared_ptr<LayoutItem>& item) {
    return item && item->owningView() && item->owningView()->isDescendant(subtree);
  };
  for (View* ancestor = subtree.superview_; ancestor; ancestor = ancestor->superview_) {
    std::vector<std::shared_ptr<Constraint>> crossing;
    for (const auto& constraint : ancestor->constraints_) {
      if (inside(constraint->firstItem()) || inside(constraint->secondItem())) crossing.push_back(constraint);
    }
    for (const auto& constraint : crossing) constraint->deactivateOne();
  }
}

void View::bringSubviewToFront(const View& view) {
  auto it = std::find_if(subviews_.begin(), subviews_.end(), [&](const auto& v) { return v.get() == &view; });
  if (it == subviews_.end()) return;
  std::shared_ptr<View> moving = std::move(*it);
  subviews_.erase(it);
  layer_->addSublayer(moving->layer_);
  subviews_.push_back(std::move(moving));
}

void View::notifyDidMoveToWindow() {
  didMoveToWindow();
  for (std::size_t i = 0; i < subviews_.size(); ++i) {
    std::shared_ptr<View> subview = subviews_[i];
    subview->notifyDidMoveToWindow();
  }
}

// --- layout --------------------------------------------------------------------------------------

void View::setNeedsLayout() { setNeedsLayoutInternal(); }

void View::setNeedsLayoutInternal() {
  needsLayout_ = true;
  for (View* view = superview_; view && !view->subtreeNeedsLayout_; view = view->superview_) {
    view->subtreeNeedsLayout_ = true;
  }
}

void View::layoutIfNeeded() {
  View* root = rootView();
  if (!root->engine_) root->engine_ = std::make_unique<LayoutEngine>(*root, LayoutEngine::Mode::layout);
  auto pending = [root] { return root->engine_->needsUpdate() || root->needsLayout_ || root->subtreeNeedsLayout_; };
  if (!pending()) return;  // nothing changed: nothing to solve
  if (tLayoutNesting >= kMaxLayoutNesting) {
    base::logError("Layout: layoutIfNeeded() nested too deeply; a layoutSubviews() keeps asking for layout");
    return;
  }
  ++tLayoutNesting;
  for (int pass = 0; pass < kMaxLayoutPasses && root->engine_ && !root->superview_; ++pass) {
    if (root->engine_->needsUpdate()) root->engine_->update();
    if (root->needsLayout_ || root->subtreeNeedsLayout_) root->layoutSubtree();
    bool guidesMoved = root->engine_ && root->engine_->refreshGuides();
    if (!guidesMoved && root->engine_ && !pending()) {
      --tLayoutNesting;
      return;
    }
  }
  --tLayoutNesting;
  if (root->engine_ && !root->superview_ && pending()) {
    base::logError("Layout: the view tree did not settle; a layoutSubviews() keeps changing it");
  }
}

void View::layoutSubtree() {
  if (layoutRoot_ && superview_ && ownEngine().needsUpdate()) engine_->update();
  if (needsLayout_) {
    needsLayout_ = false;
    layoutSubviews();
  }
  subtreeNeedsLayout_ = false;
  for (std::size_t i = 0; i < subviews_.size(); ++i) {
    std::shared_ptr<View> subview = subviews_[i];  // a layoutSubviews() may remove it
    if (subview->needsLayout_ || subview->subtreeNeedsLayout_) subview->layoutSubtree();
  }
}

void View::layoutSubviews() {
  LayoutEngine* engine = rootEngine();
  if (!engine) return;
  for (std::size_t i = 0; i < subviews_.size(); ++i) {
    View& subview = *subviews_[i];
    if (subview.translates_) continue;
    if (auto frame = engine->solvedFrame(subview)) subview.applyAlignmentFrame(*frame);
  }
}

Size View::intrinsicContentSizeForWidth(double width) const {
  (void)width;
  return intrinsicContentSize();
}

void View::invalidateIntrinsicContentSize() {
  if (LayoutEngine* engine = rootEngine()) engine->intrinsicSizeInvalidated(*this);
}

LayoutPriority View::contentHuggingPriority(LayoutAxis axis) const { return hugging_[static_cast<int>(axis)]; }

void View::setContentHuggingPriority(LayoutPriority priority, LayoutAxis axis) {
  hugging_[static_cast<int>(axis)] = std::clamp<LayoutPriority>(priority, 1, layout_priority::required);
  invalidateIntrinsicContentSize();
}

LayoutPriority View::contentCompressionResistancePriority(LayoutAxis axis) const {
  return compression_[static_cast<int>(axis)];
}

void View::setContentCompressionResistancePriority(LayoutPriority priority, LayoutAxis axis) {
  compression_[static_cast<int>(axis)] = std::clamp<LayoutPriority>(priority, 1, layout_priority::required);
  invalidateIntrinsicContentSize();
}

Size View::sizeThatFits(Size size) const {
  (void)size;
  return bounds().size;
}

void View::sizeToFit() { setFrame({frame().origin, sizeThatFits(bounds().size)}); }

Size View::systemLayoutSizeFitting(Size targetSize) const {
  return systemLayoutSizeFitting(targetSize, layout_priority::fittingSizeLevel, layout_priority::fittingSizeLevel);
}

Size View::systemLayoutSizeFitting(Size targetSize, LayoutPriority horizontalFittingPriority,
                                   LayoutPriority verticalFittingPriority) const {
  LayoutEngine engine(const_cast<View&>(*this), LayoutEngine::Mode::fitting);
  engine.addFittingTarget(targetSize, horizontalFittingPriority, verticalFittingPriority);
  engine.update();
  return engine.solvedRootSize();
}

void View::setTranslatesAutoresizingMaskIntoConstraints(bool translates) {
  if (translates == translates_) return;
  translates_ = translates;
  markEngineRebuild();
  if (superview_) superview_->setNeedsLayoutInternal();
}

void View::setLayoutMargins(const EdgeInsets& margins) {
  if (margins == layoutMargins_) return;
  layoutMargins_ = margins;
  if (LayoutEngine* engine = rootEngine()) engine->guideInsetsChanged();
  setNeedsLayoutInternal();
}

void View::setInsetsLayoutMarginsFromSafeArea(bool insets) {
  if (insets == insetsMarginsFromSafeArea_) return;
  insetsMarginsFromSafeArea_ = insets;
  if (LayoutEngine* engine = rootEngine()) engine->guideInsetsChanged();
  setNeedsLayoutInternal();
}

EdgeInsets View::safeAreaInsets() const {
  if (isWindow_) return static_cast<const Window*>(this)->safeAreaInsets_;
  Window* window = this->window();
  if (!window || window->safeAreaInsets_ == EdgeInsets()) return {};
  Rect safe = window->safeAreaInsets_.inset(window->bounds());
  Rect r = convert(bounds(), window);
  auto clampTo = [](double value, double limit) { return std::clamp(value, 0.0, std::max(limit, 0.0)); };
  return {clampTo(safe.minY() - r.minY(), r.height()), clampTo(safe.minX() - r.minX(), r.width()),
          clampTo(r.maxY() - safe.maxY(), r.height()), clampTo(r.maxX() - safe.maxX(), r.width())};
}

const std::shared_ptr<LayoutGuide>& View::layoutMarginsGuide() {
  if (!marginsGuide_) marginsGuide_ = std::make_shared<LayoutGuide>(this, LayoutGuide::Kind::layoutMargins);
  return marginsGuide_;
}

const std::shared_ptr<LayoutGuide>& View::safeAreaLayoutGuide() {
  if (!safeAreaGuide_) safeAreaGuide_ = std::make_shared<LayoutGuide>(this, LayoutGuide::Kind::safeArea);
  return safeAreaGuide_;
}

void View::setSemanticContentAttribute(SemanticContentAttribute attribute) {
  if (attribute == semanticContentAttribute_) return;
  semanticContentAttribute_ = attribute;
  // Leading and trailing may have swapped anywhere below, in the layout roots below too.
  markEngineRebuild();
  std::vector<View*> below{this};
  while (!below.empty()) {
    View* view = below.back();
    below.pop_back();
    if (view != this && view->engine_) view->engine_->setNeedsRebuild();
    for (const auto& subview : view->subviews_) below.push_back(subview.get());
  }
  setNeedsLayoutInternal();
}

UserInterfaceLayoutDirection View::effectiveUserInterfaceLayoutDirection() const {
  for (const View* view = this; view; view = view->superview_) {
    if (view->semanticContentAttribute_ == SemanticContentAttribute::forceRightToLeft) {
      return UserInterfaceLayoutDirection::rightToLeft;
    }
    if (view->semanticContentAttribute_ == SemanticContentAttribute::forceLeftToRight) {
      return UserInterfaceLayoutDirection::leftToRight;
    }
  }
  return UserInterfaceLayoutDirection::leftToRight;
}

// --- traits --------------------------------------------------------------------------------------

void View::setOverrideUserInterfaceStyle(UserInterfaceStyle style) {
  if (style == overrideStyle_) return;
  overrideStyle_ = style;
  updateTraitCollection();
}

void View::updateTraitCollection() {
  TraitCollection previous = traits_;
  TraitCollection next = superview_ ? superview_->traits_ : rootTraitCollection();
  if (overrideStyle_ != UserInterfaceStyle::unspecified) next.userInterfaceStyle = overrideStyle_;
  traits_ = next;
  if (next != previous) {
    traitCollectionDidChange(previous);
    if (rootOf_) rootOf_->rootViewTraitsDidChange(previous);
  }
  for (std::size_t i = 0; i < subviews_.size(); ++i) {
    std::shared_ptr<View> subview = subviews_[i];
    subview->updateTraitCollection();
  }
}

// --- responders ----------------------------------------------------------------------------------

bool View::becomeFirstResponder() {
  Window* window = this->window();
  if (!window || !canBecomeFirstResponder()) return false;
  auto current = window->firstResponder_.lock();
  if (current.get() == this) return true;
  if (current && !current->resignFirstResponder()) return false;
  window->firstResponder_ = shared();
  return true;
}

bool View::resignFirstResponder() {
  Window* window = this->window();
  if (window && window->firstResponder_.lock().get() == this) window->firstResponder_.reset();
  return true;
}

bool View::isFirstResponder() const {
  Window* window = this->window();
  return window && window->firstResponder_.lock().get() == this;
}

bool View::endEditing(bool force) {
  Window* window = this->window();
  if (!window) return true;
  auto responder = window->firstResponder_.lock();
  if (!responder || !responder->isDescendant(*this)) return true;
  if (responder->resignFirstResponder()) return true;
  if (force) window->firstResponder_.reset();
  return force;
}

// --- touches -------------------------------------------------------------------------------------

std::shared_ptr<View> View::hitTest(Point point) {
  if (isHidden() || alpha() < 0.01 || !userInteractionEnabled_ || !pointInside(point)) return nullptr;
  for (auto it = subviews_.rbegin(); it != subviews_.rend(); ++it) {
    std::shared_ptr<View> subview = *it;
    if (auto hit = subview->hitTest(subview->convertFromSuperview(point))) return hit;
  }
  return shared();
}

Point View::convertToSuperview(Point point) const {
  Rect b = bounds();
  Point anchor = layer_->anchorPoint();
  Point local = offset(point, -b.x() - anchor.x * b.width(), -b.y() - anchor.y * b.height());
  Point moved = transform().apply(local);
  return offset(moved, center().x, center().y);
}

Point View::convertFromSuperview(Point point) const {
  Rect b = bounds();
  Point anchor = layer_->anchorPoint();
  Point local = transform().inverted().apply(offset(point, -center().x, -center().y));
  return offset(local, b.x() + anchor.x * b.width(), b.y() + anchor.y * b.height());
}

Point View::convert(Point point, const View* to) const {
  const View* view = this;
  while (view->superview_) {
    point = view->convertToSuperview(point);
    view = view->superview_;
  }
  if (!to) return point;
  std::vector<const View*> path;
  for (const View* v = to; v->superview_; v = v->superview_) path.push_back(v);
  for (auto it = path.rbegin(); it != path.rend(); ++it) point = (*it)->convertFromSuperview(point);
  return point;
}

Point View::convertFrom(Point point, const View* from) const {
  if (from) return from->convert(point, this);
  const View* root = this;
  while (root->superview_) root = root->superview_;
  return root->convert(point, this);
}

Rect View::convert(const Rect& rect, const View* to) const {
  return Rect::boundingBox({convert(Point{rect.minX(), rect.minY()}, to), convert(Point{rect.maxX(), rect.minY()}, to),
                            convert(Point{rect.minX(), rect.maxY()}, to), convert(Point{rect.maxX(), rect.maxY()}, to)});
}

// --- drawing -------------------------------------------------------------------------------------

std::vector<GraphicsContext::Command> View::recordDrawing() {
  GraphicsContext context;
  {
    GraphicsContext::Scope scope(context);
    draw(bounds());
  }
  needsDisplay_ = false;
  return context.commands();
}

}  // namespace ui
