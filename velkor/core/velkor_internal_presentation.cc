// The one way into the offerwall's screens: the facade's presentOfferwall variants, native-ad taps
// and the offerwall web pages' commands all end here, as does the help page.
#include <string_view>

#include "platform/base/log.h"
#include "platform/dispatch/main_loop.h"
#include "platform/dispatch/queue.h"
#include "platform/ui/animation.h"
#include "platform/ui/application.h"
#include "platform/ui/window.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/components/ofw_base_view_controller.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/components/velkor_alert_controller.h"
#include "velkor/components/velkor_transition_manager.h"
#include "velkor/core/current_info.h"
#include "velkor/core/dependency_container.h"
#include "velkor/core/native_ad.h"
#include "velkor/core/native_ad_tap_gesture.h"
#include "velkor/core/uri_handler.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_session.h"
#include "velkor/network/ad_repository.h"
#include "velkor/network/constants.h"
#include "velkor/network/velkor_api_client.h"
#include "velkor/offerwall/pager/ofw_list_pager_view.h"
#include "velkor/resources/framework_nibs.h"
#include "velkor/web/ofw_detail_web_view_controller.h"
#include "velkor/web/shared_webview_view_controller.h"
#include "velkor/web/top_view_controller.h"

namespace velkor {
namespace {

using Stack = std::vector<std::shared_ptr<ui::ViewController>>;

constexpr const char* kAll = "all";
constexpr const char* kDeeplink = "deeplink";
constexpr std::string_view kOfferwallLinkPrefix = "velkor://offerwall";
constexpr const char* kUnavailableAdMessage = "참여할 수 없는 광고입니다.";
constexpr const char* kAlertNibName = "VelkorAlertController";
constexpr const char* kNoTopScreenMessage = "최상위 뷰 컨트롤러를 찾을 수 없습니다.";

// True on the main thread; otherwise the work is posted there and false is returned.
bool onMainThread(std::function<void()> work) {
  if (dispatch::main_loop::isMainThread()) return true;
  dispatch::main()->async(std::move(work));
  return false;
}

// The pager loads fresh ads.
void clearCache() {
  const auto& repository = VelkorInternal::shared().repository();
  repository->localDataSource()->clear();
  repository->setCacheIsDirty(true);
  repository->setPlacementCacheIsDirty(true);
}

void install(const std::shared_ptr<OfwNavigationController>& navigation, Stack stack) {
  navigation->setViewControllers(std::move(stack));
  VelkorInternal::shared().setNavigationController(navigation);
}

// A change of screen on the presenter's window; none without a window.
void addWindowTransition(ui::ViewController& presenter, const ui::Transition& transition) {
  if (auto* window = presenter.view()->window()) window->layer().add(transition, ui::kTransitionAnimationKey);
}

ui::Transition pushFromRight(double duration, ui::TimingFunction timing) {
  ui::Transition transition;
  transition.type = ui::Transition::Type::push;
  transition.subtype = ui::Transition::Subtype::fromRight;
  transition.duration = duration;
  transition.timingFunction = timing;
  return transition;
}

// The push of a deep-linked detail: 0.7 s, easing out hard.
void addDetailPush(ui::ViewController& presenter) {
  addWindowTransition(presenter, pushFromRight(0.7, ui::TimingFunction::controlPoints(0.3, 1.0, 0.3, 1.0)));
}

// What one presentation with an ad id carries from the request to the lookup's answer. Its screens
// are let go on the main thread, wherever the last answer was dropped.
struct AdPresentation {
  std::shared_ptr<ui::ViewController> from;
  std::shared_ptr<OfwNavigationController> navigation;
  Stack stack;
  bool keepParent = false;
  bool animated = false;
  bool pushAnimation = false;
  std::function<void()> completion;

  void complete() {
    if (auto done = std::exchange(completion, nullptr)) done();
  }
};

std::shared_ptr<AdPresentation> makeAdPresentation(AdPresentation presentation) {
  return std::shared_ptr<AdPresentation>(new AdPresentation(std::move(presentation)), [](AdPresentation* doomed) {
    if (dispatch::main_loop::isMainThread()) {
      delete doomed;
    } else {
      dispatch::main()->async([doomed] { delete doomed; });
    }
  });
}

// Installs the stack and presents it, with the detail push when asked for; an empty stack (a maker
// that gave none) shows nothing.
void presentStack(AdPresentation& presentation, std::function<void()> whenShown) {
  if (presentation.stack.empty()) return presentation.complete();
  install(presentation.navigation, presentation.stack);
  if (presentation.pushAnimation) addDetailPush(*presentation.from);
  presentation.from->present(presentation.navigation, presentation.animated, std::move(whenShown));
}

// The ad's own detail screen for an offerwall link, else the detail web page at its address.
std::shared_ptr<ui::ViewController> detailScreenFor(const Ad& ad, std::int64_t adId) {
  DependencyContainer factory;
  if (std::string_view(ad.viewUrl).starts_with(kOfferwallLinkPrefix)) {
    return factory.makeOfferwallDetailViewController(adId, kDeeplink).controller;
  }
  if (!base::Url::parse(ad.viewUrl)) return nullptr;
  auto page = factory.makeDetailWebViewController();
  if (!page) return nullptr;
  page->setWebViewURL(UriHandler::buildUrl(ad.viewUrl));
  page->setNavigationTitle(ad.viewItemsInfo && ad.viewItemsInfo->titleBar ? *ad.viewItemsInfo->titleBar : "");
  return page;
}

void showAdDetail(const std::shared_ptr<AdPresentation>& presentation, const Ad& ad, std::int64_t adId) {
  auto screen = detailScreenFor(ad, adId);
  if (!screen) return presentation->complete();
  presentation->stack.push_back(std::move(screen));
  presentStack(*presentation, [presentation] { presentation->complete(); });
}

// The SDK's alert over the host's screen, faded in on its window.
void showUnavailableAlert(const std::shared_ptr<AdPresentation>& presentation) {
  auto alert = frameworkNibs().instantiate<VelkorAlertController>(kAlertNibName);
  if (!alert) return presentation->complete();
  const auto colorScheme = VelkorInternal::shared().colorScheme();
  alert->loadViewIfNeeded();
  if (auto label = alert->messaageLabel()) label->setText(kUnavailableAdMessage);
  if (auto submit = alert->submitButton()) {
    submit->setTitleColor(colorScheme->onPrimaryColor(), ui::ControlState::normal);
    submit->setBackgroundColor(colorScheme->primaryColor());
  }
  alert->setModalPresentationStyle(ui::ModalPresentationStyle::overCurrentContext);
  ui::Transition fade;
  fade.duration = 0.1;
  fade.timingFunction = ui::TimingFunction::named(ui::TimingFunction::Name::easeInEaseOut);
  addWindowTransition(*presentation->from, fade);
  presentation->from->present(alert, false, [presentation] { presentation->complete(); });
}

// The pager, and the alert inside it once it is on screen.
void showPagerWithAlert(const std::shared_ptr<AdPresentation>& presentation) {
  presentStack(*presentation, [presentation] {
    auto* top = presentation->navigation->topViewController();
    if (auto* screen = dynamic_cast<OfwBaseViewController*>(top)) screen->showAlert(kUnavailableAdMessage);
    presentation->complete();
  });
}

void lookUpAd(std::shared_ptr<AdPresentation> presentation, std::int64_t adId) {
  VelkorApiClient::getAdDetail(
      adId, kDeeplink,
      [presentation, adId](Ad ad) { showAdDetail(presentation, ad, adId); },
      [presentation](Error) {
        // An unpresented stack is not kept as the offerwall: one on screen stays closable.
        if (presentation->keepParent) {
          showPagerWithAlert(presentation);
        } else {
          showUnavailableAlert(presentation);
        }
      });
}

}  // namespace

std::shared_ptr<ui::NavigationController> VelkorInternal::navigationController() const {
  std::lock_guard guard(mutex_);
  return navigationController_.lock();
}

void VelkorInternal::setNavigationController(const std::shared_ptr<ui::NavigationController>& navigationController) {
  std::lock_guard guard(mutex_);
  navigationController_ = navigationController;
}

void VelkorInternal::presentOfferwall(std::shared_ptr<ui::ViewController> from, std::optional<std::int64_t> adId,
                                      bool keepParent, std::optional<std::string> tabSlug,
                                      std::optional<std::string> tagSlug, bool animated,
                                      std::function<void()> completion) {
  if (!onMainThread([=, this] { presentOfferwall(from, adId, keepParent, tabSlug, tagSlug, animated, completion); })) {
    return;
  }
  setSession(std::make_shared<VelkorSession>());
  checkTermsAgreement();
  if (debugEnabled()) printCurrentInfo();

  auto navigation = DependencyContainer().makeNavigationController();
  auto pager = DependencyContainer().makeOfferwallListViewController();
  const std::string tab = tabSlug.value_or(kAll);
  const std::string tag = tagSlug.value_or(kAll);
  if (pager) pager.view->changeTab(tab, tag);
  const bool pushAnimation = config()->enablePushAnimation();
  AdPresentation presentation{from, navigation, {}, keepParent, animated || pushAnimation, pushAnimation,
                              std::move(completion)};
  if (!from) {
    base::logError("presentOfferwall: no screen to present from");
    return presentation.complete();
  }

  if (!adId) {
    clearCache();
    if (!pager) return presentation.complete();
    install(navigation, {pager.controller});
    if (pushAnimation) {
      navigation->setModalPresentationStyle(ui::ModalPresentationStyle::custom);
      navigation->setModalPresentationCapturesStatusBarAppearance(true);
      navigation->setTransitioningDelegate(transitionManager());
    }
    from->present(navigation, presentation.animated, std::move(presentation.completion));
    return;
  }

  if (keepParent) {
    clearCache();
    if (pager) presentation.stack.push_back(pager.controller);
  }
  session()->openRequest(tab, tag);
  auto shared = makeAdPresentation(std::move(presentation));
  if (!config()->enableChildAdSearch()) return lookUpAd(std::move(shared), *adId);
  // The child's answer comes on the network's queue; the lookup answers on the main queue.
  VelkorApiClient::findChildAd(*adId, [shared = std::move(shared), adId = *adId](Result<std::int64_t> child) mutable {
    lookUpAd(std::move(shared), child.ok() ? child.value() : adId);
  });
}

void VelkorInternal::dismissOfferwall(bool animated, std::function<void(bool)> completion) {
  if (!onMainThread([this, animated, completion] { dismissOfferwall(animated, completion); })) return;
  auto navigation = std::dynamic_pointer_cast<OfwNavigationController>(navigationController());
  if (!navigation || navigation->viewControllers().empty()) {
    if (completion) completion(false);
    return;
  }
  if (completion) completion(true);
  navigation->setDismissForce(true);
  navigation->dismiss(animated);
}

void VelkorInternal::showHelp(std::shared_ptr<ui::ViewController> from) {
  if (!onMainThread([this, from] { showHelp(from); })) return;
  if (!from) return base::logError("showHelp: no screen to present from");
  auto page = DependencyContainer().makeContractViewController();
  if (!page) return;
  page->setWebViewURL(UriHandler::buildUrl(Constants::contactURL()));
  auto navigation = DependencyContainer().makeNavigationController();
  install(navigation, {page});
  if (!config()->enablePushAnimation()) return from->present(navigation, true);
  // Without a window there is nothing to slide; the page still comes up at once.
  addWindowTransition(*from, pushFromRight(0.5, ui::TimingFunction::named(ui::TimingFunction::Name::easeInEaseOut)));
  from->present(navigation, false);
}

void VelkorInternal::registerNativeAd(std::shared_ptr<NativeAd> ad, std::shared_ptr<ui::View> view) {
  if (!view) return base::logError("registerNativeAd: no view given");
  dispatch::main()->async([this, ad = std::move(ad), view = std::move(view)] {
    auto gesture =
        std::make_shared<NativeAdTapGesture>(this, [this](ui::GestureRecognizer& sender) { tapNativeAd(sender); });
    gesture->setNativeAd(ad);
    ui::addGestureRecognizer(*view, std::move(gesture));
  });
}

void VelkorInternal::tapNativeAd(ui::GestureRecognizer& gesture) {
  if (gesture.state() != ui::GestureRecognizerState::ended) return;
  const auto window = ui::Application::shared().keyWindow();
  auto top = topViewController(window ? window->rootViewController() : nullptr);
  if (!top) return base::console(kNoTopScreenMessage);
  std::optional<std::int64_t> adId;
  if (auto* tap = dynamic_cast<NativeAdTapGesture*>(&gesture); tap && tap->nativeAd()) adId = tap->nativeAd()->id();
  presentOfferwall(std::move(top), adId, false, std::nullopt, std::nullopt, true, {});
}

void VelkorInternal::closeTopScreen() {
  if (auto navigation = navigationController()) popOrDismiss(*navigation);
}

}  // namespace velkor
