// Layer animations as records: what changes (a key path from one value to another, a group, or a
// transition of the whole layer) and when (begin time, duration, repeats, timing curve). Nothing
// interpolates here; a layer keeps the animations added to it with the clock time they were added,
// so that tests and the renderer can see them.
#pragma once

#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/ui/color.h"
#include "platform/ui/geometry.h"

namespace ui {

// A cubic timing curve from (0, 0) to (1, 1) through two control points.
struct TimingFunction {
  enum class Name { linear, easeIn, easeOut, easeInEaseOut, defaultTiming };

  double c1x = 0.25, c1y = 0.1, c2x = 0.25, c2y = 1.0;  // the default curve

  static TimingFunction named(Name name);
  static TimingFunction controlPoints(double c1x, double c1y, double c2x, double c2y) {
    return {c1x, c1y, c2x, c2y};
  }
  friend bool operator==(const TimingFunction&, const TimingFunction&) = default;
};

using AnimationValue = std::variant<double, Point, Size, Rect, AffineTransform, Color>;

// Repeating without end.
inline constexpr double kRepeatForever = std::numeric_limits<double>::infinity();

class Animation {
 public:
  virtual ~Animation() = default;
  virtual std::unique_ptr<Animation> copy() const = 0;

  // Seconds after the animation is added to a layer (inside a group: after the group starts).
  double beginTime = 0;
  double duration = 0.25;
  // How many times it runs; 0 and 1 both mean once.
  double repeatCount = 0;
  TimingFunction timingFunction;
  // Taken off the layer once it has run to its end.
  bool isRemovedOnCompletion = true;

  // From its begin time to its end: duration × repeats; infinite when it repeats forever.
  double activeDuration() const;
};

// The spring of a view animation: damping ratio 1 settles without overshoot.
struct Spring {
  double dampingRatio = 1;
  double initialVelocity = 0;
  friend bool operator==(const Spring&, const Spring&) = default;
};

// One property ("opacity", "position", "bounds", "transform", "backgroundColor", ...) from a value
// to a value; an absent end stands for the layer's own value.
class BasicAnimation : public Animation {
 public:
  BasicAnimation() = default;
  explicit BasicAnimation(std::string keyPath) : keyPath(std::move(keyPath)) {}
  std::unique_ptr<Animation> copy() const override { return std::make_unique<BasicAnimation>(*this); }

  std::string keyPath;
  std::optional<AnimationValue> fromValue;
  std::optional<AnimationValue> toValue;
  std::optional<Spring> spring;
};

// Animations that run together on the group's timeline; the group's duration cuts them off.
class AnimationGroup : public Animation {
 public:
  AnimationGroup() = default;
  AnimationGroup(const AnimationGroup& other);
  AnimationGroup& operator=(const AnimationGroup& other);
  AnimationGroup(AnimationGroup&&) = default;
  AnimationGroup& operator=(AnimationGroup&&) = default;
  std::unique_ptr<Animation> copy() const override { return std::make_unique<AnimationGroup>(*this); }

  std::vector<std::unique_ptr<Animation>> animations;
  void add(const Animation& animation) { animations.push_back(animation.copy()); }
};

// A change of the whole layer's content: the new content fades in, or pushes (moves in, reveals)
// from a side. Added to a window's layer it animates a change of screen.
class Transition : public Animation {
 public:
  enum class Type { fade, moveIn, push, reveal };
  enum class Subtype { fromRight, fromLeft, fromTop, fromBottom };

  std::unique_ptr<Animation> copy() const override { return std::make_unique<Transition>(*this); }

  Type type = Type::fade;
  std::optional<Subtype> subtype;
};

}  // namespace ui
