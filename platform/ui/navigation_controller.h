// A navigation controller: a stack of screens under a navigation bar. The top screen's view fills
// the area under the bar (the whole view while the bar is hidden); pushing slides the new screen
// in from the right, popping slides it back out, each over 0.35 s on the main loop's clock when
// animated. The stack's screens are the controller's children. A change asked for while another is
// under way waits for it to end.
//
// The pop gesture: a swipe that starts within 20 points of the left edge and moves right. It asks
// its delegate (should begin; simultaneous recognition with other recognisers) and then pops,
// animated. Without a delegate it begins only while there is a screen to go back to.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/gesture_recognizer.h"
#include "platform/ui/navigation_bar.h"
#include "platform/ui/view_controller.h"

namespace ui {

class NavigationController : public ViewController {
 public:
  static constexpr double kTransitionDuration = 0.35;
  static constexpr double kHideShowBarDuration = 0.2;

  // Makes the bar: the bar class a publisher names.
  using NavigationBarFactory = std::function<std::shared_ptr<NavigationBar>()>;

  NavigationController();
  explicit NavigationController(std::shared_ptr<ViewController> rootViewController);
  // With a bar of the factory's class (a plain bar when the factory is empty or makes none).
  explicit NavigationController(const NavigationBarFactory& navigationBarClass);
  ~NavigationController() override;

  // --- the stack, bottom first ---
  const std::vector<std::shared_ptr<ViewController>>& viewControllers() const { return stack_; }
  // Replaces the stack (empty is allowed). A new top slides in as a push when it was not on the
  // stack before, as a pop when it was. A controller listed twice, or that belongs to another
  // container, makes the call fail (logged, nothing changed).
  void setViewControllers(std::vector<std::shared_ptr<ViewController>> controllers, bool animated = false);
  // A controller already on a stack or in another container is refused (logged).
  virtual void pushViewController(std::shared_ptr<ViewController> controller, bool animated);
  // The controller popped; null when the stack holds fewer than two (or the pop waits for a change
  // under way, which then pops).
  virtual std::shared_ptr<ViewController> popViewController(bool animated);
  // The controllers popped, top last; empty when the controller is not on the stack.
  std::vector<std::shared_ptr<ViewController>> popToViewController(const ViewController& controller, bool animated);
  std::vector<std::shared_ptr<ViewController>> popToRootViewController(bool animated);
  ViewController* topViewController() const { return stack_.empty() ? nullptr : stack_.back().get(); }
  // What this controller presents when it presents one, else the top of the stack.
  std::shared_ptr<ViewController> visibleViewController() const;

  // --- the bar ---
  NavigationBar& navigationBar() const { return *bar_; }
  const std::shared_ptr<NavigationBar>& navigationBarPointer() const { return bar_; }
  bool isNavigationBarHidden() const { return barHidden_; }
  void setNavigationBarHidden(bool hidden, bool animated = false);

  // The pop gesture, on the controller's view.
  const std::shared_ptr<GestureRecognizer>& interactivePopGestureRecognizer() const { return popGesture_; }

  void show(std::shared_ptr<ViewController> controller) override;
  void loadView() override;

 protected:
  void layoutManagedViews() override;

 private:
  struct Change;
  void commonInit(std::shared_ptr<NavigationBar> bar);
  bool acceptsNewStack(const std::vector<std::shared_ptr<ViewController>>& controllers) const;
  void applyStack(std::vector<std::shared_ptr<ViewController>> controllers, bool animated);
  void runChange(const std::shared_ptr<Change>& change);
  void finishChange(const std::shared_ptr<Change>& change);
  void showTopViewNow();
  Rect contentFrame() const;
  void syncBarItems(bool animated);
  void popFromGesture();

  std::vector<std::shared_ptr<ViewController>> stack_;
  std::shared_ptr<NavigationBar> bar_;
  std::shared_ptr<View> contentView_;
  bool barHidden_ = false;
  std::shared_ptr<GestureRecognizer> popGesture_;
};

}  // namespace ui
