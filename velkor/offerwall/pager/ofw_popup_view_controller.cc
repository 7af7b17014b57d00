#include "velkor/offerwall/pager/ofw_popup_view_controller.h"

#include <algorithm>

#include "platform/base/date.h"
#include "platform/ui/collection_view_flow_layout.h"
#include "platform/ui/device.h"
#include "platform/ui/gesture_recognizer.h"
#include "platform/ui/tap_gesture_recognizer.h"
#include "platform/ui/touch.h"
#include "platform/ui/transitioning.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/offerwall/list/banner_paging.h"
#include "velkor/offerwall/pager/ofw_ad_resource_popup_item.h"
#include "velkor/offerwall/pager/ofw_image_only_popup_item.h"
#include "velkor/offerwall/pager/popup_selection.h"

namespace velkor {

// The collection view's layout and scroll delegate and the background tap's delegate, owned by
// the controller they report to.
class OfwPopupViewController::Delegates : public ui::CollectionViewDelegateFlowLayout,
                                          public ui::GestureRecognizerDelegate {
 public:
  explicit Delegates(OfwPopupViewController& owner) : owner_(owner) {}

  std::optional<ui::Size> sizeForItem(ui::CollectionView&, ui::CollectionViewLayout&, const ui::IndexPath&) override {
    const double side = owner_.pageSide();
    return ui::Size{side, side};
  }
  void scrollViewDidScroll(ui::ScrollView& scrollView) override { owner_.didScroll(scrollView); }
  void scrollViewWillBeginDragging(ui::ScrollView&) override { owner_.stopTimer(); }
  // A release without momentum leaves the carousel still for the rest of its display.
  void scrollViewDidEndDragging(ui::ScrollView&, bool willDecelerate) override {
    if (willDecelerate && !owner_.timer_) owner_.startTimer();
  }
  // Only a touch on the dimmed root itself closes the screen.
  bool gestureRecognizerShouldReceive(ui::GestureRecognizer&, const ui::Touch& touch) override {
    return touch.view() == owner_.viewIfLoaded();
  }

 private:
  OfwPopupViewController& owner_;
};

OfwPopupViewController::OfwPopupViewController()
    : colorScheme_(VelkorInternal::shared().colorScheme()), dimension_(VelkorInternal::shared().dimension()) {
  auto layout = std::make_shared<ui::CollectionViewFlowLayout>();
  layout->setScrollDirection(ui::CollectionViewScrollDirection::horizontal);
  layout->setMinimumInteritemSpacing(0);
  layout->setMinimumLineSpacing(0);
  collectionView_ = std::make_shared<ui::CollectionView>(ui::Rect{}, layout);
  delegates_ = std::make_shared<Delegates>(*this);
}

OfwPopupViewController::~OfwPopupViewController() { stopTimer(); }

void OfwPopupViewController::setPopups(std::vector<Popup> popups) {
  popups_ = std::move(popups);
  popupItemCount_ = static_cast<std::int64_t>(popups_.size());
  collectionView_->reloadData();
}

double OfwPopupViewController::pageSide() const { return std::min(popupMaxSize, collectionView_->frame().width()); }

void OfwPopupViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  root->setBackgroundColor(ui::Color::black().withAlphaComponent(0.6));
  setView(root);
}

void OfwPopupViewController::viewDidLoad() {
  ui::ViewController::viewDidLoad();
  setUpViews();
  setUpConstraints();
}

void OfwPopupViewController::setUpViews() {
  const auto& root = view();
  root->setInsetsLayoutMarginsFromSafeArea(false);
  root->setLayoutMargins({dimension_->popupTopMargin(), dimension_->popupLeftMargin(), dimension_->popupBottomMargin(),
                          dimension_->popupRightMargin()});
  auto background = std::make_shared<ui::TapGestureRecognizer>(this, [this](ui::GestureRecognizer&) { dismissPopup(); });
  background->setDelegate(delegates_);
  ui::addGestureRecognizer(*root, background);

  const double spacing = dimension_->popupViewButtonBottomSpacing();
  auto styleButton = [spacing](ui::Button& button, const char* title, const ui::Color& color, const ui::Font& font) {
    button.setTranslatesAutoresizingMaskIntoConstraints(false);
    button.setContentEdgeInsets({spacing, 0, spacing, 0});
    button.setTitle(std::string(title), ui::ControlState::normal);
    button.setTitleColor(color, ui::ControlState::normal);
    button.titleLabel()->setFont(font);
  };
  styleButton(*closeTodayButton_, kCloseTodayTitle, colorScheme_->popupViewCloseTodayButtonTextColor(),
              VelkorOfwText::regularFont(dimension_->popupViewCloseTodayButtonTextSize()));
  styleButton(*closeButton_, kCloseTitle, colorScheme_->popupViewCloseButtonTextColor(),
              VelkorOfwText::boldFont(dimension_->popupViewCloseButtonTextSize()));
  closeTodayButton_->addTarget(this, [this](ui::Control&) { closeTodayButtonTapped(); },
                               ui::ControlEvent::touchUpInside);
  closeButton_->addTarget(this, [this](ui::Control&) { closeButtonTapped(); }, ui::ControlEvent::touchUpInside);

  collectionView_->setTranslatesAutoresizingMaskIntoConstraints(false);
  collectionView_->registerCell(OfwImageOnlyPopupItem::reuseIdentifier(),
                                [] { return std::make_shared<OfwImageOnlyPopupItem>(); });
  collectionView_->registerCell(OfwAdResourcePopupItem::reuseIdentifier(),
                                [] { return std::make_shared<OfwAdResourcePopupItem>(); });
  collectionView_->setShowsHorizontalScrollIndicator(false);
  collectionView_->setShowsVerticalScrollIndicator(false);
  collectionView_->setDirectionalLockEnabled(true);
  collectionView_->setPagingEnabled(true);
  collectionView_->setDelegate(delegates_);
  collectionView_->layer().setCornerRadius(dimension_->popupCornerRadius());

  pageIndicator_->setTranslatesAutoresizingMaskIntoConstraints(false);
  pageIndicator_->layer().setCornerRadius(dimension_->popupPageIndicatorCornerRadius());
  if (popupItemCount_ && *popupItemCount_ >= 2) {
    pageIndicator_->totalIndex = *popupItemCount_;
    setIndicator(1);
  } else {
    pageIndicator_->setHidden(true);
  }
}

void OfwPopupViewController::setUpConstraints() {
  const auto& root = view();
  for (const auto& subview : std::vector<std::shared_ptr<ui::View>>{closeTodayButton_, closeButton_, collectionView_,
                                                                     pageIndicator_}) {
    root->addSubview(subview);
  }
  const auto& margins = root->layoutMarginsGuide();
  auto leading = collectionView_->leadingAnchor().constraintEqualTo(margins->leadingAnchor());
  auto trailing = collectionView_->trailingAnchor().constraintEqualTo(margins->trailingAnchor());
  leading->setPriority(999);
  trailing->setPriority(999);
  bottomConstraint_ = collectionView_->bottomAnchor().constraintEqualTo(margins->bottomAnchor(), popupMaxSize);
  ui::Constraint::activate({
      collectionView_->widthAnchor().constraintLessThanOrEqualToConstant(dimension_->popupMaxSize()),
      collectionView_->heightAnchor().constraintEqualTo(collectionView_->widthAnchor()),
      leading,
      bottomConstraint_,
      trailing,
      collectionView_->centerXAnchor().constraintEqualTo(margins->centerXAnchor()),
      closeTodayButton_->leadingAnchor().constraintEqualTo(collectionView_->leadingAnchor()),
      closeTodayButton_->bottomAnchor().constraintEqualTo(collectionView_->topAnchor()),
      closeTodayButton_->trailingAnchor().constraintLessThanOrEqualTo(closeButton_->leadingAnchor()),
      closeButton_->bottomAnchor().constraintEqualTo(collectionView_->topAnchor()),
      closeButton_->trailingAnchor().constraintEqualTo(collectionView_->trailingAnchor()),
      pageIndicator_->widthAnchor().constraintEqualToConstant(dimension_->popupPageIndicatorWidth()),
      pageIndicator_->heightAnchor().constraintEqualToConstant(dimension_->popupPageIndicatorHeight()),
      pageIndicator_->topAnchor().constraintEqualTo(collectionView_->topAnchor(), 10),
      pageIndicator_->trailingAnchor().constraintEqualTo(collectionView_->trailingAnchor(), -9),
  });
}

void OfwPopupViewController::viewDidAppear(bool animated) {
  ui::ViewController::viewDidAppear(animated);
  std::weak_ptr<ui::ViewController> weak = weak_from_this();
  const std::vector<std::shared_ptr<ui::View>> sliding = {collectionView_, closeButton_, closeTodayButton_,
                                                          pageIndicator_};
  ui::View::animate(
      kEntranceDuration, 0, 1.0, 1.0, ui::AnimationOptions{},
      [sliding] {
        for (const auto& view : sliding) {
          ui::Rect frame = view->frame();
          frame.origin.y -= popupMaxSize;
          view->setFrame(frame);
        }
      },
      [weak](bool finished) {
        auto self = std::static_pointer_cast<OfwPopupViewController>(weak.lock());
        if (!self) return;
        // Interrupted or not, the carousel comes to rest on the margin; only a finished slide
        // starts the carousel moving.
        self->bottomConstraint_->setConstant(0);
        if (finished && !self->timer_) self->startTimer();
      });
}

void OfwPopupViewController::viewDidDisappear(bool animated) {
  ui::ViewController::viewDidDisappear(animated);
  stopTimer();
}

void OfwPopupViewController::viewWillTransition(ui::Size size, ui::TransitionCoordinator& coordinator) {
  ui::ViewController::viewWillTransition(size, coordinator);
  switch (ui::Device::current().orientation) {
    case ui::DeviceOrientation::portrait:
    case ui::DeviceOrientation::portraitUpsideDown:
    case ui::DeviceOrientation::landscapeLeft:
    case ui::DeviceOrientation::landscapeRight:
      break;
    default:
      return;
  }
  if (auto* flow = dynamic_cast<ui::CollectionViewFlowLayout*>(collectionView_->collectionViewLayout().get())) {
    flow->setItemSize({pageSide(), pageSide()});
    flow->invalidateLayout();
  }
}

void OfwPopupViewController::startTimer() {
  std::weak_ptr<ui::ViewController> weak = weak_from_this();
  timer_ = dispatch::Timer::scheduled(
      dispatch::Seconds(kAutoScrollInterval), true,
      [weak](dispatch::Timer&) {
        if (auto self = std::static_pointer_cast<OfwPopupViewController>(weak.lock())) self->scrollToNextPopupItem();
      },
      dispatch::RunLoopMode::Default);
}

void OfwPopupViewController::stopTimer() {
  if (timer_) timer_->invalidate();
  timer_.reset();
}

void OfwPopupViewController::scrollToNextPopupItem() {
  if (!popupItemCount_) return;
  auto visible = collectionView_->indexPathsForVisibleItems();
  if (visible.empty()) return;
  auto step = nextBannerStep(visible.front().item, popupItemCount_);
  if (!step) return;
  collectionView_->setContentOffsetAnimationDuration(kPageMoveDuration);
  collectionView_->scrollToItem(ui::IndexPath{0, static_cast<int>(step->item)},
                                ui::CollectionViewScrollPosition::centeredHorizontally, step->animated);
}

void OfwPopupViewController::setIndicator(std::int64_t page) {
  pageIndicator_->update(page);
  pageIndicator_->currentIndex = page;
}

void OfwPopupViewController::didScroll(ui::ScrollView& scrollView) {
  if (!popupItemCount_) return;
  const std::int64_t count = *popupItemCount_;
  const ui::Point offset = scrollView.contentOffset();
  auto item = collectionView_->indexPathForItem(offset);
  const std::int64_t current = !item || item->item == count ? 0 : item->item;
  setIndicator(current + 1);
  auto wrapped = wrappedBannerOffset(offset.x, collectionView_->contentSize().width, popupItemCount_);
  if (!wrapped) return;
  scrollView.setContentOffset({*wrapped, offset.y});
  setIndicator(offset.x < 0 ? count : 1);
}

void OfwPopupViewController::dismissPopup() {
  std::weak_ptr<ui::ViewController> weak = weak_from_this();
  dismiss(false, [weak] {
    auto self = std::static_pointer_cast<OfwPopupViewController>(weak.lock());
    if (!self) return;
    for (const auto& view : std::vector<std::shared_ptr<ui::View>>{self->closeButton_, self->closeTodayButton_,
                                                                    self->collectionView_, self->pageIndicator_}) {
      view->layer().removeAllAnimations();
    }
  });
}

void OfwPopupViewController::closeButtonTapped() { dismiss(false); }

void OfwPopupViewController::closeTodayButtonTapped() {
  closePopupsForToday(base::Date::now());
  dismiss(false);
}

}  // namespace velkor
