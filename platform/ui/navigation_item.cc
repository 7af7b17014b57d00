#include "platform/ui/navigation_item.h"

#include "platform/ui/view.h"

namespace ui {

std::shared_ptr<BarButtonItem> BarButtonItem::make(std::optional<std::string> title, Style style, Action action) {
  auto item = std::make_shared<BarButtonItem>();
  item->title_ = std::move(title);
  item->style_ = style;
  item->action_ = std::move(action);
  return item;
}

std::shared_ptr<BarButtonItem> BarButtonItem::make(Image image, Style style, Action action) {
  auto item = std::make_shared<BarButtonItem>();
  item->image_ = std::move(image);
  item->style_ = style;
  item->action_ = std::move(action);
  return item;
}

std::shared_ptr<BarButtonItem> BarButtonItem::make(std::shared_ptr<View> customView) {
  auto item = std::make_shared<BarButtonItem>();
  item->customView_ = std::move(customView);
  return item;
}

void BarButtonItem::setPrimaryAction(std::function<void()> closure) {
  if (!closure) {
    action_ = nullptr;
    return;
  }
  action_ = [closure = std::move(closure)](BarButtonItem&) { closure(); };
}

bool BarButtonItem::tap() {
  if (!enabled_ || !action_) return false;
  auto alive = shared_from_this();
  Action action = action_;  // the action may replace itself
  action(*this);
  return true;
}

void NavigationItem::changed() const {
  if (changed_) changed_();
}

void NavigationItem::setTitle(std::optional<std::string> title) {
  title_ = std::move(title);
  changed();
}

void NavigationItem::setBackButtonTitle(std::optional<std::string> title) {
  backButtonTitle_ = std::move(title);
  changed();
}

void NavigationItem::setBackBarButtonItem(std::shared_ptr<BarButtonItem> item) {
  backBarButtonItem_ = std::move(item);
  changed();
}

std::string NavigationItem::backTitle() const {
  if (backBarButtonItem_ && backBarButtonItem_->title()) return *backBarButtonItem_->title();
  if (backButtonTitle_) return *backButtonTitle_;
  if (title_) return *title_;
  return "Back";
}

void NavigationItem::setHidesBackButton(bool hides, bool) {
  hidesBackButton_ = hides;
  changed();
}

void NavigationItem::setLeftItemsSupplementBackButton(bool supplement) {
  leftItemsSupplementBackButton_ = supplement;
  changed();
}

void NavigationItem::setLeftBarButtonItems(std::vector<std::shared_ptr<BarButtonItem>> items, bool) {
  std::erase(items, nullptr);
  left_ = std::move(items);
  changed();
}

void NavigationItem::setRightBarButtonItems(std::vector<std::shared_ptr<BarButtonItem>> items, bool) {
  std::erase(items, nullptr);
  right_ = std::move(items);
  changed();
}

void NavigationItem::setLeftBarButtonItem(std::shared_ptr<BarButtonItem> item, bool animated) {
  setLeftBarButtonItems({std::move(item)}, animated);
}

void NavigationItem::setRightBarButtonItem(std::shared_ptr<BarButtonItem> item, bool animated) {
  setRightBarButtonItems({std::move(item)}, animated);
}

}  // namespace ui
