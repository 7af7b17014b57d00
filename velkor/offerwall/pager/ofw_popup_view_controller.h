// The promotion-popup screen: a dimmed layer over the offerwall with one square paging carousel of
// popup pages, "오늘 그만보기" and "닫기" above it and a page badge in its corner. It slides up when
// shown, advances every 3.0 seconds and wraps round both ways (banner_paging.h has the arithmetic
// every carousel shares). The pager fills it (it is the collection view's data source and handles
// taps on pages) and presents it. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/dispatch/timer.h"
#include "platform/ui/button.h"
#include "platform/ui/collection_view.h"
#include "platform/ui/constraint.h"
#include "platform/ui/view_controller.h"
#include "velkor/model/popup.h"
#include "velkor/offerwall/pager/ofw_popup_page_indicator_view.h"

namespace velkor {

class VelkorColorScheme;
class VelkorDimension;

class OfwPopupViewController : public ui::ViewController {
 public:
  static constexpr double kAutoScrollInterval = 3.0;
  static constexpr double kPageMoveDuration = 0.4;
  static constexpr double kEntranceDuration = 0.4;
  static constexpr const char* kCloseTodayTitle = "오늘 그만보기";
  static constexpr const char* kCloseTitle = "닫기";

  OfwPopupViewController();
  ~OfwPopupViewController() override;

  // The number of popups the scroll and timer logic page through; none before the pager sets it.
  std::optional<std::int64_t> popupItemCount() const { return popupItemCount_; }
  void setPopupItemCount(std::optional<std::int64_t> count) { popupItemCount_ = count; }
  // The popups the pages show, fixed while the carousel is on screen so that a reload under it
  // never shows, opens or reports another popup. Sets the count too.
  const std::vector<Popup>& popups() const { return popups_; }
  void setPopups(std::vector<Popup> popups);

  // Side of a page: the collection view's width, at most 480.
  double pageSide() const;
  static constexpr double popupMaxSize = 480;

  const std::shared_ptr<ui::Button>& closeTodayButton() const { return closeTodayButton_; }
  const std::shared_ptr<ui::Button>& closeButton() const { return closeButton_; }
  const std::shared_ptr<OfwPopupPageIndicatorView>& pageIndicator() const { return pageIndicator_; }
  const std::shared_ptr<ui::CollectionView>& collectionView() const { return collectionView_; }
  const std::shared_ptr<ui::Constraint>& collectionViewBottomConstraint() const { return bottomConstraint_; }
  bool isAutoScrolling() const { return timer_ != nullptr; }

  void loadView() override;
  void viewDidLoad() override;
  void viewDidAppear(bool animated) override;
  void viewDidDisappear(bool animated) override;
  void viewWillTransition(ui::Size size, ui::TransitionCoordinator& coordinator) override;

  // The timer's step: the next page, animated, or from the copy of the first silently to page 0.
  virtual void scrollToNextPopupItem();
  virtual void dismissPopup();
  virtual void closeTodayButtonTapped();
  virtual void closeButtonTapped();

 private:
  class Delegates;
  void setUpViews();
  void setUpConstraints();
  void startTimer();
  void stopTimer();
  void didScroll(ui::ScrollView& scrollView);
  void setIndicator(std::int64_t page);

  std::shared_ptr<VelkorColorScheme> colorScheme_;
  std::shared_ptr<VelkorDimension> dimension_;
  std::shared_ptr<ui::Button> closeTodayButton_ = std::make_shared<ui::Button>();
  std::shared_ptr<ui::Button> closeButton_ = std::make_shared<ui::Button>();
  std::shared_ptr<OfwPopupPageIndicatorView> pageIndicator_ = OfwPopupPageIndicatorView::make();
  std::shared_ptr<ui::CollectionView> collectionView_;
  std::shared_ptr<Delegates> delegates_;
  std::optional<std::int64_t> popupItemCount_;
  std::vector<Popup> popups_;
  std::shared_ptr<dispatch::Timer> timer_;
  std::shared_ptr<ui::Constraint> bottomConstraint_;
};

}  // namespace velkor
