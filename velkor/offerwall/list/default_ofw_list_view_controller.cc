#include "velkor/offerwall/list/default_ofw_list_view_controller.h"

#include <algorithm>

#include "platform/base/log.h"
#include "platform/dispatch/queue.h"
#include "platform/ui/alert_controller.h"
#include "platform/ui/collection_view_flow_layout.h"
#include "platform/ui/constraint.h"
#include "platform/ui/device.h"
#include "platform/ui/tap_gesture_recognizer.h"
#include "platform/ui/transitioning.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/components/pin_edges.h"
#include "velkor/components/velkor_error_view.h"
#include "velkor/core/dependency_container.h"
#include "velkor/core/velkor.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/network/tracking_repository.h"
#include "velkor/offerwall/list/banner_paging.h"
#include "velkor/offerwall/list/ofw_list_presenter.h"
#include "velkor/offerwall/list/reward_totals.h"
#include "velkor/offerwall/pager/ofw_list_pager_presenter.h"
#include "velkor/offerwall/pager/ofw_list_pager_view.h"
#include "velkor/offerwall/rows/ofw_cta_feed_item_cell.h"
#include "velkor/offerwall/rows/ofw_feed_item_cell.h"
#include "velkor/offerwall/rows/ofw_list_item_cell.h"

namespace velkor {
namespace {

// What the factory made, else the SDK's own set up through its make().
template <class T>
std::shared_ptr<T> madeOr(std::shared_ptr<T> made) {
  return made ? made : T::make();
}

// A tap recogniser whose action runs the screen's operation.
void onTap(ui::View& view, std::function<void()> action) {
  ui::addGestureRecognizer(view, std::make_shared<ui::TapGestureRecognizer>(
                                     nullptr, [action = std::move(action)](ui::GestureRecognizer&) { action(); }));
}

constexpr Ad::SortType kSheetOrders[] = {Ad::SortType::recommend, Ad::SortType::recent, Ad::SortType::big,
                                         Ad::SortType::small};

}  // namespace

ListType rowStyle(ListType listType) {
  switch (listType) {
    case ListType::feedWithCallToAction:
    case ListType::compactList:
      return listType;
    default:
      return ListType::feed;
  }
}

DefaultOfwListViewController::DefaultOfwListViewController()
    : delegateHandle_(this, [](DefaultOfwListViewController*) {}),
      tableHeaderView_(madeOr(DependencyContainer().makeTableHeaderView())),
      tableFooterView_(madeOr(DependencyContainer().makeTableFooterView())) {
  // Set up from the constructor, as the page's other parts expect its views to exist at once.
  DefaultOfwListViewController::setupViews();
}

// The page has no nib: one named for it is reported and the page is built in code all the same.
DefaultOfwListViewController::DefaultOfwListViewController(std::optional<std::string> nibName)
    : DefaultOfwListViewController() {
  if (nibName) base::logError("DefaultOfwListViewController: init(nibName:) has not been implemented");
}

DefaultOfwListViewController::~DefaultOfwListViewController() {
  if (timer_) timer_->invalidate();
}

void DefaultOfwListViewController::setupViews() {
  tableHeaderContentStackView_->setTranslatesAutoresizingMaskIntoConstraints(false);
  tableHeaderContentStackView_->setAxis(ui::LayoutAxis::vertical);
  bannerView_->setTranslatesAutoresizingMaskIntoConstraints(false);
  onTap(*bannerView_, [this] { bannerTapped(); });
  bannerView_->collectionView()->setDataSource(std::shared_ptr<ui::CollectionViewDataSource>(delegateHandle_));
  onTap(*tableHeaderView_->orderButtonContainerView(), [this] { reorder(); });
  tableHeaderView_->tagListView()->setListViewdelegate(std::shared_ptr<ANTagListViewDelegate>(delegateHandle_));
  tableHeaderView_->tagListView()->setDelegate(std::shared_ptr<ui::TableViewDelegate>(delegateHandle_));
  tableHeaderView_->setOrderDelegate(std::shared_ptr<OrderDelegate>(delegateHandle_));
  tableFooterView_->moveToTopButton()->addAction(ui::ControlEvent::touchUpInside, [this] { moveToTop(); });

  tableView_->setTranslatesAutoresizingMaskIntoConstraints(false);
  tableView_->setSeparatorStyle(ui::TableViewCellSeparatorStyle::none);
  tableView_->setBackgroundColor(ui::Color::clear());
  tableView_->setDelegate(std::shared_ptr<ui::TableViewDelegate>(delegateHandle_));
  tableView_->setDataSource(std::shared_ptr<ui::TableViewDataSource>(delegateHandle_));
  registerCell(*tableView_);
  tableView_->setTableHeaderView(tableHeaderView_);
  tableView_->setTableFooterView(tableFooterView_);

  const auto& root = view();
  root->addSubview(tableView_);
  tableView_->addSubview(tableHeaderContentStackView_);
  tableHeaderContentStackView_->addArrangedSubview(bannerView_);
  const auto& safe = root->safeAreaLayoutGuide();
  ui::Constraint::activate({
      tableView_->topAnchor().constraintEqualTo(safe->topAnchor()),
      tableView_->leadingAnchor().constraintEqualTo(safe->leadingAnchor()),
      tableView_->trailingAnchor().constraintEqualTo(safe->trailingAnchor()),
      tableView_->bottomAnchor().constraintEqualTo(root->bottomAnchor()),
  });
  const VelkorDimension& d = *dimension();
  // Just below required: the hidden carousel collapses in its stack without a conflict.
  auto bannerHeight = bannerView_->heightAnchor().constraintEqualToConstant(d.bannerViewHeight());
  bannerHeight->setPriority(999);
  ui::Constraint::activate({
      tableHeaderContentStackView_->topAnchor().constraintEqualTo(
          safe->topAnchor(), d.bannerViewTopSpacing()),
      tableHeaderContentStackView_->leadingAnchor().constraintEqualTo(safe->leadingAnchor()),
      tableHeaderContentStackView_->trailingAnchor().constraintEqualTo(safe->trailingAnchor()),
      bannerHeight,
  });
  // Header and footer start at their own heights, not at none.
  fitHeight(*tableHeaderView_);
  fitHeight(*tableFooterView_);
}

void DefaultOfwListViewController::registerCell(ui::TableView& tableView) {
  switch (rowStyle(VelkorInternal::shared().config()->listType())) {
    case ListType::feedWithCallToAction:
      return tableView.registerCell<OfwCtaFeedItemCell>(OfwCtaFeedItemCell::reuseIdentifier());
    case ListType::compactList:
      return tableView.registerCell<OfwListItemCell>(OfwListItemCell::reuseIdentifier());
    default:
      return tableView.registerCell<OfwFeedItemCell>(OfwFeedItemCell::reuseIdentifier());
  }
}

// Stored before the carousel reloads, so that the reload asks for the new banners.
void DefaultOfwListViewController::setFilteredBannerList(std::vector<Banner> banners) {
  const bool changed = banners != filteredBannerList_;
  filteredBannerList_ = std::move(banners);
  if (changed) bannerView_->collectionView()->reloadData();
}

void DefaultOfwListViewController::loadData(const std::optional<std::vector<Ad>>& adList,
                                            const std::optional<std::vector<Tag>>& tagList) {
  if (!presenter_) return;
  adList_ = adList;
  tagList_ = tagList;
  setFilteredBannerList(presenter_->bannerList());
  bannerView_->setBannerCount(static_cast<std::int64_t>(filteredBannerList_.size()));
  reloadData();
  auto pager = pagerPresenter();
  if (pager && pager->currentTabSlug() == presenter_->tabSlug()) {
    std::weak_ptr<ui::ViewController> weak = weak_from_this();
    dispatch::main()->asyncAfter(dispatch::Seconds(kImpressionDelay), [weak] {
      if (auto self = weak.lock()) static_cast<DefaultOfwListViewController&>(*self).reportVisibleRows();
    });
  }
  showAccumulableRewards();
}

void DefaultOfwListViewController::reloadData() {
  if (!presenter_) return;
  if (!adList_ || adList_->empty()) {
    showErrorView();
    tableFooterView_->setHidden(true);
  } else {
    hideErrorView();
    tableFooterView_->setHidden(false);
  }
  const bool twoTagsOrMore = tagList_ && tagList_->size() >= 2;
  if (!tagListActive_) {
    tagListActive_ = true;
    rebuildChips(*presenter_);
  } else if (twoTagsOrMore) {
    for (std::size_t i = 0; i < tagList_->size(); ++i) {
      if ((*tagList_)[i].slug == presenter_->selectedTagSlug()) tableHeaderView_->tagListView()->setTag(static_cast<int>(i));
    }
  }
  if (twoTagsOrMore) tableHeaderView_->tagListWrapper()->setHidden(false);
  if (presenter_->tabSlug() == "all" && !filteredBannerList_.empty()) {
    showBannerView();
  } else {
    hideBannerView();
  }
  // The header's stacks arrange what was just hidden or shown at a layout pass: one runs first.
  tableHeaderView_->layoutIfNeeded();
  fitHeight(*tableHeaderView_);
  fitHeight(*tableFooterView_);
  tableView_->reloadData();
  tableHeaderView_->orderButtonTextLabel()->setText(sortOrderTitle(presenter_->selectedSortOrder()));
}

void DefaultOfwListViewController::rebuildChips(const OfwListPresenter& presenter) {
  auto& list = *tableHeaderView_->tagListView();
  if (!tagList_ || tagList_->size() < 2) {
    list.setHidden(true);
    return;
  }
  list.removeAllTags();
  for (const Tag& tag : *tagList_) list.addTag("#" + tag.name)->setSelected(tag.slug == presenter.selectedTagSlug());
  // A strip hidden while the tab had fewer than two tags shows again with its new chips.
  list.setHidden(false);
  tableHeaderView_->tagListWrapper()->setHidden(false);
  list.scrollToSelection();
}

// Written only when the fitting height changed, so an unchanged reload lays nothing out again.
void DefaultOfwListViewController::fitHeight(ui::View& view) {
  const double height = view.systemLayoutSizeFitting(ui::View::kLayoutFittingCompressedSize).height;
  ui::Rect frame = view.frame();
  if (frame.height() == height) return;
  view.setFrame({frame.x(), frame.y(), frame.width(), height});
}

void DefaultOfwListViewController::showBannerView() {
  tableHeaderView_->additionalSpacer()->setHidden(false);
  bannerView_->setHidden(false);
}

void DefaultOfwListViewController::hideBannerView() {
  tableHeaderView_->additionalSpacer()->setHidden(true);
  bannerView_->setHidden(true);
}

void DefaultOfwListViewController::showAccumulableRewards() {
  auto* header = dynamic_cast<OfwTableHeaderView*>(tableView_->tableHeaderView().get());
  if (!header || !presenter_) return;
  header->totalRewardLabel()->setText(
      totalRewardText(presenter_->rewards(), VelkorInternal::shared().config()->totalRewardStr()));
}

void DefaultOfwListViewController::reorder() {
  if (!presenter_) return;
  auto sheet = ui::AlertController::make(std::nullopt, std::nullopt, ui::AlertController::Style::actionSheet);
  std::weak_ptr<ui::ViewController> weak = weak_from_this();
  for (Ad::SortType order : kSheetOrders) {
    const std::string title = sortOrderTitle(order);
    sheet->addAction(ui::AlertAction::make(title, ui::AlertAction::Style::defaultStyle, [weak, order, title](ui::AlertAction&) {
      auto self = std::static_pointer_cast<DefaultOfwListViewController>(weak.lock());
      if (!self || !self->presenter_) return;
      self->presenter_->setSelectedSortOrder(order);
      self->presenter_->loadData();
      self->tableHeaderView_->orderButtonTextLabel()->setText(title);
    }));
  }
  sheet->addAction(ui::AlertAction::make("취소", ui::AlertAction::Style::cancel));
  if (ui::Device::current().userInterfaceIdiom == ui::UserInterfaceIdiom::pad) {
    sheet->setModalPresentationStyle(ui::ModalPresentationStyle::popover);
    auto* popover = sheet->popoverPresentationController();
    const ui::Rect bounds = view()->bounds();
    popover->setSourceView(view());
    popover->setSourceRect({bounds.midX(), bounds.midY(), 0, 0});
    popover->setPermittedArrowDirections(ui::PopoverArrowDirection{});
  }
  present(sheet, true);
}

void DefaultOfwListViewController::bannerTapped() {
  auto visible = bannerView_->collectionView()->indexPathsForVisibleItems();
  // A stale item of an emptied carousel opens nothing and does not count as a tap.
  if (visible.empty() || filteredBannerList_.empty()) return;
  const std::int64_t item = visible.front().item;
  debouncer_.debounce([this, item] { openBanner(item); });
}

void DefaultOfwListViewController::openBanner(std::int64_t item) {
  auto index = bannerIndex(item, static_cast<std::int64_t>(filteredBannerList_.size()));
  if (!index || !presenter_) return;
  const Banner banner = filteredBannerList_[*index];
  if (auto tracking = VelkorInternal::shared().trackingRepository()) {
    tracking->track("ad_list", "banner_click",
                    nlohmann::json{{"banner_id", banner.id}, {"banner_priority", banner.priority},
                                   {"banner_position", *index}});
  }
  presenter_->moveToDetail(bannerLandingUrl(banner), std::nullopt, "banner");
}

void DefaultOfwListViewController::hideErrorView() {
  if (auto error = errorView_.lock()) error->removeFromSuperview();
  errorView_.reset();
}

void DefaultOfwListViewController::showErrorView() {
  hideErrorView();
  std::shared_ptr<ui::View> error = madeOr(DependencyContainer().makeErrorView());
  const auto& root = view();
  root->addSubview(error);
  // The transparent table and its header stay above the empty-list view.
  root->bringSubviewToFront(*tableView_);
  pinEdges(*error, *root);
  errorView_ = error;
}

void DefaultOfwListViewController::changeSortOrder(Ad::SortType order) {
  if (!presenter_) return;
  presenter_->setSelectedSortOrder(order);
  presenter_->loadData();
}

void DefaultOfwListViewController::moveToTop() { tableView_->setContentOffset({0, 0}, true); }

void DefaultOfwListViewController::moveToContact() {
  if (presenter_) presenter_->moveToContact();
}

std::shared_ptr<OfwListPagerPresenter> DefaultOfwListViewController::pagerPresenter() const {
  auto pager = parentView_.lock();
  return pager ? pager->presenter() : nullptr;
}

void DefaultOfwListViewController::viewWillAppear(bool animated) {
  OfwBaseViewController::viewWillAppear(animated);
  if (timer_) timer_->invalidate();
  // Common modes: the countdowns keep running while the user scrolls. The timer holds the page
  // until it disappears.
  auto self = std::static_pointer_cast<DefaultOfwListViewController>(shared_from_this());
  timer_ = dispatch::Timer::scheduled(
      dispatch::Seconds(kRowRefreshInterval), true, [self](dispatch::Timer&) { self->updateDisplay(); },
      dispatch::RunLoopMode::Common);
}

void DefaultOfwListViewController::viewDidAppear(bool animated) {
  OfwBaseViewController::viewDidAppear(animated);
  bannerView_->startAutoScroll();
}

void DefaultOfwListViewController::viewWillDisappear(bool animated) {
  OfwBaseViewController::viewWillDisappear(animated);
  if (timer_) timer_->invalidate();
}

void DefaultOfwListViewController::viewDidDisappear(bool animated) {
  OfwBaseViewController::viewDidDisappear(animated);
  bannerView_->stopAutoScroll();
}

void DefaultOfwListViewController::viewWillTransition(ui::Size size, ui::TransitionCoordinator& coordinator) {
  OfwBaseViewController::viewWillTransition(size, coordinator);
  std::weak_ptr<ui::ViewController> weak = weak_from_this();
  auto carousel = bannerView_;
  const double itemHeight = dimension()->bannerItemHeight();
  coordinator.animate(
      [carousel, itemHeight](const ui::TransitionCoordinator&) {
        const auto& collection = *carousel->collectionView();
        if (auto* flow = dynamic_cast<ui::CollectionViewFlowLayout*>(collection.collectionViewLayout().get())) {
          flow->setItemSize({collection.frame().width(), itemHeight});
          flow->invalidateLayout();
        }
      },
      [weak, carousel](const ui::TransitionCoordinator&) {
        if (!weak.lock()) return;
        auto visible = carousel->collectionView()->indexPathsForVisibleItems();
        if (!visible.empty()) {
          carousel->collectionView()->scrollToItem(visible.front(),
                                                   ui::CollectionViewScrollPosition::centeredHorizontally, true);
        }
      });
}

}  // namespace velkor
