// Modal presentation and dismissal (internal to view controllers): the container view laid over
// the window, the presentation controller and animator of each style, the appearance calls, and
// the context's queue of changes.
#pragma once

#include <functional>
#include <memory>

namespace ui {

class ViewController;

class Presentation {
 public:
  static constexpr double kDuration = 0.3;

  // From a controller (the source) over its presentation context.
  static void present(ViewController& source, std::shared_ptr<ViewController> presented, bool animated,
                      std::function<void()> completion);
  // What the context presents, and everything presented above it.
  static void dismiss(ViewController& context, bool animated, std::function<void()> completion);

 private:
  class Transition;
  static void beginPresent(const std::shared_ptr<ViewController>& source, const std::shared_ptr<ViewController>& context,
                           const std::shared_ptr<ViewController>& presented, bool animated,
                           std::function<void()> completion);
  static void beginDismiss(const std::shared_ptr<ViewController>& context, bool animated,
                           std::function<void()> completion);
  static void run(const std::shared_ptr<Transition>& transition, const std::shared_ptr<class AnimatedTransitioning>& animator);
  static void finish(Transition& transition, bool completed);
  static void finishPresent(Transition& transition, bool completed);
  static void finishDismiss(Transition& transition, bool completed);
  static void unlink(Transition& transition);
  static void removePresenterView(Transition& transition);
  static void restorePresenterView(Transition& transition);
};

}  // namespace ui
