// The push-style presentation of the offerwall: it slides in from the right edge over the host's
// screen, which drifts a fifth of the width to the left and dims, and slides back out on dismissal.
// One manager lives in the core for the whole process; a presentation names it as its transitioning
// delegate together with the custom style. Main thread only.
#pragma once

#include <memory>

#include "platform/ui/transitioning.h"

namespace velkor {

enum class VelkorTransitionStartDirection { top = 0, left = 1, bottom = 2, right = 3 };

class VelkorTransitionManager : public ui::TransitioningDelegate {
 public:
  VelkorTransitionStartDirection startDirection() const { return startDirection_; }

  std::shared_ptr<ui::PresentationController> presentationControllerForPresented(
      const std::shared_ptr<ui::ViewController>& presented, const std::shared_ptr<ui::ViewController>& presenting,
      const std::shared_ptr<ui::ViewController>& source) override;
  // No animator (the system's own animation) unless the core's configuration has
  // enablePushAnimation on at the moment of asking.
  std::shared_ptr<ui::AnimatedTransitioning> animationControllerForPresented(
      const std::shared_ptr<ui::ViewController>& presented, const std::shared_ptr<ui::ViewController>& presenting,
      const std::shared_ptr<ui::ViewController>& source) override;
  std::shared_ptr<ui::AnimatedTransitioning> animationControllerForDismissed(
      const std::shared_ptr<ui::ViewController>& dismissed) override;

 private:
  std::shared_ptr<ui::AnimatedTransitioning> animator(bool isPresentation) const;

  const VelkorTransitionStartDirection startDirection_ = VelkorTransitionStartDirection::right;
};

// Takes the host's screen out of the window once the offerwall covers it, and keeps the offerwall
// over the whole container.
class VelkorPresentationController : public ui::PresentationController {
 public:
  VelkorPresentationController(const std::shared_ptr<ui::ViewController>& presented,
                               const std::shared_ptr<ui::ViewController>& presenting,
                               VelkorTransitionStartDirection startDirection);

  VelkorTransitionStartDirection startDirection() const { return startDirection_; }
  bool shouldRemovePresentersView() const override { return true; }
  void containerViewWillLayoutSubviews() override;

 private:
  VelkorTransitionStartDirection startDirection_;
};

// Moves both screens over 0.25 s with the default curve.
class VelkorOperationAnimator : public ui::AnimatedTransitioning {
 public:
  static constexpr double kDuration = 0.25;
  // How far left the host's screen drifts, as a share of the container's width, and how dim it gets.
  static constexpr double kHostShift = 0.2;
  static constexpr double kHostAlpha = 0.8;

  VelkorOperationAnimator(VelkorTransitionStartDirection startDirection, bool isPresentation)
      : startDirection_(startDirection), isPresentation_(isPresentation) {}

  double transitionDuration(const ui::TransitionContext* context) const override;
  // A context that lacks one of its controllers, or a direction other than right, completes at once
  // without movement, so no presentation is left waiting.
  void animateTransition(const std::shared_ptr<ui::TransitionContext>& context) override;

 private:
  VelkorTransitionStartDirection startDirection_;
  bool isPresentation_;
};

}  // namespace velkor
