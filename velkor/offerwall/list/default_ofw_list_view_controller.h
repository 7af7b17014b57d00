// One tab's page of the offerwall pager: its ads in a table under a header of banners, tag chips,
// the sort-order button and the total reward, with a footer that scrolls back to the top. Its
// presenter hands it the arranged rows; it refreshes the rows' countdowns every second while on
// screen, reports the rows the user sees to the pager, shows an empty-list view when there is
// nothing to show, and turns banner and row taps into navigation. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dispatch/timer.h"
#include "platform/ui/collection_view.h"
#include "platform/ui/stack_view.h"
#include "platform/ui/table_view.h"
#include "velkor/components/an_tag_list_view.h"
#include "velkor/components/ofw_base_view_controller.h"
#include "velkor/core/debouncer.h"
#include "velkor/core/velkor_config.h"
#include "velkor/model/banner.h"
#include "velkor/offerwall/list/ofw_banner_wrapper_view.h"
#include "velkor/offerwall/list/ofw_list_view.h"
#include "velkor/offerwall/list/ofw_table_footer_view.h"
#include "velkor/offerwall/list/ofw_table_header_view.h"

namespace velkor {

class OfwListPagerPresenter;

class DefaultOfwListViewController : public OfwBaseViewController,
                                     public OfwListView,
                                     public ui::TableViewDataSource,
                                     public ui::TableViewDelegate,
                                     public ui::CollectionViewDataSource,
                                     public ANTagListViewDelegate,
                                     public OrderDelegate {
 public:
  static constexpr double kRowRefreshInterval = 1.0;
  static constexpr double kImpressionDelay = 0.5;

  // Builds and wires every view at once.
  DefaultOfwListViewController();
  explicit DefaultOfwListViewController(std::optional<std::string> nibName);
  ~DefaultOfwListViewController() override;

  // --- OfwListView ---
  ui::ViewController& viewController() override { return *this; }
  std::shared_ptr<OfwListPresenter> presenter() const override { return presenter_; }
  void setPresenter(std::shared_ptr<OfwListPresenter> presenter) override { presenter_ = std::move(presenter); }
  void loadData(const std::optional<std::vector<Ad>>& adList, const std::optional<std::vector<Tag>>& tagList) override;
  std::shared_ptr<OfwListPagerView> parentView() const override { return parentView_.lock(); }
  void setParentView(const std::shared_ptr<OfwListPagerView>& parent) override { parentView_ = parent; }
  std::optional<std::int64_t> pageIndex() const override { return pageIndex_; }
  void setPageIndex(std::optional<std::int64_t> index) override { pageIndex_ = index; }
  // False makes the next reload rebuild the chips.
  bool tagListActive() const override { return tagListActive_; }
  void setTagListActive(bool active) override { tagListActive_ = active; }

  const std::optional<std::vector<Ad>>& adList() const { return adList_; }
  const std::optional<std::vector<Tag>>& tagList() const { return tagList_; }
  const std::vector<Banner>& filteredBannerList() const { return filteredBannerList_; }

  const std::shared_ptr<ui::StackView>& tableHeaderContentStackView() const { return tableHeaderContentStackView_; }
  const std::shared_ptr<OfwBannerWrapperView>& bannerView() const { return bannerView_; }
  const std::shared_ptr<OfwTableHeaderView>& tableHeaderView() const { return tableHeaderView_; }
  const std::shared_ptr<ui::TableView>& tableView() const { return tableView_; }
  const std::shared_ptr<OfwTableFooterView>& tableFooterView() const { return tableFooterView_; }
  std::shared_ptr<ui::View> errorView() const { return errorView_.lock(); }

  // The total-reward line of the header.
  virtual void showAccumulableRewards();
  // Error view, chips, banners, header and footer heights, rows and sort label.
  virtual void reloadData();
  // The sort-order sheet.
  virtual void reorder();
  virtual void bannerTapped();
  virtual void hideErrorView();
  virtual void showErrorView();
  virtual void changeSortOrder(Ad::SortType order);
  void showBannerView();
  void hideBannerView();
  void moveToTop();
  void moveToContact();
  // The 1.0 s tick: the time-dependent part of the visible rows, never a reload.
  void updateDisplay();
  // Each visible row's ad to the pager's impressions, with this page's tab and tag.
  void reportVisibleRows();

  // --- lifecycle ---
  void viewWillAppear(bool animated) override;
  void viewDidAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;
  void viewDidDisappear(bool animated) override;
  void viewWillTransition(ui::Size size, ui::TransitionCoordinator& coordinator) override;

  // --- table ---
  int numberOfRows(ui::TableView& tableView, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRow(ui::TableView& tableView, const ui::IndexPath& indexPath) override;
  double heightForRow(ui::TableView& tableView, const ui::IndexPath& indexPath) override;
  double estimatedHeightForRow(ui::TableView& tableView, const ui::IndexPath& indexPath) override;
  void didSelectRow(ui::TableView& tableView, const ui::IndexPath& indexPath) override;
  void scrollViewDidScroll(ui::ScrollView& scrollView) override;
  void scrollViewDidEndDecelerating(ui::ScrollView& scrollView) override;

  // --- banners ---
  int numberOfItems(ui::CollectionView& collectionView, int section) override;
  std::shared_ptr<ui::CollectionViewCell> cellForItem(ui::CollectionView& collectionView,
                                                      const ui::IndexPath& indexPath) override;

  // --- header ---
  void tagPressed(int index, ANTagView& tagView, ANTagListView& sender) override;
  void modeChanged(TagShowType showType) override;
  void orderChanged(int sortOrder, ui::Button* sender) override;

 protected:
  virtual void setupViews();
  virtual void registerCell(ui::TableView& tableView);
  // Reloads the carousel only when the list differs from the one shown.
  void setFilteredBannerList(std::vector<Banner> banners);

 private:
  void rebuildChips(const OfwListPresenter& presenter);
  void fitHeight(ui::View& view);
  void openBanner(std::int64_t item);
  std::shared_ptr<OfwListPagerPresenter> pagerPresenter() const;
  // The ad at a row; null outside the list.
  const Ad* adAt(const ui::IndexPath& indexPath) const;

  // Handed to the views that hold their delegates weakly: it lives exactly as long as the screen
  // and owns nothing.
  std::shared_ptr<DefaultOfwListViewController> delegateHandle_;
  std::shared_ptr<OfwListPresenter> presenter_;
  std::weak_ptr<OfwListPagerView> parentView_;
  std::shared_ptr<ui::StackView> tableHeaderContentStackView_ = std::make_shared<ui::StackView>();
  std::shared_ptr<OfwBannerWrapperView> bannerView_ = OfwBannerWrapperView::make();
  const std::shared_ptr<OfwTableHeaderView> tableHeaderView_;
  const std::shared_ptr<ui::TableView> tableView_ = std::make_shared<ui::TableView>();
  const std::shared_ptr<OfwTableFooterView> tableFooterView_;
  std::weak_ptr<ui::View> errorView_;
  std::optional<std::int64_t> pageIndex_;
  std::optional<std::vector<Ad>> adList_;
  std::optional<std::vector<Tag>> tagList_;
  std::vector<Banner> filteredBannerList_;
  std::shared_ptr<dispatch::Timer> timer_;
  bool tagListActive_ = false;
  Debouncer debouncer_;
};

// The row style of a list type; a value outside 0 to 2 gets the feed style.
ListType rowStyle(ListType listType);

}  // namespace velkor
