// A layer: the drawable state behind every view (background, corners, border, shadow, opacity,
// clipping, mask) and the tree of sublayers the renderer paints. A view's subviews' layers are
// sublayers of its layer, in subview order; layers added on their own sit among them as added.
// Layers also keep the animations added to them, with the clock time they were added.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dispatch/clock.h"
#include "platform/ui/animation.h"
#include "platform/ui/bezier_path.h"
#include "platform/ui/color.h"
#include "platform/ui/geometry.h"

namespace dispatch {
class Timer;
}

namespace ui {

class View;

class Layer : public std::enable_shared_from_this<Layer> {
 public:
  Layer();
  virtual ~Layer();
  Layer(const Layer&) = delete;
  Layer& operator=(const Layer&) = delete;

  // --- geometry: bounds in its own space; position of the anchor point in the superlayer's ---
  const Rect& bounds() const { return bounds_; }
  void setBounds(const Rect& bounds) { bounds_ = bounds; }
  Point position() const { return position_; }
  void setPosition(Point position) { position_ = position; }
  Point anchorPoint() const { return anchorPoint_; }
  void setAnchorPoint(Point anchorPoint) { anchorPoint_ = anchorPoint; }
  const AffineTransform& transform() const { return transform_; }
  void setTransform(const AffineTransform& transform) { transform_ = transform; }
  // The bounding box of the transformed bounds, in the superlayer's space.
  Rect frame() const;
  // Sets bounds size and position as if the transform were the identity.
  void setFrame(const Rect& frame);

  // --- appearance ---
  double opacity() const { return opacity_; }
  void setOpacity(double opacity) { opacity_ = opacity; }
  bool isHidden() const { return hidden_; }
  void setHidden(bool hidden) { hidden_ = hidden; }
  const std::optional<Color>& backgroundColor() const { return backgroundColor_; }
  void setBackgroundColor(std::optional<Color> color) { backgroundColor_ = std::move(color); }
  bool masksToBounds() const { return masksToBounds_; }
  void setMasksToBounds(bool masks) { masksToBounds_ = masks; }

  double cornerRadius() const { return cornerRadius_; }
  void setCornerRadius(double radius) { cornerRadius_ = radius; }
  // The corners the radius rounds (all by default).
  RectCorner maskedCorners() const { return maskedCorners_; }
  void setMaskedCorners(RectCorner corners) { maskedCorners_ = corners; }
  double borderWidth() const { return borderWidth_; }
  void setBorderWidth(double width) { borderWidth_ = width; }
  const std::optional<Color>& borderColor() const { return borderColor_; }
  void setBorderColor(std::optional<Color> color) { borderColor_ = std::move(color); }

  const std::optional<Color>& shadowColor() const { return shadowColor_; }
  void setShadowColor(std::optional<Color> color) { shadowColor_ = std::move(color); }
  double shadowOpacity() const { return shadowOpacity_; }
  void setShadowOpacity(double opacity) { shadowOpacity_ = opacity; }
  Size shadowOffset() const { return shadowOffset_; }
  void setShadowOffset(Size offset) { shadowOffset_ = offset; }
  double shadowRadius() const { return shadowRadius_; }
  void setShadowRadius(double radius) { shadowRadius_ = radius; }
  const std::optional<BezierPath>& shadowPath() const { return shadowPath_; }
  void setShadowPath(std::optional<BezierPath> path) { shadowPath_ = std::move(path); }

  // Only what the mask layer paints (its alpha) shows of this layer.
  const std::shared_ptr<Layer>& mask() const { return mask_; }
  void setMask(std::shared_ptr<Layer> mask) { mask_ = std::move(mask); }

  // --- the layer tree ---
  const std::vector<std::shared_ptr<Layer>>& sublayers() const { return sublayers_; }
  Layer* superlayer() const { return superlayer_; }
  void addSublayer(std::shared_ptr<Layer> layer);
  // At an index in sublayers (clamped to the end).
  void insertSublayer(std::shared_ptr<Layer> layer, std::size_t index);
  void insertSublayer(std::shared_ptr<Layer> layer, const Layer& below);
  void removeFromSuperlayer();
  // The view this layer backs; null for a layer of its own.
  View* view() const { return view_; }

  // --- animations ---
  struct RunningAnimation {
    std::string key;  // empty for an animation added without one
    std::shared_ptr<const Animation> animation;
    dispatch::TimePoint addedAt;
    dispatch::TimePoint startTime() const;
    // Infinite for an animation that repeats forever.
    dispatch::TimePoint endTime() const;
  };
  using DidStop = std::function<void(bool finished)>;

  // Adds a copy; an animation under the same key is removed first (stopped, not finished). With
  // didStop, the end is watched on the main loop: didStop(true) when it has run its course,
  // didStop(false) when it is removed (or its layer goes) before that.
  void add(const Animation& animation, const std::string& key, DidStop didStop = {});
  void removeAnimation(const std::string& key);
  void removeAllAnimations();
  // The animation under the key while it runs (or is kept after its end); null otherwise.
  const Animation* animation(const std::string& key) const;
  std::vector<std::string> animationKeys() const;
  // Every animation on the layer, oldest first, without those already over.
  std::vector<RunningAnimation> animations() const;

 private:
  friend class View;
  struct Entry;

  void prune() const;
  void stopEntries(std::vector<Entry> removed);
  void finish(uint64_t id);

  Rect bounds_;
  Point position_;
  Point anchorPoint_{0.5, 0.5};
  AffineTransform transform_;
  double opacity_ = 1;
  bool hidden_ = false;
  std::optional<Color> backgroundColor_;
  bool masksToBounds_ = false;
  double cornerRadius_ = 0;
  RectCorner maskedCorners_ = RectCorner::allCorners;
  double borderWidth_ = 0;
  std::optional<Color> borderColor_ = Color::black();
  std::optional<Color> shadowColor_ = Color::black();
  double shadowOpacity_ = 0;
  Size shadowOffset_{0, -3};
  double shadowRadius_ = 3;
  std::optional<BezierPath> shadowPath_;
  std::shared_ptr<Layer> mask_;
  std::vector<std::shared_ptr<Layer>> sublayers_;
  Layer* superlayer_ = nullptr;
  View* view_ = nullptr;

  struct Entry {
    uint64_t id;
    RunningAnimation running;
    DidStop didStop;
    std::shared_ptr<dispatch::Timer> timer;
  };
  mutable std::vector<Entry> entries_;
  uint64_t nextEntryId_ = 1;
};

}  // namespace ui
