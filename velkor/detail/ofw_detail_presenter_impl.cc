#include "velkor/detail/ofw_detail_presenter_impl.h"

#include <utility>

#include "platform/base/date.h"
#include "platform/base/url_components.h"
#include "platform/dispatch/queue.h"
#include "platform/privacy/tracking.h"
#include "platform/ui/device.h"
#include "platform/ui/navigation_controller.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/core/contact_page.h"
#include "velkor/core/dependency_container.h"
#include "velkor/core/host_ad_actions.h"
#include "velkor/core/os_version_gate.h"
#include "velkor/core/text_replace.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_offerwall_delegate.h"
#include "velkor/network/constants.h"
#include "velkor/network/velkor_api_client.h"
#include "velkor/offerwall/list/ofw_link_router.h"
#include "velkor/offerwall/pager/ofw_list_pager_view.h"
#include "velkor/web/ofw_in_app_browser_view_controller.h"
#include "velkor/web/web_address.h"

namespace velkor {
namespace {

constexpr std::string_view kChildAdPrefix = "velkor://offerwall/ads/";
constexpr std::string_view kListPrefix = "velkor://offerwall/ads";

// The ad id after the child-ad prefix, read as every offerwall link's ad id is; else -1.
std::int64_t childAdId(const std::string& landing) {
  return OfwLinkRouter::parseAdId(replacingOccurrences(landing, kChildAdPrefix, "")).value_or(-1);
}

std::optional<std::string> firstQueryValue(const std::optional<base::UrlComponents>& components,
                                           std::string_view name) {
  if (!components) return std::nullopt;
  for (const auto& item : components->queryItems().value_or(std::vector<base::QueryItem>{})) {
    if (item.name == name) return item.value;
  }
  return std::nullopt;
}

}  // namespace

OfwDetailPresenterImpl::OfwDetailPresenterImpl(const std::shared_ptr<OfwDetailView>& view, std::int64_t adId)
    : view_(view), adId_(adId) {}

std::shared_ptr<AdRepository> OfwDetailPresenterImpl::repository() const { return VelkorInternal::shared().repository(); }

std::optional<Ad> OfwDetailPresenterImpl::currentAd() const {
  auto screen = view();
  return screen ? screen->currentAd() : std::nullopt;
}

std::string OfwDetailPresenterImpl::soldOutMessage(const std::string& rewardName) {
  return "준비된 수량이 모두 소진되었습니다.\n" + rewardName + " 준비가 완료되면\n다시 참여하실 수 있습니다.";
}

void OfwDetailPresenterImpl::sendParticipate() {
  auto screen = view();
  const auto ad = currentAd();
  if (!screen || !ad) return;
  const double now = base::Date::now().timeIntervalSince1970();
  if (now - timestamp_ <= kDebounce) return;
  timestamp_ = now;
  const bool appAd = ad->adActionTypeId == static_cast<std::int64_t>(AdActionType::app);
  if (appAd && isOsVersionAtLeast("14.0") && ui::Device::current().isPhoneAppOnDesktop) {
    screen->showAlert(kUnsupportedDevice);
  } else if (ad->isCompleted()) {
    screen->showAlert(kAlreadyParticipated);
  } else if (ad->adStatus() == AdStatus::exceedTimeCap) {
    screen->showAlert(soldOutMessage(ad->rewardType().name), kSoldOutCode);
  } else if (appAd && isOsVersionAtLeast("14.5")) {
    // The answer comes on the global queue; participation goes on on the main queue.
    privacy::Tracking::requestAuthorization([weak = weak_from_this()](privacy::TrackingStatus) {
      dispatch::main()->async([weak] {
        if (auto self = weak.lock()) self->doParticipate();
      });
    });
  } else {
    doParticipate();
  }
}

void OfwDetailPresenterImpl::doParticipate() {
  auto screen = view();
  const auto ad = currentAd();
  if (!screen || !ad) return;
  screen->showLoadingIndicator();
  auto weak = weak_from_this();
  VelkorApiClient::participate(
      ad->id, [weak, ad = *ad](ParticipateResult result) { handleParticipateResult(weak, result, ad); },
      [weak](Error error) { handleParticipateError(weak, error); });
}

void OfwDetailPresenterImpl::handleParticipateResult(const std::weak_ptr<OfwDetailPresenterImpl>& weak,
                                                     const ParticipateResult& result, const Ad& ad) {
  // The server issued the click key: its postback goes out even when the screen has gone meanwhile,
  // and before the landing is looked at.
  std::shared_ptr<PostbackTask> task;
  if (result.completeDelayTime) task = schedulePostback(result.clickKey, *result.completeDelayTime);
  auto self = weak.lock();
  if (!self) return;
  if (task) self->backgroundTask_ = task;
  auto screen = self->view();
  if (screen) screen->hideLoadingIndicator();
  auto url = landingUrl(result.landingUrl);
  if (!url) {
    if (auto delegate = VelkorInternal::shared().delegate(); delegate && url.error().velkorError()) {
      delegate->participateFailure(*url.error().velkorError());
    }
    return;
  }
  if (!screen) return;
  if (result.dialog && result.dialog->message) {
    screen->showLandingDialog(*result.dialog);
    return;
  }
  self->openLanding(result.landingUrl, *url, ad);
}

void OfwDetailPresenterImpl::openLanding(const std::string& landing, const base::Url& url, const Ad& ad) {
  auto screen = view();
  if (ad.landingType == LandingType::inAppBrowser) {
    // As received when it is an address; repaired when it needed the repair.
    auto browser = DependencyContainer().makeInAppBrowserViewController(
        base::Url::parse(landing) ? landing : url.absoluteString(), ad.title);
    if (auto* navigation = screen->navigationController(); navigation && browser) {
      navigation->pushViewController(browser, true);
    }
  } else if (landing.starts_with(kChildAdPrefix)) {
    openChildAd(landing);
  } else if (landing.starts_with(kListPrefix)) {
    openListDeepLink(landing);
  } else {
    openInSystem(url);
  }
}

void OfwDetailPresenterImpl::openChildAd(const std::string& landing) {
  auto screen = view();
  screen->showLoadingIndicator();
  const std::int64_t id = childAdId(landing);
  std::weak_ptr<OfwDetailView> weakView = screen;
  VelkorApiClient::findChildAd(id, [weakView, id](Result<std::int64_t> found) {
    const std::int64_t target = found ? *found : id;
    dispatch::main()->async([weakView, target] {
      auto screen = weakView.lock();
      if (!screen) return;
      screen->hideLoadingIndicator();
      auto* navigation = screen->navigationController();
      if (!navigation) return;
      auto detail = DependencyContainer().makeOfferwallDetailViewController(target, "ad_detail");
      if (!detail) return;
      auto stack = navigation->viewControllers();
      if (stack.empty()) {
        stack.push_back(detail.controller);
      } else {
        stack.back() = detail.controller;
      }
      navigation->setViewControllers(std::move(stack), false);
    });
  });
  screen->hideLoadingIndicator();
}

void OfwDetailPresenterImpl::openListDeepLink(const std::string& landing) {
  const auto components = base::UrlComponents::parse(landing);
  const std::string tab = firstQueryValue(components, "tab_slug").value_or("all");
  const std::optional<std::string> tag = firstQueryValue(components, "tag_slug");
  dispatch::main()->async([weakView = view_, tab, tag] {
    auto screen = weakView.lock();
    auto* navigation = screen ? screen->navigationController() : nullptr;
    if (!navigation) return;
    auto pager = DependencyContainer().makeOfferwallListViewController();
    if (!pager) return;
    pager.view->changeTab(tab, tag);
    navigation->setViewControllers({pager.controller}, false);
  });
}

void OfwDetailPresenterImpl::handleParticipateError(const std::weak_ptr<OfwDetailPresenterImpl>& weak,
                                                    const Error& error) {
  auto self = weak.lock();
  auto screen = self ? self->view() : nullptr;
  if (screen) screen->hideLoadingIndicator();
  auto delegate = VelkorInternal::shared().delegate();
  const auto& refusal = error.velkorError();
  if (!refusal) {
    if (screen) screen->showNetworkError(true);
    if (delegate) delegate->error(error);
    return;
  }
  if (screen) screen->reloadData("refresh", true);
  if (delegate) delegate->participateFailure(*refusal);
  if (!screen) return;
  const std::string message = refusal->message.value_or("");
  if (refusal->dialog && refusal->dialog->message) {
    screen->showDialog(*refusal->dialog);
  } else if (refusal->code == kServerAlertCode) {
    screen->showAlert(message, kServerAlertCode);
  } else {
    screen->showAlert(message);
  }
}

void OfwDetailPresenterImpl::stop() {
  if (backgroundTask_) backgroundTask_->end();
}

void OfwDetailPresenterImpl::generateShortLink(std::function<void(Result<std::string>)> completion) {
  if (auto screen = view()) screen->showLoadingIndicator();
  // The presenter is held until the answer is on the main queue, and let go there only.
  VelkorApiClient::createShareLink(
      adId_, true, [self = shared_from_this(), completion](Result<std::string> link) mutable {
        dispatch::main()->async([self = std::move(self), completion = std::move(completion), link = std::move(link)] {
          if (auto screen = self->view()) screen->hideLoadingIndicator();
          if (completion) completion(link);
        });
      });
}

void OfwDetailPresenterImpl::moveToContact() { openContact(Constants::contactURL()); }

void OfwDetailPresenterImpl::moveToContact(std::string url) { openContact(url); }

void OfwDetailPresenterImpl::openContact(const std::string& address) {
  auto screen = view();
  showContactPage(screen ? screen->navigationController() : nullptr, address);
}

void OfwDetailPresenterImpl::backButtonClicked() {
  auto screen = view();
  if (auto* navigation = screen ? dynamic_cast<OfwNavigationController*>(screen->navigationController()) : nullptr) {
    navigation->backButtonClicked();
  }
}

}  // namespace velkor
