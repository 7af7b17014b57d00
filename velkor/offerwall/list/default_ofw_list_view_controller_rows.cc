// The list page as the data source and delegate of its table, its banner carousel and its header:
// rows, heights, the 1.0 s refresh, taps, the visible-row report and the banner area that follows
// the table's scrolling.
#include <algorithm>

#include "platform/ui/screen.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/offerwall/list/banner_paging.h"
#include "velkor/offerwall/list/default_ofw_list_view_controller.h"
#include "velkor/offerwall/list/ofw_ad_resource_banner_item.h"
#include "velkor/offerwall/list/ofw_image_only_banner_item.h"
#include "velkor/offerwall/list/ofw_list_presenter.h"
#include "velkor/offerwall/pager/ofw_list_pager_presenter.h"
#include "velkor/offerwall/rows/ofw_cta_feed_item_cell.h"
#include "velkor/offerwall/rows/ofw_feed_item_cell.h"
#include "velkor/offerwall/rows/ofw_list_item_cell.h"

namespace velkor {
namespace {

ListType currentRowStyle() { return rowStyle(VelkorInternal::shared().config()->listType()); }

// Runs `use` with the cell as the row style's class; nothing for a cell of another class.
template <class Use>
void withRowCell(ui::TableViewCell* cell, Use use) {
  switch (currentRowStyle()) {
    case ListType::feedWithCallToAction:
      if (auto* row = dynamic_cast<OfwCtaFeedItemCell*>(cell)) use(*row);
      return;
    case ListType::compactList:
      if (auto* row = dynamic_cast<OfwListItemCell*>(cell)) use(*row);
      return;
    default:
      if (auto* row = dynamic_cast<OfwFeedItemCell*>(cell)) use(*row);
      return;
  }
}

const std::string& rowIdentifier() {
  switch (currentRowStyle()) {
    case ListType::feedWithCallToAction:
      return OfwCtaFeedItemCell::reuseIdentifier();
    case ListType::compactList:
      return OfwListItemCell::reuseIdentifier();
    default:
      return OfwFeedItemCell::reuseIdentifier();
  }
}

}  // namespace

const Ad* DefaultOfwListViewController::adAt(const ui::IndexPath& indexPath) const {
  const int row = indexPath.row();
  if (!adList_ || row < 0 || static_cast<std::size_t>(row) >= adList_->size()) return nullptr;
  return &(*adList_)[row];
}

int DefaultOfwListViewController::numberOfRows(ui::TableView&, int) {
  return adList_ ? static_cast<int>(adList_->size()) : 0;
}

double DefaultOfwListViewController::heightForRow(ui::TableView&, const ui::IndexPath&) {
  if (currentRowStyle() == ListType::compactList) return dimension()->listTypeCellHeight();
  return ui::TableView::kAutomaticDimension;
}

// The feed rows size themselves; the estimate is half the screen's width inside the row margins
// (the picture) plus the row's bottom view and margin.
double DefaultOfwListViewController::estimatedHeightForRow(ui::TableView&, const ui::IndexPath&) {
  const VelkorDimension& d = *dimension();
  if (currentRowStyle() == ListType::compactList) return d.listTypeCellHeight();
  const double width = ui::Screen::main().bounds.width();
  return (width - (d.listItemLeftMargin() + d.listItemRightMargin())) * 0.5 + d.listItemBottomViewHeight() +
         d.listItemBottomMargin();
}

std::shared_ptr<ui::TableViewCell> DefaultOfwListViewController::cellForRow(ui::TableView& tableView,
                                                                            const ui::IndexPath& indexPath) {
  auto cell = tableView.dequeueReusableCell(rowIdentifier(), indexPath);
  if (const Ad* ad = adAt(indexPath)) withRowCell(cell.get(), [ad](auto& row) { row.updateCell(*ad); });
  return cell;
}

void DefaultOfwListViewController::updateDisplay() {
  for (const ui::IndexPath& indexPath : tableView_->indexPathsForVisibleRows()) {
    const Ad* ad = adAt(indexPath);
    if (!ad) continue;
    auto cell = tableView_->cellForRow(indexPath);
    withRowCell(cell.get(), [ad](auto& row) { row.updateStatus(*ad); });
  }
}

// Row taps are not debounced: each one routes.
void DefaultOfwListViewController::didSelectRow(ui::TableView&, const ui::IndexPath& indexPath) {
  const Ad* ad = adAt(indexPath);
  if (ad && presenter_) presenter_->moveToDetail(ad->viewUrl, ad->titleBar, "ad_list");
}

void DefaultOfwListViewController::reportVisibleRows() {
  auto pager = pagerPresenter();
  if (!pager || !presenter_) return;
  for (const ui::IndexPath& indexPath : tableView_->indexPathsForVisibleRows()) {
    if (const Ad* ad = adAt(indexPath)) pager->impression(*ad, presenter_->tabSlug(), presenter_->selectedTagSlug());
  }
}

void DefaultOfwListViewController::scrollViewDidEndDecelerating(ui::ScrollView&) { reportVisibleRows(); }

// The banner area rides with the content: down with a pull past the top, up until the header's
// height has gone by. That height is the header's fitting height, which every reload writes into its
// frame: read from there, a scroll step solves no layout of its own.
void DefaultOfwListViewController::scrollViewDidScroll(ui::ScrollView& scrollView) {
  if (&scrollView != tableView_.get()) return;
  const double h = tableHeaderView_->frame().height();
  const double y = tableView_->contentOffset().y;
  tableHeaderContentStackView_->setTransform(ui::AffineTransform::translation(0, -std::min(y, h)));
}

int DefaultOfwListViewController::numberOfItems(ui::CollectionView&, int) {
  return static_cast<int>(bannerItemCount(static_cast<std::int64_t>(filteredBannerList_.size())));
}

std::shared_ptr<ui::CollectionViewCell> DefaultOfwListViewController::cellForItem(ui::CollectionView& collectionView,
                                                                                  const ui::IndexPath& indexPath) {
  auto index = bannerIndex(indexPath.item, static_cast<std::int64_t>(filteredBannerList_.size()));
  if (!index) return std::make_shared<ui::CollectionViewCell>();
  const Banner& banner = filteredBannerList_[*index];
  if (banner.bannerDisplayTypeId == BannerDisplayType::AD_RESOURCE) {
    auto cell = std::dynamic_pointer_cast<OfwAdResourceBannerItem>(
        collectionView.dequeueReusableCell(OfwAdResourceBannerItem::reuseIdentifier(), indexPath));
    if (!cell) return std::make_shared<ui::CollectionViewCell>();
    const auto& ad = banner.relatedAd;
    std::optional<base::AttributedString> subtitle;
    if (ad && ad->subtitle) subtitle = ad->makeAttributedUnitString(*ad->subtitle);
    cell->configure(banner.backgroundColor, ad ? std::optional(ad->title) : std::nullopt, subtitle,
                    ad ? ad->iconImage : std::nullopt);
    return cell;
  }
  auto cell = std::dynamic_pointer_cast<OfwImageOnlyBannerItem>(
      collectionView.dequeueReusableCell(OfwImageOnlyBannerItem::reuseIdentifier(), indexPath));
  if (!cell) return std::make_shared<ui::CollectionViewCell>();
  cell->configure(banner.backgroundColor, banner.bannerImage);
  return cell;
}

void DefaultOfwListViewController::tagPressed(int index, ANTagView&, ANTagListView&) {
  if (!presenter_ || !tagList_ || index < 0 || static_cast<std::size_t>(index) >= tagList_->size()) return;
  presenter_->setSelectedTagSlug((*tagList_)[index].slug);
  presenter_->loadData();
}

void DefaultOfwListViewController::modeChanged(TagShowType) {
  tagListActive_ = false;
  reloadData();
}

void DefaultOfwListViewController::orderChanged(int sortOrder, ui::Button*) {
  if (sortOrder < 0 || sortOrder > 3) return;
  changeSortOrder(static_cast<Ad::SortType>(sortOrder));
}

}  // namespace velkor
