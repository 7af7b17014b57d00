#include "velkor/detail/default_ofw_detail_view_controller.h"

#include "platform/privacy/tracking.h"
#include "platform/ui/application.h"
#include "platform/ui/gradient_layer.h"
#include "platform/ui/navigation_controller.h"
#include "platform/ui/scroll_view.h"
#include "velkor/appearance/hex_color.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/components/ofw_network_error_view.h"
#include "velkor/components/pin_edges.h"
#include "velkor/components/velkor_navigation_bar.h"
#include "velkor/core/dependency_container.h"
#include "velkor/core/os_version_gate.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_offerwall_delegate.h"
#include "velkor/detail/ofw_detail_presenter.h"
#include "velkor/model/reward_type.h"
#include "velkor/network/ad_repository.h"
#include "velkor/network/tracking_repository.h"
#include "velkor/network/velkor_api_client.h"
#include "velkor/offerwall/rows/row_style.h"
#include "velkor/resources/framework_nibs.h"

namespace velkor {

DefaultOfwDetailViewController::DefaultOfwDetailViewController()
    : DefaultOfwDetailViewController(std::string(kNibName)) {}

DefaultOfwDetailViewController::DefaultOfwDetailViewController(std::optional<std::string> nibName,
                                                               const ui::NibRegistry& bundle)
    : OfwBaseViewController((frameworkNibs(), std::move(nibName)), bundle), config_(currentConfig()) {}

DefaultOfwDetailViewController::~DefaultOfwDetailViewController() {
  if (timer_) timer_->invalidate();
}

std::shared_ptr<DefaultOfwDetailViewController> DefaultOfwDetailViewController::self() {
  return std::static_pointer_cast<DefaultOfwDetailViewController>(shared_from_this());
}

// --- outlets ---------------------------------------------------------------------------------------

void DefaultOfwDetailViewController::setContentView(const std::shared_ptr<ui::View>& view) {
  contentView_ = view;
  view->setBackgroundColor(colorScheme()->detailContentViewBackgroundColor());
}

void DefaultOfwDetailViewController::setThumbnail(const std::shared_ptr<ui::ImageView>& view) {
  thumbnail_ = view;
  view->layer().setCornerRadius(config_->listItemRadius());
  view->layer().setBorderWidth(0);
  view->layer().setBorderColor(ui::Color::white());
}

void DefaultOfwDetailViewController::setTitleLabel(const std::shared_ptr<ui::Label>& label) {
  titleLabel_ = label;
  label->setText("");
  label->setTextColor(colorScheme()->detailTitleColor());
}

void DefaultOfwDetailViewController::setSubtitleLabel(const std::shared_ptr<ui::Label>& label) {
  subtitleLabel_ = label;
  label->setText("");
  label->setTextColor(colorScheme()->detailSubtitleColor());
}

void DefaultOfwDetailViewController::setDescWrapper(const std::shared_ptr<ui::View>& view) {
  descWrapper_ = view;
  view->setBackgroundColor(colorScheme()->detailConditionWrapperBackgroundColor());
  view->layer().setCornerRadius(dimension()->detailConditionWrapperCornerRadius());
}

void DefaultOfwDetailViewController::setConditionLabel(const std::shared_ptr<ui::Label>& label) {
  conditionLabel_ = label;
  label->setText("");
  label->setTextColor(colorScheme()->detailConditionTextColor());
}

void DefaultOfwDetailViewController::setNestedContactButton(const std::shared_ptr<ui::Button>& button) {
  nestedContactButton_ = button;
  button->layer().setCornerRadius(config_->callToActionButtonRadius());
  button->layer().setBorderWidth(1.0);
  button->layer().setBorderColor(colorFromHex("#E5E5E5"));
  button->titleLabel()->setFont(VelkorOfwText::regularFont(16));
  button->setTitleColor(colorFromHex("#545454"), ui::ControlState::normal);
  // With no reward types yet the name reads as empty rather than failing.
  button->setTitle("참여했는데 " + RewardType::primary().name + "를 못 받았어요", ui::ControlState::normal);
  button->addAction(ui::ControlEvent::touchUpInside, [weak = weak_from_this()] {
    if (auto screen = std::static_pointer_cast<DefaultOfwDetailViewController>(weak.lock())) screen->moveToContact();
  });
}

void DefaultOfwDetailViewController::setNoticeWrapper(const std::shared_ptr<ui::View>& view) {
  noticeWrapper_ = view;
  view->setBackgroundColor(colorScheme()->detailNoticeWrapperBackgroundColor());
}

void DefaultOfwDetailViewController::setNoticeHeaderLabel(const std::shared_ptr<ui::Label>& label) {
  noticeHeaderLabel_ = label;
  label->setTextColor(colorScheme()->detailNoticeHeaderTextColor());
}

void DefaultOfwDetailViewController::setNoticeImage(const std::shared_ptr<ui::ImageView>& view) { noticeImage_ = view; }

void DefaultOfwDetailViewController::setNoticeDescWrapper(const std::shared_ptr<ui::View>& view) {
  noticeDescWrapper_ = view;
  view->setBackgroundColor(colorScheme()->detailNoticeDescriptionWrapperBackgroundColor());
}

void DefaultOfwDetailViewController::setDescHeaderLabel(const std::shared_ptr<ui::Label>& label) {
  descHeaderLabel_ = label;
  label->setTextColor(colorScheme()->detailNoticeDescriptionHeaderTextColor());
}

void DefaultOfwDetailViewController::setDescriptionLabel(const std::shared_ptr<ui::Label>& label) {
  descriptionLabel_ = label;
  label->setText("");
  label->setTextColor(colorScheme()->detailNoticeDescriptionTextColor());
}

void DefaultOfwDetailViewController::setFixedBottomGradientView(const std::shared_ptr<ui::View>& view) {
  fixedBottomGradientView_ = view;
  view->setBackgroundColor(ui::Color::clear());
  applyBottomGradient();
}

void DefaultOfwDetailViewController::setFixedBottomViewWrapper(const std::shared_ptr<ui::View>& view) {
  fixedBottomViewWrapper_ = view;
  view->setBackgroundColor(colorScheme()->detailFixedBottomBackgroundColor());
}

void DefaultOfwDetailViewController::setSubmitButton(const std::shared_ptr<ui::Button>& button) {
  submitButton_ = button;
  button->setBackgroundColor(colorScheme()->detailCtaButtonEnableColor());
  button->layer().setCornerRadius(config_->callToActionButtonRadius());
  button->layer().setBorderWidth(0);
  button->layer().setBorderColor(colorScheme()->detailCtaButtonBorderEnableColor());
}

void DefaultOfwDetailViewController::setNoticeImageLine(const std::shared_ptr<ui::View>& view) { noticeImageLine_ = view; }

void DefaultOfwDetailViewController::setDetailCTAButtonBottomConstraint(const std::shared_ptr<ui::Constraint>& c) {
  detailCTAButtonBottomConstraint_ = c;
  c->setConstant(dimension()->detailCTAButtonBottomMargin());
}

// From transparent at the top edge to opaque at the bottom, over whatever the page scrolls beneath.
void DefaultOfwDetailViewController::applyBottomGradient() {
  auto view = fixedBottomGradientView();
  auto* gradient = view ? dynamic_cast<ui::GradientLayer*>(&view->layer()) : nullptr;
  if (!gradient) return;
  const ui::Color color = colorScheme()->detailFixedBottomGradientColor();
  gradient->setColors({color.withAlphaComponent(0.0), color.withAlphaComponent(1.0)});
  gradient->setStartPoint({0, 0});
  gradient->setEndPoint({0, 1});
}

// --- life cycle ------------------------------------------------------------------------------------

void DefaultOfwDetailViewController::viewDidLoad() {
  OfwBaseViewController::viewDidLoad();
  view()->setBackgroundColor(colorScheme()->detailBackgroundColor());
  if (auto button = nestedContactButton()) button->setHidden(!config_->nestedContactButtonIsVisible());
  if (!isOsVersionAtLeast("13.0")) return;
  const ui::UserInterfaceStyle style = Velkor::shared().overrideUserInterfaceStyle();
  view()->setOverrideUserInterfaceStyle(style);
  auto* navigation = ui::ViewController::navigationController();
  if (!navigation) return;
  ui::NavigationBar& bar = navigation->navigationBar();
  bar.setBarStyle(ui::BarStyle::defaultStyle);
  bar.setOverrideUserInterfaceStyle(style);
  bar.setBarTintColor(colorFromHex("#ffffff"));
  if (!dynamic_cast<VelkorNavigationBar*>(&bar)) return;
  bar.setTintColor(colorFromHex("#ffffff"));
  ui::NavigationBarAppearance appearance;
  appearance.configureWithOpaqueBackground();
  appearance.shadowColor = ui::Color::clear();
  appearance.shadowImage = std::nullopt;
  appearance.backgroundColor = colorScheme()->overrideColor("navigationBackgroundColor").value_or(ui::Color::systemBackground());
  bar.setStandardAppearance(appearance);
  bar.setScrollEdgeAppearance(appearance);
}

void DefaultOfwDetailViewController::viewWillAppear(bool animated) {
  OfwBaseViewController::viewWillAppear(animated);
  // Absent or empty, as the call-to-action tests it: a login asked for either resumes here.
  if (UserProfile::uid().value_or("").empty()) Velkor::shared().setLoginDelegate(self());
  renderAd();
  styleNavigationBar();
  auto& center = base::NotificationCenter::defaultCenter();
  std::weak_ptr<ui::ViewController> weak = weak_from_this();
  auto on = [weak](void (DefaultOfwDetailViewController::*action)()) {
    return [weak, action](const base::Notification&) {
      if (auto screen = std::static_pointer_cast<DefaultOfwDetailViewController>(weak.lock())) ((*screen).*action)();
    };
  };
  foregroundObservation_ = center.addObserver(ui::Application::kWillEnterForegroundNotification,
                                              on(&DefaultOfwDetailViewController::appMovedToForeground));
  backgroundObservation_ = center.addObserver(ui::Application::kDidEnterBackgroundNotification,
                                              on(&DefaultOfwDetailViewController::appMovedToBackground));
  reloadData(clicked_ ? std::string("refresh") : from_, true);
  clicked_ = true;
  if (timer_) timer_->invalidate();
  timer_ = dispatch::Timer::scheduled(
      dispatch::Seconds(1.0), true,
      [weak](dispatch::Timer&) {
        if (auto screen = std::static_pointer_cast<DefaultOfwDetailViewController>(weak.lock())) screen->updateDisplay();
      },
      dispatch::RunLoopMode::Common);
}

void DefaultOfwDetailViewController::styleNavigationBar() {
  auto* navigation = ui::ViewController::navigationController();
  auto* bar = navigation ? dynamic_cast<VelkorNavigationBar*>(&navigation->navigationBar()) : nullptr;
  if (!bar) return;
  navigationItem().setHidesBackButton(true, false);
  std::weak_ptr<ui::ViewController> weak = weak_from_this();
  if (auto back = bar->backBarButton()) {
    showBarButton(*back, [weak] {
      if (auto screen = std::static_pointer_cast<DefaultOfwDetailViewController>(weak.lock())) screen->backButtonClicked();
    });
    if (auto* parent = back->superview()) parent->bringSubviewToFront(*back);
  }
  if (auto closeButton = bar->closeButton()) closeButton->setHidden(true);
  if (auto help = bar->helpButton()) {
    showBarButton(*help, [weak] {
      if (auto screen = std::static_pointer_cast<DefaultOfwDetailViewController>(weak.lock())) screen->moveToContact();
    });
  }
}

void DefaultOfwDetailViewController::viewDidAppear(bool animated) {
  OfwBaseViewController::viewDidAppear(animated);
  if (config_->enableATTPresentingWhenFirstRun() && isOsVersionAtLeast("14.5")) {
    privacy::Tracking::requestAuthorization([](privacy::TrackingStatus) {});
  }
}

void DefaultOfwDetailViewController::viewWillDisappear(bool animated) {
  OfwBaseViewController::viewWillDisappear(animated);
  if (timer_) timer_->invalidate();
  foregroundObservation_ = {};
  backgroundObservation_ = {};
}

void DefaultOfwDetailViewController::viewDidLayoutSubviews() {
  OfwBaseViewController::viewDidLayoutSubviews();
  applyBottomGradient();
  // The page scrolls over the whole of its content.
  if (auto content = contentView()) {
    if (auto* scroll = dynamic_cast<ui::ScrollView*>(content->superview())) scroll->setContentSize(content->frame().size);
  }
}

void DefaultOfwDetailViewController::traitCollectionDidChange(const ui::TraitCollection& previous) {
  OfwBaseViewController::traitCollectionDidChange(previous);
  renderAd();
}

void DefaultOfwDetailViewController::updateDisplay() {
  if (!currentAd_) return;
  const Ad ad = *currentAd_;
  ui::View::performWithoutAnimation([&] { updateDetailCtaButton(ad); });
}

void DefaultOfwDetailViewController::appMovedToForeground() { reloadData("refresh::background", true); }

void DefaultOfwDetailViewController::appMovedToBackground() {
  auto& core = VelkorInternal::shared();
  core.trackingRepository()->flush();
  core.repository()->setCacheIsDirty(true);
  core.repository()->setPlacementCacheIsDirty(true);
}

// --- loading ---------------------------------------------------------------------------------------

void DefaultOfwDetailViewController::reloadData(std::string from, bool) {
  if (!presenter_) return;
  showLoadingIndicator();
  std::weak_ptr<ui::ViewController> weak = weak_from_this();
  auto screen = [weak] { return std::static_pointer_cast<DefaultOfwDetailViewController>(weak.lock()); };
  VelkorApiClient::getAdDetail(
      presenter_->adId(), std::move(from),
      [screen](Ad ad) {
        auto self = screen();
        if (!self) return;
        self->hideLoadingIndicator();
        self->currentAd_ = std::move(ad);
        self->renderAd();
        self->removeNetworkErrorView();
      },
      [screen](Error error) {
        auto self = screen();
        if (!self) return;
        self->hideLoadingIndicator();
        if (const auto& refusal = error.velkorError()) {
          self->showAlert(refusal->message.value_or(""));
        } else {
          self->showNetworkError(true);
        }
      });
}

void DefaultOfwDetailViewController::removeNetworkErrorView() {
  if (!networkErrorView_) return;
  networkErrorView_->removeFromSuperview();
  networkErrorView_.reset();
}

void DefaultOfwDetailViewController::showNetworkError(bool) {
  removeNetworkErrorView();
  auto errorView = DependencyContainer().makeNetworkErrorView();
  if (!errorView) return;
  networkErrorView_ = errorView;
  errorView->retryButton()->addAction(ui::ControlEvent::touchUpInside, [weak = weak_from_this()] {
    if (auto screen = std::static_pointer_cast<DefaultOfwDetailViewController>(weak.lock())) screen->refresh();
  });
  const auto& root = view();
  root->addSubview(errorView);
  pinEdges(*errorView, *root);
}

void DefaultOfwDetailViewController::showAlert(const std::string& message, std::optional<std::int64_t> code) {
  OfwBaseViewController::showAlert(message, code ? std::optional<long>(*code) : std::nullopt);
}

// --- actions ---------------------------------------------------------------------------------------

void DefaultOfwDetailViewController::paricipate() {
  if (!UserProfile::uid().value_or("").empty()) {
    if (presenter_) presenter_->sendParticipate();
    return;
  }
  lastActionName_ = kParticipateAction;
  if (auto delegate = VelkorInternal::shared().delegate()) delegate->requestLogin(self());
}

void DefaultOfwDetailViewController::moveToContact() {
  lastActionName_ = kShowHelpAction;
  if (presenter_) presenter_->moveToContact();
}

void DefaultOfwDetailViewController::success() {
  const std::optional<std::string> action = std::exchange(lastActionName_, std::nullopt);
  if (action == kParticipateAction) {
    if (presenter_) presenter_->sendParticipate();
  } else if (action == kShowHelpAction) {
    if (presenter_) presenter_->moveToContact();
  } else {
    reloadData("refresh", true);
  }
}

void DefaultOfwDetailViewController::backButtonClicked() {
  if (presenter_) presenter_->backButtonClicked();
}

void DefaultOfwDetailViewController::refresh() { reloadData("reload", true); }

void DefaultOfwDetailViewController::close() {
  if (auto* navigation = ui::ViewController::navigationController()) navigation->popViewController(true);
}

}  // namespace velkor
