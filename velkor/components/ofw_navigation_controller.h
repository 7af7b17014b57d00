// The navigation controller of every offerwall presentation. It colours its bar from the theme,
// lets the user swipe back only when there is a screen to go back to, tells the host's life-cycle
// delegate when the offerwall opens and when its back action closes it, lays the one loading
// indicator over its whole view, and keeps the offerwall in portrait with the host's status-bar
// style. Main thread only.
#pragma once

#include <memory>

#include "platform/ui/gesture_recognizer.h"
#include "platform/ui/navigation_controller.h"

namespace velkor {

class OfwNavigationController;

// The delegate of the swipe-back gesture: it begins only above one screen, and never once the
// controller has gone.
class InteractivePopRecognizer : public ui::GestureRecognizerDelegate {
 public:
  explicit InteractivePopRecognizer(std::weak_ptr<ui::NavigationController> navigationController)
      : navigationController_(std::move(navigationController)) {}

  bool gestureRecognizerShouldBegin(ui::GestureRecognizer& recognizer) override;
  bool gestureRecognizerShouldRecognizeSimultaneously(ui::GestureRecognizer& recognizer,
                                                      ui::GestureRecognizer& other) override;

 private:
  std::weak_ptr<ui::NavigationController> navigationController_;
};

// How the offerwall's pages close themselves: the top screen is popped, or the whole stack is
// dismissed when that screen is the only one left.
void popOrDismiss(ui::NavigationController& navigation);

class OfwNavigationController : public ui::NavigationController {
 public:
  OfwNavigationController();
  explicit OfwNavigationController(std::shared_ptr<ui::ViewController> rootViewController);
  // With a bar of the class the configuration names (VelkorNavigationBar or the publisher's).
  explicit OfwNavigationController(const NavigationBarFactory& navigationBarClass);

  // The indicator on screen now, if any.
  const std::shared_ptr<ui::View>& indicator() const { return indicator_; }
  // Set just before a forced dismissal; such a dismissal tells the host nothing.
  bool dismissForce() const { return dismissForce_; }
  void setDismissForce(bool force) { dismissForce_ = force; }
  const std::shared_ptr<InteractivePopRecognizer>& popRecognizer() const { return popRecognizer_; }

  // Pops the top screen when there are two or more; otherwise closes the offerwall and, right after
  // the dismissal starts, sends offerwallClosed.
  virtual void backButtonClicked();
  // Dismisses without telling the life-cycle delegate.
  virtual void forceDismiss(bool animated, Completion completion = {});
  // One indicator at most, over bar and content, letting touches through; the network activity
  // indicator is on while it shows.
  virtual void showIndicator();
  virtual void hideIndicator();

  // Colours the bar, installs the swipe-back delegate and sends offerwallOpen.
  void viewDidLoad() override;
  // A dismissal of this controller first clears the core's login delegate; a dismissal that only
  // takes away an alert it presents leaves it.
  void dismiss(bool animated, Completion completion = {}) override;
  ui::StatusBarStyle preferredStatusBarStyle() const override;
  ui::InterfaceOrientationMask supportedInterfaceOrientations() const override;

 private:
  std::shared_ptr<ui::View> indicator_;
  bool dismissForce_ = false;
  std::shared_ptr<InteractivePopRecognizer> popRecognizer_;
};

}  // namespace velkor
