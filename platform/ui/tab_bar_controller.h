// A tab bar controller: screens side by side, one shown at a time above a bar of their titles
// (49 points tall, plus the bottom safe-area inset). The screens are its children; a tap on a
// title (or setSelectedIndex) shows that screen, with the appearance calls of both.
#pragma once

#include <cstddef>
#include <limits>
#include <memory>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/view_controller.h"

namespace ui {

class TabBarController : public ViewController {
 public:
  static constexpr double kTabBarHeight = 49;
  static constexpr std::size_t kNotFound = std::numeric_limits<std::size_t>::max();

  TabBarController() = default;

  const std::vector<std::shared_ptr<ViewController>>& viewControllers() const { return controllers_; }
  // Selects the first one (none for an empty list). A controller listed twice or belonging to
  // another container makes the call fail (logged).
  void setViewControllers(std::vector<std::shared_ptr<ViewController>> controllers, bool animated = false);
  // Null (kNotFound) without controllers.
  ViewController* selectedViewController() const;
  std::size_t selectedIndex() const { return controllers_.empty() ? kNotFound : selected_; }
  // An index past the end is ignored.
  void setSelectedIndex(std::size_t index);
  // A controller not in the list is ignored.
  void setSelectedViewController(const ViewController& controller);

  // The bar of titles; one button a controller.
  const std::shared_ptr<View>& tabBar();
  const std::vector<std::shared_ptr<Button>>& tabButtons() const { return buttons_; }

  void loadView() override;

 protected:
  void layoutManagedViews() override;

 private:
  void rebuildTabs();
  void showSelected(ViewController* previous);

  std::vector<std::shared_ptr<ViewController>> controllers_;
  std::size_t selected_ = 0;
  std::shared_ptr<View> tabBar_;
  std::shared_ptr<View> contentView_;
  std::vector<std::shared_ptr<Button>> buttons_;
};

}  // namespace ui
