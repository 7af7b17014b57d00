#include "platform/ui/navigation_controller.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "platform/base/log.h"
#include "platform/ui/controller_view.h"
#include "platform/ui/screen.h"

namespace ui {
namespace {

bool contains(const std::vector<std::shared_ptr<ViewController>>& list, const ViewController* controller) {
  return std::any_of(list.begin(), list.end(), [&](const auto& item) { return item.get() == controller; });
}

// A swipe from the left edge to the right. Continuous: it begins once the finger has gone far
// enough, and ends when it lifts.
class EdgePopRecognizer : public GestureRecognizer {
 public:
  static constexpr double kEdgeWidth = 20;
  static constexpr double kDistance = 30;

  std::function<bool()> allowed;

 protected:
  void touchesBegan(const Touches& touches) override {
    if (state() != State::possible) return;
    auto host = view();
    if (touches.size() != 1 || numberOfTouches() > 1 || !host) return setState(State::failed);
    const Point point = touches.front()->location(host.get());
    if (point.x > kEdgeWidth) return setState(State::failed);
    start_ = point;
  }

  void touchesMoved(const Touches& touches) override {
    auto host = view();
    if (!host || touches.empty()) return;
    const Point point = touches.front()->location(host.get());
    const double across = point.x - start_.x;
    const double along = std::abs(point.y - start_.y);
    if (state() == State::possible) {
      if (across >= kDistance && across > along) {
        setState(State::began);
      } else if (along >= kDistance && along > across) {
        setState(State::failed);
      }
      return;
    }
    if (state() == State::began || state() == State::changed) setState(State::changed);
  }

  void touchesEnded(const Touches&) override {
    setState(state() == State::began || state() == State::changed ? State::ended : State::failed);
  }

  bool canBegin() override { return !allowed || allowed(); }

 private:
  Point start_;
};

}  // namespace

struct NavigationController::Change {
  std::shared_ptr<ViewController> from;
  std::shared_ptr<ViewController> to;
  std::vector<std::shared_ptr<ViewController>> added;
  std::vector<std::shared_ptr<ViewController>> removed;
  bool push = true;
  bool animated = false;
};

NavigationController::NavigationController() { commonInit(nullptr); }

NavigationController::NavigationController(std::shared_ptr<ViewController> rootViewController) {
  commonInit(nullptr);
  if (rootViewController) applyStack({std::move(rootViewController)}, false);
}

NavigationController::NavigationController(const NavigationBarFactory& navigationBarClass) {
  commonInit(navigationBarClass ? navigationBarClass() : nullptr);
}

NavigationController::~NavigationController() {
  // The bar and the gesture may outlive the controller in a view someone else keeps.
  bar_->setBackAction(nullptr);
  if (auto* recognizer = dynamic_cast<EdgePopRecognizer*>(popGesture_.get())) recognizer->allowed = nullptr;
}

void NavigationController::commonInit(std::shared_ptr<NavigationBar> bar) {
  bar_ = bar ? std::move(bar) : std::make_shared<NavigationBar>();
  bar_->setBackAction([this] { popViewController(true); });
  auto recognizer = std::make_shared<EdgePopRecognizer>();
  recognizer->allowed = [this] { return stack_.size() > 1 && !isTransitioning(); };
  popGesture_ = std::move(recognizer);
}

void NavigationController::loadView() {
  auto root = std::make_shared<ControllerView<View>>(Screen::main().bounds);
  contentView_ = std::make_shared<View>();
  root->addSubview(contentView_);
  root->addSubview(bar_);
  setView(root);
  std::weak_ptr<ViewController> weak = weak_from_this();
  popGesture_->addTarget(this, [weak](GestureRecognizer& recognizer) {
    auto self = std::static_pointer_cast<NavigationController>(weak.lock());
    if (self && recognizer.state() == GestureRecognizerState::began) self->popFromGesture();
  });
  addGestureRecognizer(*root, popGesture_);
  showTopViewNow();
}

// --- layout ---------------------------------------------------------------------------------------------

Rect NavigationController::contentFrame() const {
  const Rect bounds = viewIfLoaded()->bounds();
  if (barHidden_) return bounds;
  const double top = viewIfLoaded()->safeAreaInsets().top + NavigationBar::kHeight;
  return {0, top, bounds.width(), std::max(0.0, bounds.height() - top)};
}

void NavigationController::layoutManagedViews() {
  if (!isViewLoaded()) return;
  const Rect bounds = viewIfLoaded()->bounds();
  const double top = viewIfLoaded()->safeAreaInsets().top;
  bar_->setFrame({0, barHidden_ ? top - NavigationBar::kHeight : top, bounds.width(), NavigationBar::kHeight});
  contentView_->setFrame(contentFrame());
  if (ViewController* top = topViewController(); top && top->isViewLoaded()) {
    top->viewIfLoaded()->setFrame(contentView_->bounds());
  }
}

void NavigationController::setNavigationBarHidden(bool hidden, bool animated) {
  barHidden_ = hidden;
  if (!hidden) bar_->setHidden(false);
  if (!isViewLoaded()) {
    bar_->setHidden(hidden);
    return;
  }
  auto relayout = [this] { layoutViewNow(); };
  if (!animated) {
    relayout();
    bar_->setHidden(hidden);
    return;
  }
  std::weak_ptr<ViewController> weak = weak_from_this();
  View::animate(kHideShowBarDuration, relayout, [weak, hidden](bool) {
    auto self = std::static_pointer_cast<NavigationController>(weak.lock());
    if (self && self->barHidden_ == hidden) self->bar_->setHidden(hidden);
  });
}

void NavigationController::syncBarItems(bool animated) {
  std::vector<std::shared_ptr<NavigationItem>> items;
  for (const auto& controller : stack_) items.push_back(controller->navigationItemPointer());
  bar_->setItems(std::move(items), animated);
}

// Puts the top controller's view (alone) into the content view, without a transition.
void NavigationController::showTopViewNow() {
  if (!contentView_) return;
  auto subviews = contentView_->subviews();
  ViewController* top = topViewController();
  for (const auto& view : subviews) {
    if (!top || view != top->viewIfLoaded()) view->removeFromSuperview();
  }
  if (!top) return;
  const auto& view = top->view();
  view->setFrame(contentView_->bounds());
  view->setAutoresizingMask(kFlexibleSize);
  if (view->superview() != contentView_.get()) contentView_->addSubview(view);
}

// --- the stack --------------------------------------------------------------------------------------------

bool NavigationController::acceptsNewStack(const std::vector<std::shared_ptr<ViewController>>& controllers) const {
  std::set<const ViewController*> seen;
  for (const auto& controller : controllers) {
    if (!controller || !seen.insert(controller.get()).second) {
      base::logError("NavigationController: a stack cannot hold a controller twice, or none");
      return false;
    }
    // A screen already on this stack answers for the stack's own presentation; only a newcomer that
    // was presented itself is refused.
    const bool ours = controller->parent() == this;
    if ((controller->parent() && !ours) || controller.get() == this || (!ours && controller->presentingViewController())) {
      base::logError("NavigationController: a controller in another container, or presented, cannot be pushed");
      return false;
    }
  }
  return true;
}

void NavigationController::setViewControllers(std::vector<std::shared_ptr<ViewController>> controllers,
                                              bool animated) {
  if (!acceptsNewStack(controllers)) return;
  whenIdle([this, controllers = std::move(controllers), animated]() mutable {
    if (acceptsNewStack(controllers)) applyStack(std::move(controllers), animated);
  });
}

void NavigationController::pushViewController(std::shared_ptr<ViewController> controller, bool animated) {
  if (!controller) return;
  if (isTransitioning()) {
    whenIdle([this, controller, animated] { pushViewController(controller, animated); });
    return;
  }
  if (contains(stack_, controller.get())) {
    base::logError("NavigationController: the controller is already on the stack");
    return;
  }
  auto next = stack_;
  next.push_back(std::move(controller));
  if (acceptsNewStack(next)) applyStack(std::move(next), animated);
}

std::shared_ptr<ViewController> NavigationController::popViewController(bool animated) {
  if (isTransitioning()) {
    whenIdle([this, animated] { popViewController(animated); });
    return nullptr;
  }
  if (stack_.size() < 2) return nullptr;
  auto popped = stack_.back();
  auto next = stack_;
  next.pop_back();
  applyStack(std::move(next), animated);
  return popped;
}

std::vector<std::shared_ptr<ViewController>> NavigationController::popToViewController(
    const ViewController& controller, bool animated) {
  if (isTransitioning()) {
    std::weak_ptr<ViewController> target = const_cast<ViewController&>(controller).weak_from_this();
    whenIdle([this, target, animated] {
      if (auto controller = target.lock()) popToViewController(*controller, animated);
    });
    return {};
  }
  auto it = std::find_if(stack_.begin(), stack_.end(), [&](const auto& item) { return item.get() == &controller; });
  if (it == stack_.end()) return {};
  std::vector<std::shared_ptr<ViewController>> popped(it + 1, stack_.end());
  if (popped.empty()) return {};
  applyStack({stack_.begin(), it + 1}, animated);
  return popped;
}

std::vector<std::shared_ptr<ViewController>> NavigationController::popToRootViewController(bool animated) {
  if (stack_.empty()) return {};
  return popToViewController(*stack_.front(), animated);
}

std::shared_ptr<ViewController> NavigationController::visibleViewController() const {
  if (auto presented = presentedViewController()) return presented;
  return stack_.empty() ? nullptr : stack_.back();
}

void NavigationController::show(std::shared_ptr<ViewController> controller) {
  pushViewController(std::move(controller), true);
}

void NavigationController::popFromGesture() { popViewController(true); }

// --- changes ------------------------------------------------------------------------------------------------

void NavigationController::applyStack(std::vector<std::shared_ptr<ViewController>> controllers, bool animated) {
  auto change = std::make_shared<Change>();
  change->from = stack_.empty() ? nullptr : stack_.back();
  change->to = controllers.empty() ? nullptr : controllers.back();
  change->push = change->to && !contains(stack_, change->to.get());
  change->animated = animated;
  for (const auto& controller : stack_) {
    if (!contains(controllers, controller.get())) change->removed.push_back(controller);
  }
  for (const auto& controller : controllers) {
    if (!contains(stack_, controller.get())) change->added.push_back(controller);
  }
  for (const auto& controller : change->removed) controller->willMove(nullptr);
  for (const auto& controller : change->added) addChild(controller);
  stack_ = std::move(controllers);
  syncBarItems(animated);
  runChange(change);
}

void NavigationController::runChange(const std::shared_ptr<Change>& change) {
  const bool swaps = change->from != change->to;
  if (!isVisible()) {
    // Off screen: no transition. A controller appearing right now passes the change on.
    const bool appearing = isAppearing() && swaps;
    if (appearing && change->from) change->from->beginAppearanceTransition(false, false);
    showTopViewNow();
    if (appearing && change->from) change->from->endAppearanceTransition();
    if (appearing && change->to) change->to->beginAppearanceTransition(true, false);
    finishChange(change);
    return;
  }
  setTransitioning(true);
  if (swaps && change->to) change->to->loadViewIfNeeded();
  if (swaps && change->from) change->from->beginAppearanceTransition(false, change->animated);
  if (swaps && change->to) change->to->beginAppearanceTransition(true, change->animated);
  std::shared_ptr<View> toView = change->to ? change->to->view() : nullptr;
  std::shared_ptr<View> fromView = change->from ? change->from->viewIfLoaded() : nullptr;
  if (toView && swaps) {
    toView->setFrame(contentView_->bounds());
    toView->setAutoresizingMask(kFlexibleSize);
    if (!change->push && fromView && fromView->superview() == contentView_.get()) {
      contentView_->insertSubview(toView, 0);
    } else {
      contentView_->addSubview(toView);
    }
  }
  if (change->to && swaps) change->to->layoutViewNow();
  if (!change->animated || !swaps || !toView || !fromView) {
    finishChange(change);
    return;
  }
  const double width = contentView_->bounds().width();
  const bool push = change->push;
  View::performWithoutAnimation(
      [&] { toView->setTransform(AffineTransform::translation(push ? width : -0.3 * width, 0)); });
  std::weak_ptr<ViewController> weak = weak_from_this();
  View::animate(
      kTransitionDuration,
      [&] {
        toView->setTransform(AffineTransform::identity());
        fromView->setTransform(AffineTransform::translation(push ? -0.3 * width : width, 0));
      },
      [weak, change](bool) {
        if (auto self = std::static_pointer_cast<NavigationController>(weak.lock())) self->finishChange(change);
      });
}

void NavigationController::finishChange(const std::shared_ptr<Change>& change) {
  const bool swaps = change->from != change->to;
  if (swaps && change->from && change->from->isViewLoaded()) {
    const auto& fromView = change->from->viewIfLoaded();
    View::performWithoutAnimation([&] { fromView->setTransform(AffineTransform::identity()); });
    if (fromView->superview() == contentView_.get()) fromView->removeFromSuperview();
  }
  if (isTransitioning()) {
    if (swaps && change->from) change->from->endAppearanceTransition();
    if (swaps && change->to) change->to->endAppearanceTransition();
  }
  for (const auto& controller : change->removed) {
    if (controller->parent() == this) controller->removeFromParent();
  }
  for (const auto& controller : change->added) controller->didMove(this);
  if (isTransitioning()) setTransitioning(false);
}

}  // namespace ui
