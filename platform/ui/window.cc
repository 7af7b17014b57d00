#include "platform/ui/window.h"

#include "platform/ui/layout_engine.h"

namespace ui {
namespace {

std::weak_ptr<Window>& keyWindowSlot() {
  static auto* slot = new std::weak_ptr<Window>();
  return *slot;
}

}  // namespace

Window::Window() { isWindow_ = true; }

Window::Window(const Rect& frame) : Window() { setFrame(frame); }

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
}

bool Window::isKeyWindow() const { return keyWindowSlot().lock().get() == this; }

std::shared_ptr<Window> Window::keyWindow() { return keyWindowSlot().lock(); }

}  // namespace ui
