// The offerwall's root screen: a tab strip under the navigation bar over a page view with one list
// page per tab, each with its own list presenter. It shows the loading indicator, the network
// error view with its retry, the prepare overlay and the promotion-popup carousel (once per screen,
// not on a day closed for today); it reloads on every appearance and return to the foreground, and
// sends impressions and marks the caches dirty when it goes or the app moves to the background.
// Main thread only.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/collection_view.h"
#include "platform/ui/page_view_controller.h"
#include "velkor/components/an_tab_bar.h"
#include "velkor/components/ofw_base_view_controller.h"
#include "velkor/components/ofw_network_error_view.h"
#include "velkor/core/debouncer.h"
#include "velkor/core/ofw_login_delegate.h"
#include "velkor/model/popup.h"
#include "velkor/offerwall/list/ofw_list_view.h"
#include "velkor/offerwall/pager/ofw_list_pager_view.h"
#include "velkor/offerwall/pager/ofw_popup_view_controller.h"

namespace velkor {

class DefaultOfwListPagerViewController : public OfwBaseViewController,
                                          public OfwListPagerView,
                                          public ANTabBarDelegate,
                                          public ui::PageViewControllerDataSource,
                                          public ui::PageViewControllerDelegate,
                                          public ui::CollectionViewDataSource,
                                          public OfwLoginDelegate {
 public:
  DefaultOfwListPagerViewController();
  explicit DefaultOfwListPagerViewController(std::optional<std::string> nibName,
                                             const ui::NibRegistry& bundle = ui::NibRegistry::framework());
  ~DefaultOfwListPagerViewController() override;

  // --- OfwListPagerView ---
  ui::ViewController& viewController() override { return *this; }
  ui::NavigationController* navigationController() const override {
    return ui::ViewController::navigationController();
  }
  std::shared_ptr<OfwListPagerPresenter> presenter() const override { return presenter_; }
  void setPresenter(std::shared_ptr<OfwListPagerPresenter> presenter) override { presenter_ = std::move(presenter); }
  void showLoadingIndicator() override { OfwBaseViewController::showLoadingIndicator(); }
  void hideLoadingIndicator() override { OfwBaseViewController::hideLoadingIndicator(); }
  void showNetworkError(bool retry) override;
  void hideNetworkError() override;
  void showTabList(const std::vector<Tab>& tabs) override;
  void changeTab(std::string tabSlug, std::optional<std::string> tagSlug) override;
  void reloadAll() override;
  void showPrepareView() override;
  void showAccumulableRewards() override {}
  void beforeAction(std::function<void(std::int64_t)> completion) override { completion(0); }

  // --- the screen's parts ---
  const std::shared_ptr<ANTabBar>& mTabBar() const { return mTabBar_; }
  const std::shared_ptr<ui::PageViewController>& pageViewController() const { return pageViewController_; }
  const std::shared_ptr<OfwPopupViewController>& popupViewController() const { return popupViewController_; }
  std::shared_ptr<OfwNetworkErrorView> networkErrorView() const { return networkErrorView_; }
  const std::vector<Popup>& filteredPopups() const { return filteredPopups_; }
  bool isPopupPresented() const { return isPopupPresented_; }
  bool transitionInProgress() const { return transitionInProgress_; }
  bool observesApp() const { return static_cast<bool>(observerOwner_); }
  // For subclasses and hosts; the screen itself neither reads nor writes it.
  std::int64_t currentIndex = 0;

  virtual void setupNavigationBar();
  virtual void showPopups();
  virtual void appMovedToBackground();
  virtual void appMovedToForeground();
  // A tap on a popup page: recorded, the carousel dismissed, then its link routed.
  virtual void popupTapped();
  virtual void refreshTabBar();
  // The page of the tab at that index, built on first need; every request reloads it.
  virtual std::shared_ptr<OfwBaseViewController> listPage(std::int64_t index);
  virtual void removePrepareView(const std::shared_ptr<ui::View>& prepareView);
  virtual void setupTabBar();
  virtual void backButtonClicked();
  virtual void moveToContact();

  // --- lifecycle ---
  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;
  void viewDidAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;
  void viewWillLayoutSubviews() override;

  // --- delegates ---
  void customMenuBar(int scrollTo) override { (void)scrollTo; }
  void tabBar(const std::shared_ptr<ANTabBarItem>& didSelect) override;
  std::shared_ptr<ui::ViewController> viewControllerBefore(ui::PageViewController& pageViewController,
                                                           ui::ViewController& viewController) override;
  std::shared_ptr<ui::ViewController> viewControllerAfter(ui::PageViewController& pageViewController,
                                                          ui::ViewController& viewController) override;
  void willTransitionTo(ui::PageViewController& pageViewController,
                        const std::vector<std::shared_ptr<ui::ViewController>>& pending) override;
  void didFinishAnimating(ui::PageViewController& pageViewController, bool finished,
                          const std::vector<std::shared_ptr<ui::ViewController>>& previous,
                          bool transitionCompleted) override;
  int numberOfItems(ui::CollectionView& collectionView, int section) override;
  std::shared_ptr<ui::CollectionViewCell> cellForItem(ui::CollectionView& collectionView,
                                                      const ui::IndexPath& indexPath) override;
  // The host set a user id: the contact button's pending request continues.
  void success() override;

 private:
  void commonInit();
  void forceLightStyleIfAsked();
  void observeApp();
  void stopObservingApp();
  void schedulePageSwitch(std::shared_ptr<OfwBaseViewController> page);
  std::optional<std::int64_t> tabIndex(const std::string& slug) const;
  std::shared_ptr<OfwListPagerView> selfAsView();

  std::shared_ptr<DefaultOfwListPagerViewController> delegateHandle_;
  std::shared_ptr<OfwListPagerPresenter> presenter_;
  std::shared_ptr<OfwNetworkErrorView> networkErrorView_;
  std::shared_ptr<ANTabBar> mTabBar_;
  std::shared_ptr<ui::Constraint> tabBarHeight_;
  const std::shared_ptr<ui::PageViewController> pageViewController_ = std::make_shared<ui::PageViewController>();
  std::map<std::int64_t, std::shared_ptr<OfwBaseViewController>> viewLists_;
  bool transitionInProgress_ = false;
  const std::shared_ptr<OfwPopupViewController> popupViewController_ = std::make_shared<OfwPopupViewController>();
  std::vector<Popup> filteredPopups_;
  bool isPopupPresented_ = false;
  Debouncer debouncer_;
  // The app's notifications are observed for as long as this lives.
  std::shared_ptr<int> observerOwner_;
  // Set when the contact button asked the host for a login; the login's success consumes it.
  bool contactAwaitsLogin_ = false;
  // What the tab bar was last built from: the current tab and every tab's slug and name.
  std::string tabBarShows_;
};

}  // namespace velkor
