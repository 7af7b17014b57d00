#include "velkor/offerwall/list/ofw_banner_wrapper_view.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/dispatch/main_loop.h"
#include "platform/ui/view_controller.h"
#include "tests/velkor/offerwall/rows/screen_testing.h"
#include "velkor/offerwall/list/banner_paging.h"
#include "velkor/offerwall/list/ofw_image_only_banner_item.h"
#include "velkor/resources/resource_bundle.h"

namespace velkor::testing {
namespace {

using namespace std::chrono_literals;

// Image-only items for n banners, as the list page serves them.
class Items : public ui::CollectionViewDataSource {
 public:
  explicit Items(std::int64_t banners) : banners_(banners) {}
  int numberOfItems(ui::CollectionView&, int) override { return static_cast<int>(bannerItemCount(banners_)); }
  std::shared_ptr<ui::CollectionViewCell> cellForItem(ui::CollectionView& view, const ui::IndexPath& path) override {
    auto cell = view.dequeueReusableCell(OfwImageOnlyBannerItem::reuseIdentifier(), path);
    std::static_pointer_cast<OfwImageOnlyBannerItem>(cell)->configure("#FFEEDD", std::nullopt);
    return cell;
  }

 private:
  std::int64_t banners_;
};

class OfwBannerWrapperViewTest : public ScreenTest {
 protected:
  // A carousel 375 wide in a window, showing n banners.
  void show(std::int64_t banners) {
    items_ = std::make_shared<Items>(banners);
    carousel_->collectionView()->setDataSource(items_);
    carousel_->setBannerCount(banners);
    carousel_->setFrame({0, 0, 375, 88});
    controller_->view()->addSubview(carousel_);
    window_->setRootViewController(controller_);
    window_->makeKeyAndVisible();
    carousel_->collectionView()->reloadData();
    window_->layoutIfNeeded();
  }
  // The page in view, from the offset.
  long page() const {
    const auto& view = *carousel_->collectionView();
    return std::lround(view.contentOffset().x / view.frame().width());
  }
  void tick() {
    advance(OfwBannerWrapperView::kAutoScrollInterval);
    advance(OfwBannerWrapperView::kPageMoveDuration + 0.1);
  }

  std::shared_ptr<ui::ViewController> controller_ = std::make_shared<ui::ViewController>();
  std::shared_ptr<OfwBannerWrapperView> carousel_ = OfwBannerWrapperView::make();
  std::shared_ptr<Items> items_;
};

// Two banners: banner 0, banner 1, the copy of banner 0, a silent jump back to 0, then banner 1.
TEST_F(OfwBannerWrapperViewTest, TicksWalkThroughTheCopyAndJumpBack) {
  show(2);
  EXPECT_EQ(carousel_->collectionView()->numberOfItems(0), 3);
  carousel_->startAutoScroll();
  std::vector<long> pages;
  for (int i = 0; i < 4; ++i) {
    tick();
    pages.push_back(page());
  }
  EXPECT_EQ(pages, (std::vector<long>{1, 2, 0, 1}));
  carousel_->stopAutoScroll();
  EXPECT_FALSE(carousel_->isAutoScrolling());
}

TEST_F(OfwBannerWrapperViewTest, OneBannerOrAHiddenCarouselStaysStill) {
  show(1);
  carousel_->startAutoScroll();
  tick();
  EXPECT_EQ(page(), 0);
  carousel_->stopAutoScroll();

  carousel_->setHidden(true);
  carousel_->startAutoScroll();
  EXPECT_FALSE(carousel_->isAutoScrolling());
}

// A drag stops the timer; only a release that decelerates starts it again.
TEST_F(OfwBannerWrapperViewTest, TheFingerTakesOverFromTheTimer) {
  show(3);
  carousel_->startAutoScroll();
  auto& view = *carousel_->collectionView();
  auto delegate = view.delegate();
  delegate->scrollViewWillBeginDragging(view);
  EXPECT_FALSE(carousel_->isAutoScrolling());
  delegate->scrollViewDidEndDragging(view, false);
  EXPECT_FALSE(carousel_->isAutoScrolling());
  delegate->scrollViewDidEndDragging(view, true);
  EXPECT_TRUE(carousel_->isAutoScrolling());
  carousel_->stopAutoScroll();
}

// A reused cell shows the placeholder at once, and keeps it when the new picture never comes.
TEST_F(OfwBannerWrapperViewTest, AReusedBannerCellNeverKeepsAnotherPicture) {
  auto placeholder = ui::Image::named("velkorPlaceholder", resourceBundle());
  ASSERT_TRUE(placeholder);
  auto cell = std::make_shared<OfwImageOnlyBannerItem>();
  auto earlier = ui::Image::fromRgba(1, 1, {1, 2, 3, 255});
  cell->imageView()->setImage(earlier);
  cell->prepareForReuse();
  cell->configure("#000000", "http://127.0.0.1:1/banner.png");
  ASSERT_TRUE(cell->imageView()->image());
  EXPECT_TRUE(cell->imageView()->image()->isSameImage(*placeholder));
  dispatch::main_loop::runUntil([] { return false; }, 500ms);
  ASSERT_TRUE(cell->imageView()->image());
  EXPECT_TRUE(cell->imageView()->image()->isSameImage(*placeholder));

  cell->configure("#000000", "not a url");
  EXPECT_TRUE(cell->imageView()->image()->isSameImage(*placeholder));
}

}  // namespace
}  // namespace velkor::testing
