// What a screen shows in the navigation bar while it is on top of a navigation stack: its title,
// the buttons on either side, and what the back button leading back to it says. A change shows at
// once in the bar that displays the item.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/bar_button_item.h"

namespace ui {

class NavigationItem {
 public:
  NavigationItem() = default;
  explicit NavigationItem(std::optional<std::string> title) : title_(std::move(title)) {}
  NavigationItem(const NavigationItem&) = delete;
  NavigationItem& operator=(const NavigationItem&) = delete;

  const std::optional<std::string>& title() const { return title_; }
  void setTitle(std::optional<std::string> title);

  // The back button of the screen pushed above this one: its title is backBarButtonItem's title,
  // else backButtonTitle, else this item's title, else "Back".
  const std::optional<std::string>& backButtonTitle() const { return backButtonTitle_; }
  void setBackButtonTitle(std::optional<std::string> title);
  const std::shared_ptr<BarButtonItem>& backBarButtonItem() const { return backBarButtonItem_; }
  void setBackBarButtonItem(std::shared_ptr<BarButtonItem> item);
  // The back button the bar shows under this item: the title it shows (see above).
  std::string backTitle() const;

  bool hidesBackButton() const { return hidesBackButton_; }
  void setHidesBackButton(bool hides, bool animated = false);
  // With left items, the back button shows as well only when this is set.
  bool leftItemsSupplementBackButton() const { return leftItemsSupplementBackButton_; }
  void setLeftItemsSupplementBackButton(bool supplement);

  // Left items from the leading edge inwards; right items from the trailing edge inwards.
  const std::vector<std::shared_ptr<BarButtonItem>>& leftBarButtonItems() const { return left_; }
  void setLeftBarButtonItems(std::vector<std::shared_ptr<BarButtonItem>> items, bool animated = false);
  const std::vector<std::shared_ptr<BarButtonItem>>& rightBarButtonItems() const { return right_; }
  void setRightBarButtonItems(std::vector<std::shared_ptr<BarButtonItem>> items, bool animated = false);
  // The first of each; setting one replaces them all (none clears them).
  std::shared_ptr<BarButtonItem> leftBarButtonItem() const { return left_.empty() ? nullptr : left_.front(); }
  void setLeftBarButtonItem(std::shared_ptr<BarButtonItem> item, bool animated = false);
  std::shared_ptr<BarButtonItem> rightBarButtonItem() const { return right_.empty() ? nullptr : right_.front(); }
  void setRightBarButtonItem(std::shared_ptr<BarButtonItem> item, bool animated = false);

  // Called after each change; the bar showing the item sets it.
  void setChangeHandler(std::function<void()> handler) { changed_ = std::move(handler); }

 private:
  void changed() const;

  std::optional<std::string> title_;
  std::optional<std::string> backButtonTitle_;
  std::shared_ptr<BarButtonItem> backBarButtonItem_;
  bool hidesBackButton_ = false;
  bool leftItemsSupplementBackButton_ = false;
  std::vector<std::shared_ptr<BarButtonItem>> left_;
  std::vector<std::shared_ptr<BarButtonItem>> right_;
  std::function<void()> changed_;
};

}  // namespace ui
