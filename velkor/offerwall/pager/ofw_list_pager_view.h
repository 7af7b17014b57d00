// The top offerwall screen (tabs over a page of ads per tab) as its presenter drives it. A screen
// that adopts it is an OfwBaseViewController too; the presenter holds it weakly.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "velkor/model/tab.h"

namespace ui {
class NavigationController;
class ViewController;
}

namespace velkor {

class OfwListPagerPresenter;

class OfwListPagerView {
 public:
  virtual ~OfwListPagerView() = default;

  // The screen as a screen: where it sits among the screens, and what it presents from.
  virtual ui::ViewController& viewController() = 0;

  // The navigation controller holding the screen; null while it is in none.
  virtual ui::NavigationController* navigationController() const = 0;
  // The screen holds its presenter strongly.
  virtual std::shared_ptr<OfwListPagerPresenter> presenter() const = 0;
  virtual void setPresenter(std::shared_ptr<OfwListPagerPresenter> presenter) = 0;

  virtual void showLoadingIndicator() = 0;
  virtual void hideLoadingIndicator() = 0;
  // The network error view; with retry, its button reloads.
  virtual void showNetworkError(bool retry) = 0;
  virtual void hideNetworkError() = 0;
  // Builds the tabs and their pages (the first successful load only).
  virtual void showTabList(const std::vector<Tab>& tabs) = 0;
  // Moves to the tab with that slug and selects the tag; called before the screen is shown too.
  virtual void changeTab(std::string tabSlug, std::optional<std::string> tagSlug) = 0;
  // Every page reloads from the cache; then the popups are chosen and shown.
  virtual void reloadAll() = 0;
  virtual void showPrepareView() = 0;
  virtual void showAccumulableRewards() = 0;
  // Work the screen does before each ad-list load; it calls the completion (with the rewards it
  // wants the load to carry) when done.
  virtual void beforeAction(std::function<void(std::int64_t)> completion) = 0;
};

}  // namespace velkor
