#include "velkor/offerwall/pager/default_ofw_list_pager_view_controller.h"

#include "platform/base/date.h"
#include "platform/base/notification_center.h"
#include "platform/privacy/tracking.h"
#include "platform/ui/application.h"
#include "platform/ui/navigation_controller.h"
#include "platform/ui/tap_gesture_recognizer.h"
#include "velkor/appearance/hex_color.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/components/default_prepare_view.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/components/pin_edges.h"
#include "velkor/components/reward_displayable.h"
#include "velkor/components/velkor_navigation_bar.h"
#include "velkor/core/dependency_container.h"
#include "velkor/core/os_version_gate.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/model/reward_type.h"
#include "velkor/network/ad_repository.h"
#include "velkor/network/tracking_repository.h"
#include "velkor/offerwall/pager/ofw_ad_resource_popup_item.h"
#include "velkor/offerwall/pager/ofw_image_only_popup_item.h"
#include "velkor/offerwall/list/ofw_list_presenter.h"
#include "velkor/offerwall/pager/ofw_list_pager_presenter.h"
#include "velkor/offerwall/pager/popup_selection.h"
#include "velkor/resources/resource_bundle.h"

namespace velkor {
namespace {

constexpr double kPrepareFade = 0.2;

void onTap(ui::View& view, std::function<void()> action) {
  ui::addGestureRecognizer(view, std::make_shared<ui::TapGestureRecognizer>(
                                     nullptr, [action = std::move(action)](ui::GestureRecognizer&) { action(); }));
}

// Earlier targets go, so each appearance leaves one action on the button.
void wire(ui::Button& button, const void* target, std::function<void()> action) {
  button.removeTarget(nullptr, ui::ControlEvent::touchUpInside);
  button.addTarget(target, [action = std::move(action)](ui::Control&) { action(); }, ui::ControlEvent::touchUpInside);
}

}  // namespace

DefaultOfwListPagerViewController::DefaultOfwListPagerViewController() { commonInit(); }

DefaultOfwListPagerViewController::DefaultOfwListPagerViewController(std::optional<std::string> nibName,
                                                                     const ui::NibRegistry& bundle)
    : OfwBaseViewController(std::move(nibName), bundle) {
  commonInit();
}

DefaultOfwListPagerViewController::~DefaultOfwListPagerViewController() = default;

void DefaultOfwListPagerViewController::commonInit() {
  delegateHandle_ = std::shared_ptr<DefaultOfwListPagerViewController>(this, [](DefaultOfwListPagerViewController*) {});
  mTabBar_ = ANTabBar::make();
}

std::shared_ptr<OfwListPagerView> DefaultOfwListPagerViewController::selfAsView() {
  return std::dynamic_pointer_cast<OfwListPagerView>(shared_from_this());
}

// --- life cycle ---

void DefaultOfwListPagerViewController::viewDidLoad() {
  OfwBaseViewController::viewDidLoad();
  view()->setBackgroundColor(colorScheme()->backgroundColor());
  mTabBar_->setDelegate(std::shared_ptr<ANTabBarDelegate>(delegateHandle_));
  mTabBar_->forceType = "LEFT";
  mTabBar_->innerTabGap = 20;
  if (mTabBar_->bottomLine()) mTabBar_->bottomLine()->setHidden(true);
  const auto& carousel = popupViewController_->collectionView();
  carousel->setDataSource(std::shared_ptr<ui::CollectionViewDataSource>(delegateHandle_));
  auto tap = std::make_shared<ui::TapGestureRecognizer>(this, [this](ui::GestureRecognizer&) { popupTapped(); });
  tap->setNumberOfTapsRequired(1);
  tap->setNumberOfTouchesRequired(1);
  ui::addGestureRecognizer(*carousel, tap);
  forceLightStyleIfAsked();
}

void DefaultOfwListPagerViewController::forceLightStyleIfAsked() {
  if (!isOsVersionAtLeast("13.0") || Velkor::shared().overrideUserInterfaceStyle() != ui::UserInterfaceStyle::light) {
    return;
  }
  view()->setOverrideUserInterfaceStyle(ui::UserInterfaceStyle::light);
  if (auto* navigation = navigationController()) {
    auto& bar = navigation->navigationBar();
    bar.setBarStyle(ui::BarStyle::defaultStyle);
    bar.setOverrideUserInterfaceStyle(ui::UserInterfaceStyle::light);
    bar.setBarTintColor(colorFromHex("#ffffff", 1.0));
  }
}

void DefaultOfwListPagerViewController::viewWillAppear(bool animated) {
  OfwBaseViewController::viewWillAppear(animated);
  if (!UserProfile::uid()) Velkor::shared().setLoginDelegate(std::shared_ptr<OfwLoginDelegate>(delegateHandle_));
  setupNavigationBar();
  observeApp();
  if (presenter_) presenter_->reloadData("ad_list");
}

void DefaultOfwListPagerViewController::viewDidAppear(bool animated) {
  OfwBaseViewController::viewDidAppear(animated);
  if (VelkorInternal::shared().config()->enableATTPresentingWhenFirstRun() && isOsVersionAtLeast("14.5")) {
    privacy::Tracking::requestAuthorization([](privacy::TrackingStatus) {});
  }
}

void DefaultOfwListPagerViewController::viewWillDisappear(bool animated) {
  OfwBaseViewController::viewWillDisappear(animated);
  stopObservingApp();
  if (presenter_) presenter_->sendImpression();
}

void DefaultOfwListPagerViewController::viewWillLayoutSubviews() {
  OfwBaseViewController::viewWillLayoutSubviews();
  refreshTabBar();
}

void DefaultOfwListPagerViewController::observeApp() {
  stopObservingApp();
  observerOwner_ = std::make_shared<int>(0);
  auto& center = base::NotificationCenter::defaultCenter();
  std::weak_ptr<ui::ViewController> weak = weak_from_this();
  auto forScreen = [weak](void (DefaultOfwListPagerViewController::*action)()) {
    return [weak, action](const base::Notification&) {
      if (auto self = std::static_pointer_cast<DefaultOfwListPagerViewController>(weak.lock())) ((*self).*action)();
    };
  };
  center.addObserver(observerOwner_, ui::Application::kWillEnterForegroundNotification,
                     forScreen(&DefaultOfwListPagerViewController::appMovedToForeground));
  center.addObserver(observerOwner_, ui::Application::kDidEnterBackgroundNotification,
                     forScreen(&DefaultOfwListPagerViewController::appMovedToBackground));
}

void DefaultOfwListPagerViewController::stopObservingApp() {
  if (!observerOwner_) return;
  base::NotificationCenter::defaultCenter().removeObserver(observerOwner_);
  observerOwner_.reset();
}

void DefaultOfwListPagerViewController::appMovedToBackground() {
  VelkorInternal::shared().trackingRepository()->flush();
  if (!presenter_) return;
  presenter_->sendImpression();
  presenter_->repository()->setCacheIsDirty(true);
  VelkorInternal::shared().repository()->setPlacementCacheIsDirty(true);
}

void DefaultOfwListPagerViewController::appMovedToForeground() {
  if (presenter_) presenter_->reloadData("ad_list");
}

// --- navigation bar ---

// A missing piece (the "empty" image, a publisher bar without a title label) is skipped: close,
// back and help are wired whatever the bar lacks.
void DefaultOfwListPagerViewController::setupNavigationBar() {
  auto* navigation = navigationController();
  auto bar = navigation ? std::dynamic_pointer_cast<VelkorNavigationBar>(navigation->navigationBarPointer()) : nullptr;
  if (!bar) return;
  const auto empty = ui::Image::named("empty", resourceBundle());
  if (empty) bar->setBackIndicatorImage(empty);
  if (const auto& back = navigationItem().backBarButtonItem()) back->setTitle("");
  navigationItem().setBackButtonTitle("");

  const bool modern = isOsVersionAtLeast("13.0");
  const auto custom = colorScheme()->overrideColor("navigationBackgroundColor");
  const ui::Color background = custom ? *custom : (modern ? ui::Color::systemBackground() : ui::Color::white());
  if (modern) {
    ui::NavigationBarAppearance appearance;
    appearance.configureWithOpaqueBackground();
    appearance.shadowColor = ui::Color::clear();
    appearance.shadowImage = empty;
    appearance.backgroundColor = background;
    appearance.backgroundImage = empty;
    bar->setStandardAppearance(appearance);
    bar->setScrollEdgeAppearance(appearance);
  } else {
    bar->setBarTintColor(background);
    if (empty) bar->setBackgroundImage(empty);
    if (empty) bar->setShadowImage(empty);
  }
  if (auto title = bar->titleLabel()) title->setText(VelkorInternal::shared().config()->offerwallListTitle());

  auto close = bar->closeButton();
  auto back = bar->backBarButton();
  auto leave = close ? close : back;
  if (close && back) back->setHidden(true);
  if (leave) showBarButton(*leave, [this] { backButtonClicked(); });
  if (auto help = bar->helpButton()) showBarButton(*help, [this] { moveToContact(); });
}

void DefaultOfwListPagerViewController::backButtonClicked() {
  if (presenter_) presenter_->backButtonClicked();
}

void DefaultOfwListPagerViewController::moveToContact() {
  if (!UserProfile::uid()) contactAwaitsLogin_ = true;
  if (presenter_) presenter_->moveToContact();
}

void DefaultOfwListPagerViewController::success() {
  if (!contactAwaitsLogin_) return;
  contactAwaitsLogin_ = false;
  if (presenter_) presenter_->moveToContact();
}

// --- error view and prepare view ---

void DefaultOfwListPagerViewController::showNetworkError(bool retry) {
  (void)retry;
  if (presenter_) presenter_->setAds(std::nullopt);
  hideNetworkError();
  networkErrorView_ = DependencyContainer().makeNetworkErrorView();
  if (!networkErrorView_) return;
  wire(*networkErrorView_->retryButton(), this, [this] {
    if (presenter_) presenter_->reloadData("ad_list");
  });
  view()->addSubview(networkErrorView_);
  pinEdges(*networkErrorView_, *view());
}

void DefaultOfwListPagerViewController::hideNetworkError() {
  if (!networkErrorView_) return;
  networkErrorView_->removeFromSuperview();
  networkErrorView_.reset();
}

void DefaultOfwListPagerViewController::showPrepareView() {
  auto prepare = DependencyContainer().makePrepareView();
  if (!prepare) return;
  std::weak_ptr<ui::View> weakView = prepare;
  onTap(*prepare, [this, weakView] {
    if (auto tapped = weakView.lock()) removePrepareView(tapped);
  });
  prepare->setAlpha(0);
  ui::View::animate(kPrepareFade, [prepare] { prepare->setAlpha(1.0); });
  if (auto* displayable = dynamic_cast<RewardDisplayable*>(prepare.get())) {
    const auto types = RewardType::items();
    std::optional<std::string> name, unit;
    if (types && !types->empty()) {
      name = types->front().name;
      unit = types->front().unit;
    }
    displayable->setAvailableReward(name, unit, presenter_ ? presenter_->rewards() : 0);
    std::weak_ptr<ui::ViewController> weak = weak_from_this();
    displayable->setPrepareViewDidDisappear([weak] {
      if (auto self = std::static_pointer_cast<DefaultOfwListPagerViewController>(weak.lock())) self->showPopups();
    });
  }
  auto* navigation = navigationController();
  if (!navigation) return;
  navigation->view()->addSubview(prepare);
  pinEdges(*prepare, *navigation->view());
}

void DefaultOfwListPagerViewController::removePrepareView(const std::shared_ptr<ui::View>& prepareView) {
  if (!std::dynamic_pointer_cast<DefaultPrepareView>(prepareView)) return;
  std::weak_ptr<ui::ViewController> weak = weak_from_this();
  ui::View::animate(kPrepareFade, [prepareView] { prepareView->setAlpha(0); },
                    [weak, prepareView](bool) {
                      prepareView->removeFromSuperview();
                      if (auto self = std::static_pointer_cast<DefaultOfwListPagerViewController>(weak.lock())) {
                        self->showPopups();
                      }
                    });
}

// --- reload and popups ---

// Pages reload in index order.
void DefaultOfwListPagerViewController::reloadAll() {
  for (const auto& [index, page] : viewLists_) {
    auto listView = std::dynamic_pointer_cast<OfwListView>(page);
    if (auto pagePresenter = listView ? listView->presenter() : nullptr) pagePresenter->loadData();
  }
  filteredPopups_ = presenter_ ? linkPopups(presenter_->popupList(), presenter_->ads()) : std::vector<Popup>{};
  // The carousel keeps the popups it is showing; a reload changes only what a later showing uses.
  if (!popupViewController_->presentingViewController()) popupViewController_->setPopups(filteredPopups_);
  if (VelkorInternal::shared().config()->prepareViewHidden()) showPopups();
}

void DefaultOfwListPagerViewController::showPopups() {
  if (filteredPopups_.empty()) return;
  if (popupsClosedForToday(base::Date::now())) return;
  if (std::dynamic_pointer_cast<OfwPopupViewController>(presentedViewController())) return;
  if (!dynamic_cast<OfwNavigationController*>(navigationController())) return;
  if (isPopupPresented_) return;
  popupViewController_->setPopups(filteredPopups_);
  popupViewController_->setModalPresentationStyle(ui::ModalPresentationStyle::overFullScreen);
  std::weak_ptr<ui::ViewController> weak = weak_from_this();
  present(popupViewController_, false, [weak] {
    if (auto self = std::static_pointer_cast<DefaultOfwListPagerViewController>(weak.lock())) {
      self->isPopupPresented_ = true;
    }
  });
}

void DefaultOfwListPagerViewController::popupTapped() {
  auto visible = popupViewController_->collectionView()->indexPathsForVisibleItems();
  if (visible.empty()) return;
  const auto& popups = popupViewController_->popups();
  debouncer_.debounce([&] {
    auto position = popupPosition(visible.front().item, popups.size());
    if (!position) {
      // Nothing left to open: the carousel goes without a record.
      popupViewController_->dismiss(false);
      return;
    }
    const Popup& popup = popups[*position];
    VelkorInternal::shared().trackingRepository()->track(
        "ad_list", "popup_click",
        nlohmann::json{{"popup_id", popup.id},
                       {"popup_priority", popup.priority},
                       {"popup_position", static_cast<std::int64_t>(*position)}});
    std::weak_ptr<ui::ViewController> weak = weak_from_this();
    popupViewController_->dismiss(false, [weak, address = popupLandingUrl(popup)] {
      auto self = std::static_pointer_cast<DefaultOfwListPagerViewController>(weak.lock());
      if (self && self->presenter_) self->presenter_->moveToDetail(address, "popup");
    });
  });
}

int DefaultOfwListPagerViewController::numberOfItems(ui::CollectionView&, int) {
  const auto count = popupViewController_->popups().size();
  return static_cast<int>(count < 2 ? count : count + 1);
}

std::shared_ptr<ui::CollectionViewCell> DefaultOfwListPagerViewController::cellForItem(
    ui::CollectionView& collectionView, const ui::IndexPath& indexPath) {
  const auto& popups = popupViewController_->popups();
  auto position = popupPosition(indexPath.item, popups.size());
  if (!position) return std::make_shared<ui::CollectionViewCell>();
  const Popup& popup = popups[*position];
  if (popup.popupDisplayTypeId == PopupDisplayType::IMAGE_ONLY) {
    auto cell = std::dynamic_pointer_cast<OfwImageOnlyPopupItem>(
        collectionView.dequeueReusableCell(OfwImageOnlyPopupItem::reuseIdentifier(), indexPath));
    if (!cell) return std::make_shared<ui::CollectionViewCell>();
    cell->configure(popup.popupImage);
    return cell;
  }
  auto cell = std::dynamic_pointer_cast<OfwAdResourcePopupItem>(
      collectionView.dequeueReusableCell(OfwAdResourcePopupItem::reuseIdentifier(), indexPath));
  if (!cell) return std::make_shared<ui::CollectionViewCell>();
  if (!popup.relatedAd) {
    cell->configure(std::nullopt, std::nullopt, popup.buttonText, std::nullopt);
  } else {
    const Ad& ad = *popup.relatedAd;
    cell->configure(ad.title, ad.makeAttributedUnitString(ad.subtitle.value_or("")), popup.buttonText, ad.thumbImage);
  }
  return cell;
}

}  // namespace velkor
