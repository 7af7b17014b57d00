#include "platform/ui/window.h"

#include "platform/base/log.h"
#include "platform/ui/layout_engine.h"
#include "platform/ui/screen.h"
#include "platform/ui/transitioning.h"

namespace ui {
namespace {

std::weak_ptr<Window>& keyWindowSlot() {
  static auto* slot = new std::weak_ptr<Window>();
  return *slot;
}

}  // namespace

Window::Window() {
  isWindow_ = true;
  const Screen screen = Screen::main();
  setFrame(screen.bounds);
  safeAreaInsets_ = screen.safeAreaInsets;
}

Window::Window(const Rect& frame) {
  isWindow_ = true;
  setFrame(frame);
}

Window::~Window() = default;

void Window::setSafeAreaInsets(const EdgeInsets& insets) {
  if (insets == safeAreaInsets_) return;
  safeAreaInsets_ = insets;
  if (LayoutEngine* engine = rootEngine()) engine->guideInsetsChanged();
  setNeedsLayout();
}

void Window::setTraitCollection(const TraitCollection& traits) {
  systemTraits_ = traits;
  updateTraitCollection();
}

void Window::makeKeyAndVisible() {
  setHidden(false);
  keyWindowSlot() = std::static_pointer_cast<Window>(shared());
  if (visible_) return;
  visible_ = true;
  if (!root_) return;
  auto root = root_;
  root->beginAppearanceTransition(true, false);
  root->layoutViewNow();
  root->endAppearanceTransition();
}

bool Window::isKeyWindow() const { return keyWindowSlot().lock().get() == this; }

std::shared_ptr<Window> Window::keyWindow() { return keyWindowSlot().lock(); }

void Window::setRootViewController(std::shared_ptr<ViewController> controller) {
  if (controller == root_) return;
  if (controller && (controller->parent() || controller->presentingViewController())) {
    base::logError("Window: a controller in a container or presented cannot be the root");
    return;
  }
  auto old = std::move(root_);
  root_ = controller;
  if (visible_ && old) old->beginAppearanceTransition(false, false);
  if (visible_ && controller) controller->beginAppearanceTransition(true, false);
  if (controller) {
    const auto& view = controller->view();
    view->setFrame(bounds());
    view->setAutoresizingMask(kFlexibleSize);
    insertSubview(view, 0);
  }
  if (old && old->isViewLoaded() && old->viewIfLoaded()->superview() == this) old->viewIfLoaded()->removeFromSuperview();
  if (!visible_) return;
  if (controller) controller->layoutViewNow();
  if (old) old->endAppearanceTransition();
  if (controller) controller->endAppearanceTransition();
}

std::vector<std::shared_ptr<ViewController>> Window::controllersOnScreen() const {
  std::vector<std::shared_ptr<ViewController>> controllers;
  for (auto controller = root_; controller; controller = controller->presented_) controllers.push_back(controller);
  return controllers;
}

void Window::setSize(Size size) {
  if (size == bounds().size) return;
  const bool animated = visible_;
  auto coordinator = std::make_shared<TransitionCoordinator>(animated ? kSizeTransitionDuration : 0, animated);
  for (const auto& controller : controllersOnScreen()) controller->viewWillTransition(size, *coordinator);
  auto change = [this, size, coordinator] {
    setFrame({frame().origin, size});
    layoutIfNeeded();
    coordinator->runAlongside();
  };
  if (!animated) {
    change();
    coordinator->runCompletions();
    return;
  }
  View::animate(kSizeTransitionDuration, change, [coordinator](bool) { coordinator->runCompletions(); });
}

StatusBarStyle Window::statusBarStyle() const {
  auto controllers = controllersOnScreen();
  if (controllers.empty()) return StatusBarStyle::defaultStyle;
  ViewController* deciding = controllers.front().get();
  for (std::size_t i = 1; i < controllers.size(); ++i) {
    const auto& presented = controllers[i];
    if (presented->modalPresentationStyle() == ModalPresentationStyle::fullScreen ||
        presented->modalPresentationCapturesStatusBarAppearance()) {
      deciding = presented.get();
    }
  }
  for (int depth = 0; depth < 32; ++depth) {
    ViewController* child = deciding->childViewControllerForStatusBarStyle();
    if (!child) break;
    deciding = child;
  }
  return deciding->preferredStatusBarStyle();
}

}  // namespace ui
