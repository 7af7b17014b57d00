// Root views that report their layout passes to the controller they belong to: around the view's
// own layoutSubviews(), the controller hears viewWillLayoutSubviews() before and
// viewDidLayoutSubviews() after, as on the platform. A controller's default view is one; a
// controller making its own root view of another class uses ControllerView<ThatClass> to keep the
// calls, e.g. setView(std::make_shared<ui::ControllerView<MyScrollView>>()).
#pragma once

#include "platform/ui/view_controller.h"

namespace ui {

// The link from a root view to its controller, kept by ViewController::setView().
class ControllerViewLink {
 public:
  virtual ~ControllerViewLink() = default;
  ViewController* owningController() const { return controller_; }

 private:
  friend class ViewController;
  ViewController* controller_ = nullptr;
};

template <class Base = View>
class ControllerView : public Base, public ControllerViewLink {
 public:
  using Base::Base;

  void layoutSubviews() override {
    ViewController* controller = owningController();
    if (!controller) {
      Base::layoutSubviews();
      return;
    }
    // The pass may release the controller's last owner (a hook that dismisses it).
    auto alive = controller->shared_from_this();
    controller->viewWillLayoutSubviews();
    controller->layoutManagedViews();
    Base::layoutSubviews();
    controller->viewDidLayoutSubviews();
  }
};

}  // namespace ui
