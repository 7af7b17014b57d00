#include "platform/ui/view_controller.h"

#include <algorithm>

#include "platform/base/log.h"
#include "platform/ui/controller_view.h"
#include "platform/ui/device.h"
#include "platform/ui/navigation_controller.h"
#include "platform/ui/nib_registry.h"
#include "platform/ui/presentation.h"
#include "platform/ui/screen.h"
#include "platform/ui/tab_bar_controller.h"
#include "platform/ui/transitioning.h"

namespace ui {

ViewController::ViewController() : navigationItem_(std::make_shared<NavigationItem>()) {}

ViewController::ViewController(std::optional<std::string> nibName, const NibRegistry* bundle) : ViewController() {
  nibName_ = std::move(nibName);
  nibBundle_ = bundle;
}

ViewController::~ViewController() {
  if (view_ && view_->rootOf_ == this) view_->rootOf_ = nullptr;
  if (auto* link = dynamic_cast<ControllerViewLink*>(view_.get())) link->controller_ = nullptr;
  for (const auto& child : children_) child->parent_ = nullptr;
}

// --- the view --------------------------------------------------------------------------------------

const std::shared_ptr<View>& ViewController::view() {
  loadViewIfNeeded();
  return view_;
}

void ViewController::setView(std::shared_ptr<View> view) {
  if (view == view_) return;
  if (view_ && view_->rootOf_ == this) view_->rootOf_ = nullptr;
  if (auto* link = dynamic_cast<ControllerViewLink*>(view_.get())) link->controller_ = nullptr;
  view_ = std::move(view);
  if (view_) view_->rootOf_ = this;
  if (auto* link = dynamic_cast<ControllerViewLink*>(view_.get())) link->controller_ = this;
}

void ViewController::loadViewIfNeeded() {
  if (!view_ && !loadingView_) {
    loadingView_ = true;
    loadView();
    loadingView_ = false;
    if (!view_) {
      base::logError("ViewController: loadView() set no view; a plain view stands in");
      setView(std::make_shared<ControllerView<View>>(Screen::main().bounds));
    }
  }
  if (view_ && !viewDidLoadCalled_) {
    viewDidLoadCalled_ = true;
    viewDidLoad();
  }
}

void ViewController::loadView() {
  if (nibName_) {
    const NibRegistry& registry = nibBundle_ ? *nibBundle_ : NibRegistry::main();
    if (!registry.contains(*nibName_)) {
      base::logError("ViewController: no nib named \"" + *nibName_ + "\"; a plain view stands in");
    } else {
      auto objects = registry.load(*nibName_, NibOwner(*this));
      if (!view_) {
        for (const auto& object : objects) {
          if (const auto* view = std::get_if<std::shared_ptr<View>>(&object); view && *view) {
            setView(*view);
            break;
          }
        }
      }
      if (view_) return;
      base::logError("ViewController: the nib \"" + *nibName_ + "\" has no view; a plain view stands in");
    }
  }
  setView(std::make_shared<ControllerView<View>>(Screen::main().bounds));
}

void ViewController::rootViewTraitsDidChange(const TraitCollection& previous) {
  auto alive = weak_from_this().lock();
  traitCollectionDidChange(previous);
}

// --- appearance and layout ------------------------------------------------------------------------

std::vector<ViewController*> ViewController::childrenOnScreen() const {
  std::vector<ViewController*> onScreen;
  if (!view_) return onScreen;
  for (const auto& child : children_) {
    if (child->view_ && child->view_->isDescendant(*view_)) onScreen.push_back(child.get());
  }
  return onScreen;
}

void ViewController::beginAppearanceTransition(bool isAppearing, bool animated) {
  auto alive = weak_from_this().lock();
  if (isAppearing) {
    if (appearance_ == Appearance::appearing || appearance_ == Appearance::appeared) return;
    appearance_ = Appearance::appearing;
    appearanceAnimated_ = animated;
    loadViewIfNeeded();
    viewWillAppear(animated);
  } else {
    if (appearance_ == Appearance::disappearing || appearance_ == Appearance::disappeared) return;
    appearance_ = Appearance::disappearing;
    appearanceAnimated_ = animated;
    viewWillDisappear(animated);
  }
  if (!shouldAutomaticallyForwardAppearanceMethods()) return;
  for (ViewController* child : childrenOnScreen()) child->beginAppearanceTransition(isAppearing, animated);
}

void ViewController::endAppearanceTransition() {
  auto alive = weak_from_this().lock();
  const Appearance was = appearance_;
  if (was == Appearance::appearing) {
    appearance_ = Appearance::appeared;
    viewDidAppear(appearanceAnimated_);
  } else if (was == Appearance::disappearing) {
    appearance_ = Appearance::disappeared;
    viewDidDisappear(appearanceAnimated_);
  } else {
    return;
  }
  if (!shouldAutomaticallyForwardAppearanceMethods()) return;
  // The children that heard the begin, whether or not their views are still in ours.
  auto children = children_;
  for (const auto& child : children) {
    if (child->parent_ == this && child->appearance_ == was) child->endAppearanceTransition();
  }
}

void ViewController::layoutViewNow() {
  if (!view_) return;
  auto alive = weak_from_this().lock();
  std::shared_ptr<View> root = view_;
  root->setNeedsLayout();
  if (dynamic_cast<ControllerViewLink*>(root.get())) {
    root->layoutIfNeeded();
    return;
  }
  viewWillLayoutSubviews();
  layoutManagedViews();
  root->layoutIfNeeded();
  viewDidLayoutSubviews();
}

void ViewController::viewWillTransition(Size size, TransitionCoordinator& coordinator) {
  auto children = children_;
  for (const auto& child : children) child->viewWillTransition(size, coordinator);
}

// --- children ---------------------------------------------------------------------------------------

void ViewController::addChild(std::shared_ptr<ViewController> child) {
  if (!child || child.get() == this) return;
  for (ViewController* ancestor = parent_; ancestor; ancestor = ancestor->parent_) {
    if (ancestor == child.get()) {
      base::logError("ViewController: a controller cannot become a child of its own descendant");
      return;
    }
  }
  if (child->parent_ == this) return;
  if (child->parent_) child->removeFromParent();
  child->willMove(this);
  children_.push_back(child);
  child->parent_ = this;
}

void ViewController::removeFromParent() {
  ViewController* parent = parent_;
  if (!parent) return;
  auto alive = weak_from_this().lock();
  std::erase_if(parent->children_, [this](const auto& child) { return child.get() == this; });
  parent_ = nullptr;
  didMove(nullptr);
}

NavigationController* ViewController::navigationController() const {
  for (ViewController* ancestor = parent_; ancestor; ancestor = ancestor->parent_) {
    if (auto* navigation = dynamic_cast<NavigationController*>(ancestor)) return navigation;
  }
  return nullptr;
}

TabBarController* ViewController::tabBarController() const {
  for (ViewController* ancestor = parent_; ancestor; ancestor = ancestor->parent_) {
    if (auto* tabs = dynamic_cast<TabBarController*>(ancestor)) return tabs;
  }
  return nullptr;
}

void ViewController::setTitle(std::optional<std::string> title) {
  title_ = title;
  navigationItem_->setTitle(std::move(title));
}

void ViewController::show(std::shared_ptr<ViewController> controller) {
  if (NavigationController* navigation = navigationController()) {
    navigation->show(std::move(controller));
    return;
  }
  present(std::move(controller), true);
}

// --- presentation -------------------------------------------------------------------------------------

ViewController* ViewController::presentationContext() {
  ViewController* context = this;
  while (context->parent_) context = context->parent_;
  return context;
}

const ViewController* ViewController::presentationContext() const {
  const ViewController* context = this;
  while (context->parent_) context = context->parent_;
  return context;
}

std::shared_ptr<ViewController> ViewController::presentedViewController() const {
  return presentationContext()->presented_;
}

std::shared_ptr<ViewController> ViewController::presentingViewController() const {
  return presentationContext()->presenting_.lock();
}

void ViewController::present(std::shared_ptr<ViewController> controller, bool animated, Completion completion) {
  Presentation::present(*this, std::move(controller), animated, std::move(completion));
}

void ViewController::dismiss(bool animated, Completion completion) {
  if (presented_) {
    Presentation::dismiss(*this, animated, std::move(completion));
    return;
  }
  if (parent_) {
    parent_->dismiss(animated, std::move(completion));
    return;
  }
  if (auto presenting = presenting_.lock()) {
    Presentation::dismiss(*presenting, animated, std::move(completion));
    return;
  }
  if (completion) completion();
}

PopoverPresentationController* ViewController::popoverPresentationController() {
  if (modalPresentationStyle_ != ModalPresentationStyle::popover) return nullptr;
  if (!presentationController_) {
    auto self = weak_from_this().lock();
    if (!self) return nullptr;
    presentationController_ = std::make_shared<PopoverPresentationController>(self, nullptr);
  }
  return dynamic_cast<PopoverPresentationController*>(presentationController_.get());
}

InterfaceOrientationMask ViewController::supportedInterfaceOrientations() const {
  return Device::current().userInterfaceIdiom == UserInterfaceIdiom::pad ? InterfaceOrientationMask::all
                                                                          : InterfaceOrientationMask::allButUpsideDown;
}

// --- transitions -----------------------------------------------------------------------------------------

void ViewController::whenIdle(std::function<void()> work) {
  if (!transitioning_) {
    work();
    return;
  }
  afterTransition_.push_back(std::move(work));
}

void ViewController::setTransitioning(bool transitioning) {
  transitioning_ = transitioning;
  if (transitioning) return;
  auto alive = weak_from_this().lock();
  while (!transitioning_ && !afterTransition_.empty()) {
    auto work = std::move(afterTransition_.front());
    afterTransition_.pop_front();
    work();
  }
}

}  // namespace ui
