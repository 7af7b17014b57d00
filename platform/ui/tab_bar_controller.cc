#include "platform/ui/tab_bar_controller.h"

#include <algorithm>
#include <set>

#include "platform/base/log.h"
#include "platform/ui/controller_view.h"
#include "platform/ui/screen.h"

namespace ui {

void TabBarController::setViewControllers(std::vector<std::shared_ptr<ViewController>> controllers, bool) {
  std::set<const ViewController*> seen;
  for (const auto& controller : controllers) {
    if (!controller || !seen.insert(controller.get()).second || controller.get() == this ||
        (controller->parent() && controller->parent() != this) || controller->presentingViewController()) {
      base::logError("TabBarController: each controller must be given once and belong to no other container");
      return;
    }
  }
  ViewController* previous = selectedViewController();
  auto old = std::move(controllers_);
  controllers_ = std::move(controllers);
  selected_ = 0;
  for (const auto& controller : old) {
    if (std::find(controllers_.begin(), controllers_.end(), controller) != controllers_.end()) continue;
    controller->willMove(nullptr);
    if (controller.get() == previous && isVisible()) controller->beginAppearanceTransition(false, false);
    if (controller->isViewLoaded()) controller->viewIfLoaded()->removeFromSuperview();
    if (controller.get() == previous && isVisible()) controller->endAppearanceTransition();
    controller->removeFromParent();
    if (controller.get() == previous) previous = nullptr;
  }
  for (const auto& controller : controllers_) {
    if (controller->parent() == this) continue;
    addChild(controller);
    controller->didMove(this);
  }
  rebuildTabs();
  showSelected(previous);
}

ViewController* TabBarController::selectedViewController() const {
  return controllers_.empty() ? nullptr : controllers_[selected_].get();
}

void TabBarController::setSelectedIndex(std::size_t index) {
  if (index >= controllers_.size() || index == selected_) return;
  ViewController* previous = selectedViewController();
  selected_ = index;
  showSelected(previous);
}

void TabBarController::setSelectedViewController(const ViewController& controller) {
  auto it = std::find_if(controllers_.begin(), controllers_.end(),
                         [&](const auto& item) { return item.get() == &controller; });
  if (it != controllers_.end()) setSelectedIndex(static_cast<std::size_t>(it - controllers_.begin()));
}

const std::shared_ptr<View>& TabBarController::tabBar() {
  loadViewIfNeeded();
  return tabBar_;
}

void TabBarController::loadView() {
  auto root = std::make_shared<ControllerView<View>>(Screen::main().bounds);
  contentView_ = std::make_shared<View>();
  tabBar_ = std::make_shared<View>();
  tabBar_->setBackgroundColor(Color(0.97, 0.97, 0.97, 0.94));
  root->addSubview(contentView_);
  root->addSubview(tabBar_);
  setView(root);
  rebuildTabs();
  showSelected(nullptr);
}

void TabBarController::rebuildTabs() {
  if (!tabBar_) return;
  for (const auto& button : buttons_) button->removeFromSuperview();
  buttons_.clear();
  std::weak_ptr<ViewController> weak = weak_from_this();
  for (std::size_t i = 0; i < controllers_.size(); ++i) {
    auto button = std::make_shared<Button>();
    button->setTitle(controllers_[i]->title().value_or(""), ControlState::normal);
    button->setTitleColor(Color::gray(), ControlState::normal);
    button->setTitleColor(tabBar_->tintColor(), ControlState::selected);
    button->addAction(ControlEvent::touchUpInside, [weak, i] {
      if (auto self = std::static_pointer_cast<TabBarController>(weak.lock())) self->setSelectedIndex(i);
    });
    tabBar_->addSubview(button);
    buttons_.push_back(button);
  }
  if (isViewLoaded()) viewIfLoaded()->setNeedsLayout();
}

void TabBarController::showSelected(ViewController* previous) {
  for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->setSelected(i == selected_);
  ViewController* next = selectedViewController();
  if (!contentView_ || previous == next) return;
  const bool visible = isVisible();
  if (visible && previous) previous->beginAppearanceTransition(false, false);
  if (visible && next) next->beginAppearanceTransition(true, false);
  if (previous && previous->isViewLoaded()) previous->viewIfLoaded()->removeFromSuperview();
  if (next) {
    const auto& view = next->view();
    view->setFrame(contentView_->bounds());
    view->setAutoresizingMask(kFlexibleSize);
    contentView_->addSubview(view);
    if (visible) next->layoutViewNow();
  }
  if (visible && previous) previous->endAppearanceTransition();
  if (visible && next) next->endAppearanceTransition();
}

void TabBarController::layoutManagedViews() {
  if (!isViewLoaded()) return;
  const Rect bounds = viewIfLoaded()->bounds();
  const double barHeight = kTabBarHeight + viewIfLoaded()->safeAreaInsets().bottom;
  const double contentHeight = std::max(0.0, bounds.height() - barHeight);
  contentView_->setFrame({0, 0, bounds.width(), contentHeight});
  tabBar_->setFrame({0, contentHeight, bounds.width(), barHeight});
  const double width = buttons_.empty() ? 0 : bounds.width() / static_cast<double>(buttons_.size());
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i]->setFrame({width * static_cast<double>(i), 0, width, kTabBarHeight});
  }
  if (ViewController* selected = selectedViewController(); selected && selected->isViewLoaded()) {
    selected->viewIfLoaded()->setFrame(contentView_->bounds());
  }
}

}  // namespace ui
