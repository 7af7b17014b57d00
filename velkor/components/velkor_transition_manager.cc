#include "velkor/components/velkor_transition_manager.h"

#include "platform/ui/view.h"
#include "platform/ui/view_controller.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {

std::shared_ptr<ui::PresentationController> VelkorTransitionManager::presentationControllerForPresented(
    const std::shared_ptr<ui::ViewController>& presented, const std::shared_ptr<ui::ViewController>& presenting,
    const std::shared_ptr<ui::ViewController>&) {
  return std::make_shared<VelkorPresentationController>(presented, presenting, startDirection_);
}

std::shared_ptr<ui::AnimatedTransitioning> VelkorTransitionManager::animationControllerForPresented(
    const std::shared_ptr<ui::ViewController>&, const std::shared_ptr<ui::ViewController>&,
    const std::shared_ptr<ui::ViewController>&) {
  return animator(true);
}

std::shared_ptr<ui::AnimatedTransitioning> VelkorTransitionManager::animationControllerForDismissed(
    const std::shared_ptr<ui::ViewController>&) {
  return animator(false);
}

std::shared_ptr<ui::AnimatedTransitioning> VelkorTransitionManager::animator(bool isPresentation) const {
  if (!VelkorInternal::shared().config()->enablePushAnimation()) return nullptr;
  return std::make_shared<VelkorOperationAnimator>(startDirection_, isPresentation);
}

VelkorPresentationController::VelkorPresentationController(const std::shared_ptr<ui::ViewController>& presented,
                                                           const std::shared_ptr<ui::ViewController>& presenting,
                                                           VelkorTransitionStartDirection startDirection)
    : ui::PresentationController(presented, presenting), startDirection_(startDirection) {}

void VelkorPresentationController::containerViewWillLayoutSubviews() {
  if (auto view = presentedView()) view->setFrame(frameOfPresentedViewInContainerView());
}

double VelkorOperationAnimator::transitionDuration(const ui::TransitionContext*) const { return kDuration; }

void VelkorOperationAnimator::animateTransition(const std::shared_ptr<ui::TransitionContext>& context) {
  using Key = ui::TransitionContextKey;
  auto from = context->viewController(Key::from);
  auto to = context->viewController(Key::to);
  if (!from || !to) return context->completeTransition(true);
  const auto& offerwall = isPresentation_ ? to : from;
  const auto& host = isPresentation_ ? from : to;
  auto offerwallView = offerwall->view();
  auto hostView = host->view();

  // The host's screen stays where the platform keeps it, under the container, unless it is out of
  // the window; the offerwall goes on top.
  ui::View& container = context->containerView();
  if (!hostView->superview()) container.addSubview(hostView);
  if (offerwallView->superview() != &container) {
    offerwallView->setFrame(context->finalFrame(*offerwall));
    offerwallView->setAutoresizingMask(ui::AutoresizingMask::flexibleWidth | ui::AutoresizingMask::flexibleHeight);
  }
  container.addSubview(offerwallView);
  if (startDirection_ != VelkorTransitionStartDirection::right) return context->completeTransition(true);

  const double width = container.bounds().width();
  const auto aside = ui::AffineTransform::translation(-kHostShift * width, 0);
  const auto offscreen = ui::AffineTransform::translation(width, 0);
  const bool presenting = isPresentation_;
  ui::View::performWithoutAnimation([&] {
    hostView->setAlpha(1.0);
    offerwallView->setTransform(presenting ? offscreen : ui::AffineTransform::identity());
    hostView->setTransform(presenting ? ui::AffineTransform::identity() : aside);
    if (!presenting) hostView->setAlpha(kHostAlpha);
  });
  ui::View::animate(
      kDuration,
      [=] {
        offerwallView->setTransform(presenting ? ui::AffineTransform::identity() : offscreen);
        hostView->setTransform(presenting ? aside : ui::AffineTransform::identity());
        if (presenting) hostView->setAlpha(kHostAlpha);
      },
      [context, hostView](bool finished) {
        ui::View::performWithoutAnimation([&] {
          hostView->setTransform(ui::AffineTransform::identity());
          hostView->setAlpha(1.0);
        });
        context->completeTransition(finished);
      });
}

}  // namespace velkor
