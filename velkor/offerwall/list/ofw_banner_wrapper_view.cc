#include "velkor/offerwall/list/ofw_banner_wrapper_view.h"

#include <algorithm>

#include "platform/ui/collection_view_flow_layout.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/offerwall/list/banner_paging.h"
#include "velkor/offerwall/list/ofw_ad_resource_banner_item.h"
#include "velkor/offerwall/list/ofw_image_only_banner_item.h"

namespace velkor {

// The collection view's layout and scroll delegate, owned by the carousel it reports to.
class OfwBannerWrapperView::Paging : public ui::CollectionViewDelegateFlowLayout {
 public:
  explicit Paging(OfwBannerWrapperView& owner) : owner_(owner) {}

  // Every page as wide as the collection view and bannerItemHeight high.
  std::optional<ui::Size> sizeForItem(ui::CollectionView& collectionView, ui::CollectionViewLayout&,
                                      const ui::IndexPath&) override {
    return ui::Size{collectionView.frame().width(), owner_.dimension_->bannerItemHeight()};
  }
  void scrollViewDidScroll(ui::ScrollView& scrollView) override { owner_.didScroll(scrollView); }
  void scrollViewWillBeginDragging(ui::ScrollView&) override { owner_.stopAutoScroll(); }
  // A release without momentum leaves the carousel still until the page appears again.
  void scrollViewDidEndDragging(ui::ScrollView&, bool willDecelerate) override {
    if (willDecelerate) owner_.startAutoScroll();
  }

 private:
  OfwBannerWrapperView& owner_;
};

OfwBannerWrapperView::OfwBannerWrapperView() : dimension_(VelkorInternal::shared().dimension()) {
  auto layout = std::make_shared<ui::CollectionViewFlowLayout>();
  layout->setScrollDirection(ui::CollectionViewScrollDirection::horizontal);
  layout->setMinimumInteritemSpacing(0);
  layout->setMinimumLineSpacing(0);
  collectionView_ = std::make_shared<ui::CollectionView>(ui::Rect{}, layout);
  paging_ = std::make_shared<Paging>(*this);
  setUpCollectionView();
}

std::shared_ptr<OfwBannerWrapperView> OfwBannerWrapperView::make() {
  auto carousel = std::make_shared<OfwBannerWrapperView>();
  carousel->setUIAttributes();
  carousel->addArrangedSubview(carousel->collectionView_);
  return carousel;
}

OfwBannerWrapperView::~OfwBannerWrapperView() {
  if (timer_) timer_->invalidate();
}

void OfwBannerWrapperView::setUIAttributes() {
  setDistribution(Distribution::equalCentering);
  setLayoutMarginsRelativeArrangement(true);
  setLayoutMargins({dimension_->bannerTopMargin(), dimension_->bannerLeftMargin(), dimension_->bannerBottomMargin(),
                    dimension_->bannerRightMargin()});
  setBackgroundColor(VelkorInternal::shared().colorScheme()->bannerBackgroundColor());
}

void OfwBannerWrapperView::setUpCollectionView() {
  collectionView_->registerCell(OfwImageOnlyBannerItem::reuseIdentifier(),
                                [] { return std::make_shared<OfwImageOnlyBannerItem>(); });
  collectionView_->registerCell(OfwAdResourceBannerItem::reuseIdentifier(),
                                [] { return std::make_shared<OfwAdResourceBannerItem>(); });
  collectionView_->setShowsHorizontalScrollIndicator(false);
  collectionView_->setShowsVerticalScrollIndicator(false);
  collectionView_->setScrollEnabled(true);
  collectionView_->setDirectionalLockEnabled(true);
  collectionView_->setPagingEnabled(true);
  collectionView_->setDelegate(paging_);
  collectionView_->layer().setCornerRadius(dimension_->bannerCornerRadius());
}

std::optional<std::int64_t> OfwBannerWrapperView::firstVisibleItem() const {
  auto visible = collectionView_->indexPathsForVisibleItems();
  if (visible.empty()) return std::nullopt;
  return visible.front().item;
}

void OfwBannerWrapperView::scrollTo(std::int64_t item, bool animated) {
  collectionView_->scrollToItem(ui::IndexPath{0, static_cast<int>(item)},
                                ui::CollectionViewScrollPosition::centeredHorizontally, animated);
}

void OfwBannerWrapperView::scrollToNextBannerItem() {
  auto visible = firstVisibleItem();
  if (!visible) return;
  auto step = nextBannerStep(*visible, bannerCount_);
  if (!step) return;
  collectionView_->setContentOffsetAnimationDuration(kPageMoveDuration);
  scrollTo(step->item, step->animated);
}

void OfwBannerWrapperView::startAutoScroll() {
  if (timer_ || isHidden()) return;
  auto self = std::static_pointer_cast<OfwBannerWrapperView>(shared_from_this());
  timer_ = dispatch::Timer::scheduled(
      dispatch::Seconds(kAutoScrollInterval), true, [self](dispatch::Timer&) { self->scrollToNextBannerItem(); },
      dispatch::RunLoopMode::Default);
}

void OfwBannerWrapperView::stopAutoScroll() {
  if (auto visible = firstVisibleItem()) scrollTo(*visible, false);
  if (timer_) timer_->invalidate();
  timer_.reset();
}

void OfwBannerWrapperView::didScroll(ui::ScrollView& scrollView) {
  const ui::Point offset = scrollView.contentOffset();
  auto wrapped = wrappedBannerOffset(offset.x, collectionView_->contentSize().width, bannerCount_);
  if (wrapped) collectionView_->setContentOffset({*wrapped, offset.y});
}

}  // namespace velkor
