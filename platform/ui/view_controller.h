// A view controller: owns a screen's root view (loaded on first use), hears the screen's
// appearance, layout and size changes, holds child controllers, and presents other controllers
// modally. Make controllers with std::make_shared; main thread only.
//
// Loading. view() loads the view once: loadView() (by default the view of the controller's nib,
// when it was made with a nib name, else a plain view), then viewDidLoad().
//
// Appearance. Every controller whose view comes on screen hears viewWillAppear, then, once the
// change is over, viewDidAppear; one that leaves hears viewWillDisappear and viewDidDisappear.
// The order is the same for every change (push, pop, a new stack, present, dismiss, a new root):
//   leaving.viewWillDisappear, coming.viewWillAppear, coming's layout pass (viewWillLayoutSubviews,
//   viewDidLayoutSubviews), [the animation, on the main loop's clock], leaving.viewDidDisappear,
//   coming.viewDidAppear, then the parent changes (didMove(toParent:)) and completions.
// A container hears its calls before the children it forwards them to (those whose views are in
// its view). A presentation that leaves the presenter's view in place (over full screen, over the
// current context, custom styles whose presentation controller keeps it) sends the presenter
// nothing, nor does its dismissal; a full-screen presentation and a custom one whose presentation
// controller removes the presenter's view send the presenter its disappear calls, and its dismissal
// the appear calls. Animated changes end on the main loop's clock (a manual clock in tests):
// advance it past the duration. Unanimated ones are over when the call returns.
//
// Layout. viewWillLayoutSubviews and viewDidLayoutSubviews run around every layout pass of the
// controller's root view when that view is the default one or a ui::ControllerView<T> (see
// controller_view.h); for a root view of another class they run only around the passes the
// controller itself drives (appearance and size changes).
//
// Presentation. present() hands the controller to the presentation context: the topmost ancestor
// of the controller it is called on (its navigation controller, say), which must be in a window.
// One context presents one controller at a time; a controller may present another in turn. A
// presentation or dismissal asked for while another is under way in the same context waits for it.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/geometry.h"
#include "platform/ui/navigation_item.h"
#include "platform/ui/view.h"

namespace ui {

class NavigationController;
class NibRegistry;
class PopoverPresentationController;
class PresentationController;
class TabBarController;
class TransitionCoordinator;
class TransitioningDelegate;

// Raw values as the platform numbers them.
enum class ModalPresentationStyle { fullScreen = 0, custom = 4, overFullScreen = 5, overCurrentContext = 6, popover = 7 };
enum class StatusBarStyle { defaultStyle = 0, lightContent = 1, darkContent = 3 };
enum class InterfaceOrientationMask : unsigned {
  portrait = 1 << 1,
  portraitUpsideDown = 1 << 2,
  landscapeRight = 1 << 3,
  landscapeLeft = 1 << 4,
  landscape = (1 << 3) | (1 << 4),
  all = (1 << 1) | (1 << 2) | (1 << 3) | (1 << 4),
  allButUpsideDown = (1 << 1) | (1 << 3) | (1 << 4),
};

class ViewController : public std::enable_shared_from_this<ViewController> {
 public:
  using Completion = std::function<void()>;

  ViewController();
  // A controller whose view comes from the nib of that name in a registry (null: the host app's,
  // NibRegistry::main()). No name: a plain view.
  explicit ViewController(std::optional<std::string> nibName, const NibRegistry* bundle = nullptr);
  virtual ~ViewController();
  ViewController(const ViewController&) = delete;
  ViewController& operator=(const ViewController&) = delete;

  // --- the view ---
  // Loads the view on first use.
  const std::shared_ptr<View>& view();
  bool isViewLoaded() const { return view_ != nullptr; }
  const std::shared_ptr<View>& viewIfLoaded() const { return view_; }
  // Sets the root view: from loadView(), or from a nib builder connecting the "view" outlet. Setting
  // it does not run viewDidLoad(); the first view() does.
  void setView(std::shared_ptr<View> view);
  void loadViewIfNeeded();
  const std::optional<std::string>& nibName() const { return nibName_; }

  // Makes the root view: the nib's when there is a nib name (with this controller as the nib's
  // owner; its first top-level view unless the builder set the view), else a plain view. A
  // missing nib is logged and gives a plain view. An override must call setView().
  virtual void loadView();
  virtual void viewDidLoad() {}

  // --- appearance and layout ---
  virtual void viewWillAppear(bool animated) { (void)animated; }
  virtual void viewDidAppear(bool animated) { (void)animated; }
  virtual void viewWillDisappear(bool animated) { (void)animated; }
  virtual void viewDidDisappear(bool animated) { (void)animated; }
  virtual void viewWillLayoutSubviews() {}
  virtual void viewDidLayoutSubviews() {}
  // Called after the root view's traits changed (its own override, a new superview or window, the
  // system's style), once the view itself heard of it and before its subviews do.
  virtual void traitCollectionDidChange(const TraitCollection& previous) { (void)previous; }
  // For containers that show children themselves: begin tells the child it is about to appear
  // (or disappear), end that the change is over. A repeated begin is ignored; an appearing
  // controller told to disappear (or the reverse) turns round.
  void beginAppearanceTransition(bool isAppearing, bool animated);
  void endAppearanceTransition();
  // True (the default): the controller passes its appearance calls on to the children whose
  // views are in its view.
  virtual bool shouldAutomaticallyForwardAppearanceMethods() const { return true; }
  // Lays the view out now (a pass over its whole view tree), with the layout calls around it
  // whatever the view's class. Containers call it for a child coming on screen.
  void layoutViewNow();
  // Whether the view is on screen, between viewDidAppear and viewWillDisappear.
  bool isVisible() const { return appearance_ == Appearance::appeared; }

  // The window's size is about to change. The default passes the call on to every child; an
  // override calls it too. Animations given to the coordinator run with the change's own.
  virtual void viewWillTransition(Size size, TransitionCoordinator& coordinator);

  // --- children ---
  const std::vector<std::shared_ptr<ViewController>>& children() const { return children_; }
  ViewController* parent() const { return parent_; }
  // Calls willMove(toParent: this) on the child (taking it from an earlier parent first); the
  // caller adds the child's view and calls didMove(toParent: this).
  void addChild(std::shared_ptr<ViewController> child);
  // The caller calls willMove(toParent: nullptr) first; this calls didMove(toParent: nullptr).
  void removeFromParent();
  virtual void willMove(ViewController* parent) { (void)parent; }
  virtual void didMove(ViewController* parent) { (void)parent; }
  // The nearest navigation (tab bar) controller among this controller and its ancestors.
  NavigationController* navigationController() const;
  TabBarController* tabBarController() const;

  // --- navigation ---
  NavigationItem& navigationItem() { return *navigationItem_; }
  const std::shared_ptr<NavigationItem>& navigationItemPointer() const { return navigationItem_; }
  const std::optional<std::string>& title() const { return title_; }
  // Also the navigation item's title, as on the platform.
  void setTitle(std::optional<std::string> title);
  // Pushes onto the navigation controller when there is one, else presents (animated).
  virtual void show(std::shared_ptr<ViewController> controller);

  // --- presentation ---
  // Presents over this controller's presentation context. Refused (and logged, the completion not
  // called) when the controller is already presented or in a container, when the context already
  // presents one, or when the context is not in a window. The completion runs once the controller
  // is on screen (also when a custom transition was cancelled).
  void present(std::shared_ptr<ViewController> controller, bool animated, Completion completion = {});
  // Dismisses what this controller's context presents (with everything presented above it); with
  // nothing presented, this controller itself when it was presented; a child asks its parent.
  // Nothing to dismiss: the completion runs at once.
  virtual void dismiss(bool animated, Completion completion = {});
  // What this controller (or the context it belongs to) presents; null when nothing.
  std::shared_ptr<ViewController> presentedViewController() const;
  // The controller that presented this one (or this one's context); null when not presented.
  std::shared_ptr<ViewController> presentingViewController() const;
  bool isBeingPresented() const { return beingPresented_; }
  bool isBeingDismissed() const { return beingDismissed_; }

  ModalPresentationStyle modalPresentationStyle() const { return modalPresentationStyle_; }
  void setModalPresentationStyle(ModalPresentationStyle style) { modalPresentationStyle_ = style; }
  // Asked for the custom style's presentation controller and animators. Held weakly.
  std::shared_ptr<TransitioningDelegate> transitioningDelegate() const { return transitioningDelegate_.lock(); }
  void setTransitioningDelegate(const std::shared_ptr<TransitioningDelegate>& delegate) {
    transitioningDelegate_ = delegate;
  }
  // The presentation controller of the presentation under way or in place; null otherwise.
  const std::shared_ptr<PresentationController>& presentationController() const { return presentationController_; }
  // With the popover style: the popover's presentation controller, made on first use so that the
  // source can be set before presenting. Null for other styles.
  PopoverPresentationController* popoverPresentationController();

  // --- status bar and orientations ---
  virtual StatusBarStyle preferredStatusBarStyle() const { return StatusBarStyle::defaultStyle; }
  // Whether a controller presented in a style other than full screen decides the status bar.
  bool modalPresentationCapturesStatusBarAppearance() const { return capturesStatusBar_; }
  void setModalPresentationCapturesStatusBarAppearance(bool captures) { capturesStatusBar_ = captures; }
  // A container naming a child that decides the status bar instead of itself; null by default.
  virtual ViewController* childViewControllerForStatusBarStyle() const { return nullptr; }
  // All but upside down on a phone, all on a pad.
  virtual InterfaceOrientationMask supportedInterfaceOrientations() const;

 protected:
  // For containers (navigation, tab bar): lays out the views they manage, inside the root view's
  // layout pass, between viewWillLayoutSubviews() and the pass over the subviews.
  virtual void layoutManagedViews() {}
  // Runs the work now when no transition of this controller is under way, else when it ends.
  void whenIdle(std::function<void()> work);
  bool isTransitioning() const { return transitioning_; }
  // Between viewWillAppear and viewDidAppear.
  bool isAppearing() const { return appearance_ == Appearance::appearing; }
  void setTransitioning(bool transitioning);

 private:
  friend class Presentation;
  friend class View;
  friend class Window;
  template <class Base>
  friend class ControllerView;
  enum class Appearance { disappeared, appearing, appeared, disappearing };

  // The hook may release the controller's last owner (a screen that closes itself).
  void rootViewTraitsDidChange(const TraitCollection& previous);
  std::vector<ViewController*> childrenOnScreen() const;
  // The topmost ancestor: where presentations are kept.
  ViewController* presentationContext();
  const ViewController* presentationContext() const;

  std::shared_ptr<View> view_;
  bool viewDidLoadCalled_ = false;
  bool loadingView_ = false;
  std::optional<std::string> nibName_;
  const NibRegistry* nibBundle_ = nullptr;
  std::optional<std::string> title_;
  std::shared_ptr<NavigationItem> navigationItem_;

  Appearance appearance_ = Appearance::disappeared;
  bool appearanceAnimated_ = false;

  std::vector<std::shared_ptr<ViewController>> children_;
  ViewController* parent_ = nullptr;

  std::shared_ptr<ViewController> presented_;
  std::weak_ptr<ViewController> presenting_;
  std::shared_ptr<PresentationController> presentationController_;
  bool beingPresented_ = false;
  bool beingDismissed_ = false;
  ModalPresentationStyle modalPresentationStyle_ = ModalPresentationStyle::fullScreen;
  std::weak_ptr<TransitioningDelegate> transitioningDelegate_;
  bool capturesStatusBar_ = false;

  bool transitioning_ = false;
  std::deque<std::function<void()>> afterTransition_;
};

constexpr InterfaceOrientationMask operator|(InterfaceOrientationMask a, InterfaceOrientationMask b) {
  return static_cast<InterfaceOrientationMask>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool contains(InterfaceOrientationMask mask, InterfaceOrientationMask orientations) {
  return (static_cast<unsigned>(mask) & static_cast<unsigned>(orientations)) == static_cast<unsigned>(orientations);
}

}  // namespace ui
