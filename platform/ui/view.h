// A view: a rectangle in a tree of views, backed by a layer, laid out by frames or by constraints,
// hit-tested for touches and drawn by the renderer. Subclasses (labels, buttons, image views, stack
// views, screens' own views) override the virtual hooks: intrinsic size, layoutSubviews, draw,
// traitCollectionDidChange, hitTest and the hierarchy notifications.
//
// Views are shared objects: make them with std::make_shared. A view owns its subviews; its
// superview and window are plain pointers, valid while the view is attached. Main thread only.
//
// Layout with constraints. Each view tree has one layout engine, at its root (the window, or the
// topmost view). layoutIfNeeded() brings the engine's solution up to date and runs layoutSubviews()
// top-down where layout is needed; View::layoutSubviews() gives each subview that does not translate
// its frame into constraints the frame the engine solved (subclasses call it first, as on the
// platform). The root's own size is an input: its bounds as they stand. Frames are solved in
// points and rounded to a millionth of a point.
//
// Under-determined frames: below every priority (below 1), each view that does not translate its
// frame is first kept as small as its constraints allow (width and height pulled towards 0), then
// as near its superview's top leading corner as they allow (y pulled towards 0, and x towards 0 or,
// right to left, the right edge towards the superview's). Where that still leaves a choice, the
// solver's pivot order (the order views and constraints were added) decides; the same tree built
// the same way lays out to the same frames every time.
//
// Right to left, constraints on leading and trailing are solved in the mirrored space (x → W − x)
// of the view they are installed on, so a layout comes out as the mirror of its left-to-right self.
//
// Layout roots: a view made a layout root (a cell, whose frame its list sets) solves what is inside
// it with an engine of its own, at its bounds' size, when the tree's layout pass reaches it; the
// tree's engine sees only its frame. Constraints between a view inside it and a view outside it are
// logged and left out.
//
// Conflicts: a required constraint that cannot hold with the others is logged (base::logError)
// and broken: left out of the solution until it is changed or the tree is rebuilt.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/animation.h"
#include "platform/ui/color.h"
#include "platform/ui/geometry.h"
#include "platform/ui/graphics_context.h"
#include "platform/ui/layer.h"
#include "platform/ui/layout_guide.h"
#include "platform/ui/layout_item.h"
#include "platform/ui/trait_collection.h"

namespace ui {

class Constraint;
class LayoutEngine;
class ViewController;
class Window;

enum class LayoutAxis { horizontal, vertical };

enum class AutoresizingMask : unsigned { none = 0, flexibleWidth = 1 << 1, flexibleHeight = 1 << 4 };
constexpr AutoresizingMask operator|(AutoresizingMask a, AutoresizingMask b) {
  return static_cast<AutoresizingMask>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
// Follows its superview's size in both directions.
inline constexpr AutoresizingMask kFlexibleSize = AutoresizingMask::flexibleWidth | AutoresizingMask::flexibleHeight;
constexpr bool hasFlag(AutoresizingMask set, AutoresizingMask flag) {
  return (static_cast<unsigned>(set) & static_cast<unsigned>(flag)) != 0;
}

enum class UserInterfaceLayoutDirection { leftToRight, rightToLeft };
// unspecified follows the superview (left to right at the root).
enum class SemanticContentAttribute { unspecified, forceLeftToRight, forceRightToLeft };

// The platform's raw values; curves are exclusive.
enum class AnimationOptions : unsigned {
  none = 0,
  allowUserInteraction = 1 << 1,
  beginFromCurrentState = 1 << 2,
  curveEaseInOut = 0 << 16,
  curveEaseIn = 1 << 16,
  curveEaseOut = 2 << 16,
  curveLinear = 3 << 16,
};
constexpr AnimationOptions operator|(AnimationOptions a, AnimationOptions b) {
  return static_cast<AnimationOptions>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

class View : public LayoutItem {
 public:
  static constexpr double kNoIntrinsicMetric = -1;
  static constexpr Size kLayoutFittingCompressedSize{0, 0};
  static constexpr Size kLayoutFittingExpandedSize{100000, 100000};

  View();
  explicit View(const Rect& frame);
  ~View() override;
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  // Null for a view not made with std::make_shared.
  std::shared_ptr<View> shared() { return std::static_pointer_cast<View>(weak_from_this().lock()); }
  View* owningView() const override { return const_cast<View*>(this); }

  // --- geometry: frame in the superview's coordinates, bounds in the view's own ---
  Rect frame() const { return layer_->frame(); }
  void setFrame(const Rect& frame);
  Rect bounds() const { return layer_->bounds(); }
  void setBounds(const Rect& bounds);
  Point center() const { return layer_->position(); }
  void setCenter(Point center);
  // Applied about the centre; frame() is then the bounding box of the transformed bounds.
  const AffineTransform& transform() const { return layer_->transform(); }
  void setTransform(const AffineTransform& transform);

  // --- appearance ---
  double alpha() const { return layer_->opacity(); }
  void setAlpha(double alpha);
  bool isHidden() const { return layer_->isHidden(); }
  // A change is told to the superview (subviewDidChangeHidden).
  void setHidden(bool hidden);
  const std::optional<Color>& backgroundColor() const { return layer_->backgroundColor(); }
  virtual void setBackgroundColor(std::optional<Color> color);
  // Inherited from the superview unless set; the system blue at the root.
  virtual Color tintColor() const;
  virtual void setTintColor(std::optional<Color> color);
  bool clipsToBounds() const { return layer_->masksToBounds(); }
  void setClipsToBounds(bool clips) { layer_->setMasksToBounds(clips); }
  bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
  void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }
  int tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }
  // This view or the first descendant (depth first) with the tag.
  View* viewWithTag(int tag);
  Layer& layer() const { return *layer_; }
  const std::shared_ptr<Layer>& layerPointer() const { return layer_; }

  // --- hierarchy ---
  const std::vector<std::shared_ptr<View>>& subviews() const { return subviews_; }
  View* superview() const { return superview_; }
  Window* window() const;
  void addSubview(std::shared_ptr<View> view);
  // At an index among the subviews (clamped to the end); a subview already here moves.
  void insertSubview(std::shared_ptr<View> view, std::size_t index);
  // Constraints between this subtree and views outside it are deactivated; those within stay.
  void removeFromSuperview();
  void bringSubviewToFront(const View& view);
  bool isDescendant(const View& of) const;

  // --- layout ---
  void setNeedsLayout();
  bool needsLayout() const { return needsLayout_; }
  void layoutIfNeeded();
  virtual void layoutSubviews();

  virtual Size intrinsicContentSize() const { return {kNoIntrinsicMetric, kNoIntrinsicMetric}; }
  // The natural size when laid out at a width: text that wraps grows taller when narrower. The
  // engine measures with intrinsicContentSize(), solves, then asks this for every view whose solved
  // width differs from its natural width and solves again (up to a few rounds) until the heights
  // hold still.
  virtual Size intrinsicContentSizeForWidth(double width) const;
  void invalidateIntrinsicContentSize();
  LayoutPriority contentHuggingPriority(LayoutAxis axis) const;
  void setContentHuggingPriority(LayoutPriority priority, LayoutAxis axis);
  LayoutPriority contentCompressionResistancePriority(LayoutAxis axis) const;
  void setContentCompressionResistancePriority(LayoutPriority priority, LayoutAxis axis);

  // The current size by default.
  virtual Size sizeThatFits(Size size) const;
  void sizeToFit();
  // The smallest (compressed) or largest (expanded) size the view's own constraints allow, pulled
  // towards the target at the fitting priorities. Solved apart from the tree's engine.
  Size systemLayoutSizeFitting(Size targetSize) const;
  Size systemLayoutSizeFitting(Size targetSize, LayoutPriority horizontalFittingPriority,
                               LayoutPriority verticalFittingPriority) const;

  AutoresizingMask autoresizingMask() const { return autoresizingMask_; }
  void setAutoresizingMask(AutoresizingMask mask) { autoresizingMask_ = mask; }
  bool translatesAutoresizingMaskIntoConstraints() const { return translates_; }
  void setTranslatesAutoresizingMaskIntoConstraints(bool translates);
  // The active constraints installed here (this view is their items' nearest common ancestor).
  const std::vector<std::shared_ptr<Constraint>>& constraints() const { return constraints_; }

  // 8 points on every side by default.
  const EdgeInsets& layoutMargins() const { return layoutMargins_; }
  void setLayoutMargins(const EdgeInsets& margins);
  // When true (the default) the margins are measured from the safe area's edges.
  bool insetsLayoutMarginsFromSafeArea() const { return insetsMarginsFromSafeArea_; }
  void setInsetsLayoutMarginsFromSafeArea(bool insets);
  // The part of the bounds the window's safe-area insets cover; zero outside a window.
  EdgeInsets safeAreaInsets() const;
  const std::shared_ptr<LayoutGuide>& layoutMarginsGuide();
  const std::shared_ptr<LayoutGuide>& safeAreaLayoutGuide();

  SemanticContentAttribute semanticContentAttribute() const { return semanticContentAttribute_; }
  void setSemanticContentAttribute(SemanticContentAttribute attribute);
  UserInterfaceLayoutDirection effectiveUserInterfaceLayoutDirection() const;

  // --- traits ---
  const TraitCollection& traitCollection() const { return traits_; }
  UserInterfaceStyle overrideUserInterfaceStyle() const { return overrideStyle_; }
  void setOverrideUserInterfaceStyle(UserInterfaceStyle style);
  // Called after the view's traits changed: a new superview or window, an override, the system.
  virtual void traitCollectionDidChange(const TraitCollection& previous) { (void)previous; }

  // --- responders ---
  virtual bool canBecomeFirstResponder() const { return false; }
  virtual bool becomeFirstResponder();
  virtual bool resignFirstResponder();
  bool isFirstResponder() const;
  // Resigns the first responder if it is this view or in its subtree. True when none is left there.
  bool endEditing(bool force);

  // --- touches ---
  // The deepest visible, interactive view under the point (in this view's coordinates); null when
  // this view is hidden, nearly transparent (alpha below 0.01), not interactive, or not hit.
  virtual std::shared_ptr<View> hitTest(Point point);
  virtual bool pointInside(Point point) const { return bounds().contains(point); }
  // Between this view's coordinates and another's in the same tree (null: the root's).
  Point convert(Point point, const View* to) const;
  Point convertFrom(Point point, const View* from) const;
  Rect convert(const Rect& rect, const View* to) const;

  // --- drawing ---
  // Custom drawing, in the view's coordinates, with GraphicsContext::current() set. Default: none.
  virtual void draw(const Rect& rect) { (void)rect; }
  void setNeedsDisplay() { needsDisplay_ = true; }
  bool needsDisplay() const { return needsDisplay_; }
  // Runs draw(bounds) into a fresh context and returns what it painted (clears needsDisplay).
  std::vector<GraphicsContext::Command> recordDrawing();

  // --- animations on the main loop's clock ---
  // The animations block runs at once and its end values stand at once. Each animatable change it
  // makes (frame, bounds, center, alpha, transform, background colour) is recorded on the view's
  // layer as a basic animation from the old value to the new one, keyed by its key path, starting
  // after the delay. The completion runs on the main loop after delay + duration with finished true,
  // or as soon as every animation of the block was interrupted (replaced by a later animation of the
  // same property, or removed from the layer) with finished false.
  using Completion = std::function<void(bool finished)>;
  static void animate(double duration, double delay, AnimationOptions options, const std::function<void()>& animations,
                      Completion completion = {});
  static void animate(double duration, const std::function<void()>& animations, Completion completion = {});
  static void animate(double duration, double delay, double dampingRatio, double initialSpringVelocity,
                      AnimationOptions options, const std::function<void()>& animations, Completion completion = {});
  // Changes made in the block are not animated, even inside an animations block.
  static void performWithoutAnimation(const std::function<void()>& actions);

  // --- hierarchy notifications ---
  virtual void didAddSubview(View& subview) { (void)subview; }
  virtual void willRemoveSubview(View& subview) { (void)subview; }
  virtual void didMoveToSuperview() {}
  virtual void didMoveToWindow() {}
  // A subview was hidden or shown; containers that arrange by visibility lay out again.
  virtual void subviewDidChangeHidden(View& subview) { (void)subview; }

 protected:
  // For views whose own layer is of another class (a gradient layer, say).
  explicit View(std::shared_ptr<Layer> layer);
  // Made once, at construction (see layout roots above).
  void makeLayoutRoot();
  // A layout root's own engine, made when first needed.
  LayoutEngine& ownEngine();
  // What a view at the root passes down: the system's traits for a window, defaults otherwise.
  virtual TraitCollection rootTraitCollection() const { return {}; }
  // Whether active constraints tie views inside this view to views outside it: those are solved in
  // the common ancestor's space, so a new bounds origin (a scroll) moves them at the next layout.
  bool constraintsCrossBounds();
  bool isWindow_ = false;

 private:
  friend class Constraint;
  friend class LayoutEngine;
  friend class LayoutGuide;
  friend class ViewController;
  friend class Window;

  View* rootView();
  LayoutEngine* rootEngine();
  void markEngineRebuild();
  void setNeedsLayoutInternal();
  void layoutSubtree();
  // The frame the engine reads and writes: centre and bounds size, ignoring the transform.
  Rect alignmentFrame() const;
  void applyAlignmentFrame(const Rect& frame);
  void resizeSubviews(Size oldSize);
  void frameDidChange();
  void boundsOriginDidChange();
  void updateTraitCollection();
  void notifyDidMoveToWindow();
  void deactivateConstraintsCrossing(const View& subtree);
  void detach(bool notify);
  Point convertToSuperview(Point point) const;
  Point convertFromSuperview(Point point) const;
  static void recordChange(View& view, const char* keyPath, AnimationValue from, AnimationValue to);

  std::shared_ptr<Layer> layer_;
  std::vector<std::shared_ptr<View>> subviews_;
  View* superview_ = nullptr;
  std::vector<std::shared_ptr<Constraint>> constraints_;
  std::unique_ptr<LayoutEngine> engine_;  // at the root of a tree, or at a layout root
  bool layoutRoot_ = false;
  std::shared_ptr<LayoutGuide> marginsGuide_;
  std::shared_ptr<LayoutGuide> safeAreaGuide_;

  std::optional<Color> tintColor_;
  bool userInteractionEnabled_ = true;
  int tag_ = 0;
  bool needsLayout_ = true;
  bool subtreeNeedsLayout_ = false;
  bool needsDisplay_ = true;
  bool translates_ = true;
  AutoresizingMask autoresizingMask_ = AutoresizingMask::none;
  LayoutPriority hugging_[2] = {layout_priority::defaultLow, layout_priority::defaultLow};
  LayoutPriority compression_[2] = {layout_priority::defaultHigh, layout_priority::defaultHigh};
  EdgeInsets layoutMargins_{8, 8, 8, 8};
  bool insetsMarginsFromSafeArea_ = true;
  SemanticContentAttribute semanticContentAttribute_ = SemanticContentAttribute::unspecified;
  UserInterfaceStyle overrideStyle_ = UserInterfaceStyle::unspecified;
  TraitCollection traits_;
  // The controller whose root view this is (set by ViewController::setView), told of trait changes.
  ViewController* rootOf_ = nullptr;
};

}  // namespace ui
