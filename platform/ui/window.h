// The root of a screen's view tree: it carries what the device and the system report to the views
// inside it (safe-area insets, the light or dark style) and keeps the first responder.
#pragma once

#include <memory>

#include "platform/ui/view.h"

namespace ui {

class Window : public View {
 public:
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

  View* firstResponder() const { return firstResponder_.lock().get(); }

 protected:
  TraitCollection rootTraitCollection() const override { return systemTraits_; }

 private:
  friend class View;
  EdgeInsets safeAreaInsets_;
  TraitCollection systemTraits_;
  std::weak_ptr<View> firstResponder_;
};

}  // namespace ui
