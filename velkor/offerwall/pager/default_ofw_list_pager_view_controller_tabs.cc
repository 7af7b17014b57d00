// The tab half of the pager screen: the tab strip, the page view of list pages, and the moves by
// tap, swipe and link, kept in step with the presenter's current tab (its single truth) and its
// pending tag.
#include <algorithm>

#include "platform/base/log.h"
#include "platform/dispatch/queue.h"
#include "velkor/core/dependency_container.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/offerwall/list/default_ofw_list_view_controller.h"
#include "velkor/offerwall/list/ofw_list_presenter_impl.h"
#include "velkor/offerwall/pager/default_ofw_list_pager_view_controller.h"
#include "velkor/offerwall/pager/ofw_list_pager_presenter.h"

namespace velkor {
namespace {

constexpr int kNotFound = std::numeric_limits<int>::max();

std::shared_ptr<OfwListPresenter> presenterOf(const std::shared_ptr<OfwBaseViewController>& page) {
  auto listView = std::dynamic_pointer_cast<OfwListView>(page);
  return listView ? listView->presenter() : nullptr;
}

// What a tab bar built from these tabs with that tab selected shows.
std::string tabBarContent(const std::string& currentSlug, const std::vector<Tab>& tabs) {
  std::string shown = currentSlug;
  for (const Tab& tab : tabs) shown += '\n' + tab.slug + '\t' + tab.name;
  return shown;
}

}  // namespace

void DefaultOfwListPagerViewController::setupTabBar() {
  const auto& root = view();
  mTabBar_->setDelegate(std::shared_ptr<ANTabBarDelegate>(delegateHandle_));
  mTabBar_->setTranslatesAutoresizingMaskIntoConstraints(false);
  root->addSubview(mTabBar_);
  ui::Constraint::activate({
      mTabBar_->leadingAnchor().constraintEqualTo(root->leadingAnchor()),
      mTabBar_->trailingAnchor().constraintEqualTo(root->trailingAnchor()),
      mTabBar_->topAnchor().constraintEqualTo(root->safeAreaLayoutGuide()->topAnchor()),
  });
}

// The bar is rebuilt only when what it shows has changed: rebuilding replaces its constraints,
// which inside a layout pass would leave the strip unplaced until the next one.
void DefaultOfwListPagerViewController::refreshTabBar() {
  if (!presenter_) return;
  std::string shown = tabBarContent(presenter_->currentTabSlug(), presenter_->tabList());
  if (shown == tabBarShows_) return;
  tabBarShows_ = std::move(shown);
  mTabBar_->clear();
  for (const Tab& tab : presenter_->tabList()) {
    auto item = ANTabBarItem::create(tab.name, tab.slug);
    mTabBar_->addTabBarItem(item);
    if (tab.slug == presenter_->currentTabSlug()) mTabBar_->setSelectedItem(item);
  }
  mTabBar_->refresh();
}

void DefaultOfwListPagerViewController::showTabList(const std::vector<Tab>& tabs) {
  setupTabBar();
  mTabBar_->clear();
  for (const Tab& tab : tabs) {
    auto item = ANTabBarItem::create(tab.name, tab.slug);
    mTabBar_->addTabBarItem(item);
    if (presenter_ && tab.slug == presenter_->currentTabSlug()) mTabBar_->setSelectedItem(item);
  }
  mTabBar_->refresh();
  // Built from the presenter's own tabs, the bar needs no second build at the next layout pass.
  tabBarShows_ = presenter_ ? tabBarContent(presenter_->currentTabSlug(), tabs) : std::string();
  if (tabBarHeight_) tabBarHeight_->setActive(false);
  const double height = mTabBar_->items().size() <= 1 ? 0 : VelkorInternal::shared().config()->tabBarHeight();
  tabBarHeight_ = mTabBar_->heightAnchor().constraintEqualToConstant(height);
  tabBarHeight_->setActive(true);

  pageViewController_->setDataSource(std::shared_ptr<ui::PageViewControllerDataSource>(delegateHandle_));
  pageViewController_->setDelegate(std::shared_ptr<ui::PageViewControllerDelegate>(delegateHandle_));
  addChild(pageViewController_);
  const auto& root = view();
  const auto& pages = pageViewController_->view();
  pages->setTranslatesAutoresizingMaskIntoConstraints(false);
  root->addSubview(pages);
  ui::Constraint::activate({
      pages->topAnchor().constraintEqualTo(mTabBar_->bottomAnchor()),
      pages->leadingAnchor().constraintEqualTo(root->leadingAnchor()),
      pages->trailingAnchor().constraintEqualTo(root->trailingAnchor()),
      pages->bottomAnchor().constraintEqualTo(root->bottomAnchor()),
  });
  pageViewController_->didMove(this);

  auto index = presenter_ ? tabIndex(presenter_->currentTabSlug()) : std::nullopt;
  if (!index) return;
  auto page = listPage(*index);
  if (!page) return;
  if (const auto& pending = presenter_->currentTagSlug()) {
    auto listView = std::dynamic_pointer_cast<OfwListView>(page);
    if (auto pagePresenter = presenterOf(page)) pagePresenter->setSelectedTagSlug(*pending);
    if (listView) listView->setTagListActive(false);
    if (auto pagePresenter = presenterOf(page)) pagePresenter->loadData();
    presenter_->setCurrentTagSlug(std::nullopt);
  }
  schedulePageSwitch(page);
}

std::optional<std::int64_t> DefaultOfwListPagerViewController::tabIndex(const std::string& slug) const {
  if (!presenter_) return std::nullopt;
  const auto& tabs = presenter_->tabList();
  auto found = std::find_if(tabs.begin(), tabs.end(), [&slug](const Tab& tab) { return tab.slug == slug; });
  if (found == tabs.end()) return std::nullopt;
  return found - tabs.begin();
}

void DefaultOfwListPagerViewController::schedulePageSwitch(std::shared_ptr<OfwBaseViewController> page) {
  std::weak_ptr<ui::ViewController> weak = weak_from_this();
  dispatch::main()->async([weak, page] {
    auto self = std::static_pointer_cast<DefaultOfwListPagerViewController>(weak.lock());
    if (!self || self->transitionInProgress_) return;
    self->transitionInProgress_ = true;
    // Cleared whether or not the switch ran to its end, so tab taps never stay dead.
    self->pageViewController_->setViewControllers({page}, ui::PageViewController::Direction::forward, false,
                                                  [weak](bool) {
                                                    auto again = std::static_pointer_cast<
                                                        DefaultOfwListPagerViewController>(weak.lock());
                                                    if (again) again->transitionInProgress_ = false;
                                                  });
  });
}

std::shared_ptr<OfwBaseViewController> DefaultOfwListPagerViewController::listPage(std::int64_t index) {
  if (!presenter_ || index < 0 || index >= static_cast<std::int64_t>(presenter_->tabList().size())) return nullptr;
  auto& page = viewLists_[index];
  if (!page) {
    auto made = DependencyContainer().makeOfwListViewController();
    if (!made) {
      viewLists_.erase(index);
      return nullptr;
    }
    made.view->setPageIndex(index);
    auto pagePresenter = std::make_shared<OfwListPresenterImpl>(made.view);
    made.view->setPresenter(pagePresenter);
    pagePresenter->setTabSlug(presenter_->tabList()[static_cast<std::size_t>(index)].slug);
    made.view->setParentView(selfAsView());
    page = made.controller;
  }
  auto kept = page;
  if (auto pagePresenter = presenterOf(kept)) pagePresenter->loadData();
  return kept;
}

void DefaultOfwListPagerViewController::changeTab(std::string tabSlug, std::optional<std::string> tagSlug) {
  if (!presenter_) return;
  presenter_->setCurrentTabSlug(tabSlug);
  refreshTabBar();
  auto index = tabIndex(tabSlug);
  if (!index) {
    presenter_->setCurrentTagSlug(tagSlug);
    return;
  }
  auto page = listPage(*index);
  if (!page) return;
  if (tagSlug) {
    auto pagePresenter = presenterOf(page);
    if (pagePresenter) {
      const auto& tags = pagePresenter->tagList();
      const bool listed = tags && std::any_of(tags->begin(), tags->end(),
                                              [&tagSlug](const Tag& tag) { return tag.slug == *tagSlug; });
      pagePresenter->setSelectedTagSlug(listed ? *tagSlug : "all");
      if (!listed) {
        if (auto list = std::dynamic_pointer_cast<DefaultOfwListViewController>(page)) {
          list->tableView()->scrollToRow(ui::IndexPath{0, kNotFound}, ui::TableViewScrollPosition::bottom, false);
        }
      }
      pagePresenter->loadData();
    }
  }
  schedulePageSwitch(page);
}

void DefaultOfwListPagerViewController::tabBar(const std::shared_ptr<ANTabBarItem>& didSelect) {
  if (transitionInProgress_ || !didSelect) return;
  if (auto index = tabIndex(didSelect->slug())) {
    changeTab(presenter_->tabList()[static_cast<std::size_t>(*index)].slug, std::nullopt);
  }
}

std::shared_ptr<ui::ViewController> DefaultOfwListPagerViewController::viewControllerBefore(
    ui::PageViewController&, ui::ViewController& viewController) {
  auto* page = dynamic_cast<OfwListView*>(&viewController);
  auto index = page ? page->pageIndex() : std::nullopt;
  if (!index || *index <= 0) return nullptr;
  return listPage(*index - 1);
}

std::shared_ptr<ui::ViewController> DefaultOfwListPagerViewController::viewControllerAfter(
    ui::PageViewController&, ui::ViewController& viewController) {
  auto* page = dynamic_cast<OfwListView*>(&viewController);
  auto index = page ? page->pageIndex() : std::nullopt;
  if (!index || !presenter_ || *index + 1 >= static_cast<std::int64_t>(presenter_->tabList().size())) return nullptr;
  return listPage(*index + 1);
}

void DefaultOfwListPagerViewController::willTransitionTo(ui::PageViewController&,
                                                         const std::vector<std::shared_ptr<ui::ViewController>>&) {
  transitionInProgress_ = true;
}

// A swipe that springs back confirms the old page's tab the same way.
void DefaultOfwListPagerViewController::didFinishAnimating(ui::PageViewController& pageViewController, bool finished,
                                                           const std::vector<std::shared_ptr<ui::ViewController>>&,
                                                           bool) {
  const auto& shown = pageViewController.viewControllers();
  auto* page = shown.empty() ? nullptr : dynamic_cast<OfwListView*>(shown.front().get());
  if (!page) {
    base::log("Error", "Expected a list");
    return;
  }
  transitionInProgress_ = false;
  if (!finished) return;
  auto index = page->pageIndex();
  if (!index || !presenter_) return;
  presenter_->setCurrentTabSlug(presenter_->tabList()[static_cast<std::size_t>(*index)].slug);
  listPage(*index);
  refreshTabBar();
}

}  // namespace velkor
