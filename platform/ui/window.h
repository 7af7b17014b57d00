// The root of a screen's view tree: it carries what the device and the system report to the views
// inside it (safe-area insets, the light or dark style), keeps the first responder, and shows a
// root view controller with whatever that controller presents laid over it.
//
// A window made without a frame takes the main screen's bounds and safe-area insets. Its root
// controller's view fills it; the controller appears once the window is made key and visible (and
// a new root replaces the old one with their appearance calls). setSize() is a size change as the
// controllers see it (viewWillTransition(to:with:)), animated over 0.3 s once the window is
// visible. A change of screen (a push from a side, a fade) is a Transition animation added to the
// window's layer under kTransitionAnimationKey.
#pragma once

#include <memory>

#include "platform/ui/view.h"
#include "platform/ui/view_controller.h"

namespace ui {

// The key a change-of-screen transition is added under, on the window's layer.
inline constexpr const char* kTransitionAnimationKey = "transition";

class Window : public View {
 public:
  static constexpr double kSizeTransitionDuration = 0.3;

  // The main screen's bounds and safe-area insets.
  Window();
  explicit Window(const Rect& frame);
  ~Window() override;

  // The insets of the screen's unobscured area, as the host or a test sets them.
  void setSafeAreaInsets(const EdgeInsets& insets);
  const EdgeInsets& windowSafeAreaInsets() const { return safeAreaInsets_; }
  // The system's traits (light or dark), inherited by every view without an override.
  void setTraitCollection(const TraitCollection& traits);

  void makeKeyAndVisible();
  bool isKeyWindow() const;
  // The window made key last, while it exists.
  static std::shared_ptr<Window> keyWindow();
  // Whether makeKeyAndVisible() has shown it.
  bool isVisible() const { return visible_; }

  // --- the root controller ---
  const std::shared_ptr<ViewController>& rootViewController() const { return root_; }
  // A controller that belongs to a container, or that is presented, is refused (logged).
  void setRootViewController(std::shared_ptr<ViewController> controller);

  // --- size ---
  Size size() const { return bounds().size; }
  // Resizes the window (keeping its origin): every controller on screen hears
  // viewWillTransition(to:with:) first, the alongside animations run with the change and the
  // coordinator's completions when it is over (at once for a window that is not visible).
  void setSize(Size size);

  // The status bar style the controllers on screen ask for: the topmost presented controller that
  // covers the screen (full screen) or captures the status bar, else the root; then the child it
  // names for the status bar, if any.
  StatusBarStyle statusBarStyle() const;

  View* firstResponder() const { return firstResponder_.lock().get(); }

 protected:
  TraitCollection rootTraitCollection() const override { return systemTraits_; }

 private:
  friend class View;
  // The root and every controller presented above it, bottom first.
  std::vector<std::shared_ptr<ViewController>> controllersOnScreen() const;

  EdgeInsets safeAreaInsets_;
  TraitCollection systemTraits_;
  std::weak_ptr<View> firstResponder_;
  std::shared_ptr<ViewController> root_;
  bool visible_ = false;
};

}  // namespace ui
