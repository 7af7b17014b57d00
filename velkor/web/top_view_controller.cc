#include "velkor/web/top_view_controller.h"

#include "platform/ui/navigation_controller.h"
#include "platform/ui/tab_bar_controller.h"

namespace velkor {

std::shared_ptr<ui::ViewController> topViewController(const std::shared_ptr<ui::ViewController>& root) {
  if (!root) return nullptr;
  if (auto* navigation = dynamic_cast<ui::NavigationController*>(root.get())) {
    return topViewController(navigation->visibleViewController());
  }
  if (auto* tabBar = dynamic_cast<ui::TabBarController*>(root.get())) {
    // A tab bar without a selected screen goes on to what it presents.
    if (auto* selected = tabBar->selectedViewController()) return topViewController(selected->shared_from_this());
  }
  if (auto presented = root->presentedViewController()) return topViewController(presented);
  return root;
}

}  // namespace velkor
