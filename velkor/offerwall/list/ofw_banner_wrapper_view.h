// The banner carousel of a list page: a stack around one horizontal paging collection view that
// advances by itself every 3.0 seconds and wraps round in both directions (banner_paging.h has the
// arithmetic). The list page is the collection view's data source, sets bannerCount, and starts and
// stops the auto-scroll as it comes on and goes off screen.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/dispatch/timer.h"
#include "platform/ui/collection_view.h"
#include "platform/ui/stack_view.h"

namespace velkor {

class VelkorDimension;

class OfwBannerWrapperView : public ui::StackView {
 public:
  static constexpr double kAutoScrollInterval = 3.0;
  static constexpr double kPageMoveDuration = 0.4;

  // A carousel ready to show: the stack arranges its collection view once it is held.
  static std::shared_ptr<OfwBannerWrapperView> make();
  // Sets up the collection view; make() styles the stack and arranges it.
  OfwBannerWrapperView();
  ~OfwBannerWrapperView() override;

  const std::shared_ptr<ui::CollectionView>& collectionView() const { return collectionView_; }
  std::optional<std::int64_t> bannerCount() const { return bannerCount_; }
  void setBannerCount(std::optional<std::int64_t> count) { bannerCount_ = count; }
  bool isAutoScrolling() const { return timer_ != nullptr; }

  // The timer's step: the next page, animated, or from the copy silently back to the first.
  virtual void scrollToNextBannerItem();
  // Starts the timer unless it runs or the carousel is hidden.
  virtual void startAutoScroll();
  // Snaps the page in view into place and stops the timer.
  virtual void stopAutoScroll();

 private:
  class Paging;
  void setUIAttributes();
  void setUpCollectionView();
  std::optional<std::int64_t> firstVisibleItem() const;
  void scrollTo(std::int64_t item, bool animated);
  void didScroll(ui::ScrollView& scrollView);

  std::shared_ptr<VelkorDimension> dimension_;
  std::shared_ptr<ui::CollectionView> collectionView_;
  std::shared_ptr<Paging> paging_;
  std::optional<std::int64_t> bannerCount_;
  std::shared_ptr<dispatch::Timer> timer_;
};

}  // namespace velkor
