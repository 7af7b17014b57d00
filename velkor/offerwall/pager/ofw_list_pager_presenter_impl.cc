#include "velkor/offerwall/pager/ofw_list_pager_presenter_impl.h"

#include <algorithm>

#include "platform/base/url.h"
#include "platform/ui/application.h"
#include "platform/ui/navigation_controller.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/core/contact_page.h"
#include "velkor/core/dependency_container.h"
#include "velkor/core/uri_handler.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_offerwall_delegate.h"
#include "velkor/core/velkor_session.h"
#include "velkor/network/ad_repository.h"
#include "velkor/network/constants.h"
#include "velkor/network/velkor_api_client.h"
#include "velkor/offerwall/list/ad_ordering.h"
#include "velkor/offerwall/list/reward_totals.h"
#include "velkor/offerwall/pager/popup_selection.h"
#include "velkor/web/ofw_detail_web_view_controller.h"
#include "velkor/web/web_address.h"

namespace velkor {
namespace {

const Tab* tabWithSlug(const std::vector<Tab>& tabs, const std::string& slug) {
  auto found = std::find_if(tabs.begin(), tabs.end(), [&slug](const Tab& tab) { return tab.slug == slug; });
  return found == tabs.end() ? nullptr : &*found;
}

bool tabHasTag(const Tab& tab, const std::string& slug) {
  return std::any_of(tab.tags.begin(), tab.tags.end(), [&slug](const Tag& tag) { return tag.slug == slug; });
}

}  // namespace

OfwListPagerPresenterImpl::OfwListPagerPresenterImpl(const std::shared_ptr<OfwListPagerView>& view) : view_(view) {}

std::shared_ptr<AdRepository> OfwListPagerPresenterImpl::repository() const {
  return VelkorInternal::shared().repository();
}

std::int64_t OfwListPagerPresenterImpl::rewards() const { return accumulableRewards(ads_); }

bool OfwListPagerPresenterImpl::cacheIsDirty() const { return repository()->cacheIsDirty(); }

void OfwListPagerPresenterImpl::setCacheIsDirty(bool dirty) { repository()->setCacheIsDirty(dirty); }

void OfwListPagerPresenterImpl::reloadData(std::string from) {
  auto screen = view();
  if (!screen) return;
  screen->showLoadingIndicator();
  std::weak_ptr<OfwListPagerPresenterImpl> weak = weak_from_this();
  // The prepare view is asked for once per presenter, after the first load that succeeds.
  auto prepare = [weak] {
    auto self = weak.lock();
    if (!self || VelkorInternal::shared().config()->prepareViewHidden() || self->parepareShown_) return;
    if (auto screen = self->view()) screen->showPrepareView();
    self->parepareShown_ = true;
  };
  screen->beforeAction([weak, from = std::move(from), prepare](std::int64_t rewards) {
    if (auto self = weak.lock()) self->requestAdList(from, rewards, prepare);
  });
}

void OfwListPagerPresenterImpl::requestAdList(std::string from, std::int64_t withRewards,
                                              std::function<void()> completion) {
  (void)withRewards;
  VelkorInternal::shared().session()->clear();
  std::weak_ptr<OfwListPagerPresenterImpl> weak = weak_from_this();
  repository()->getAdsWithBannersAndPopups(
      std::move(from),
      [weak, completion](AdArray ads, std::vector<Tab> tabs, std::vector<Banner>, std::vector<Popup> popups) {
        if (auto self = weak.lock()) self->loadSucceeded(std::move(ads), std::move(tabs), std::move(popups), completion);
      },
      [weak](Error error) {
        auto self = weak.lock();
        auto screen = self ? self->view() : nullptr;
        if (screen) screen->hideLoadingIndicator();
        // The host hears of the failure even when the pager has gone.
        if (auto delegate = VelkorInternal::shared().delegate()) delegate->error(error);
        if (screen) screen->showNetworkError(true);
      });
}

void OfwListPagerPresenterImpl::loadSucceeded(AdArray ads, std::vector<Tab> tabs, std::vector<Popup> popups,
                                              const std::function<void()>& completion) {
  if (auto screen = view()) {
    screen->hideLoadingIndicator();
    screen->hideNetworkError();
  }
  ads_ = arrangeAds(ads, comparatorFor(Ad::SortType::recommend));
  fallBackToAll(tabs);
  if (tabList_.empty()) {
    tabList_ = tabs;
    if (auto screen = view()) screen->showTabList(tabList_);
  }
  popupList_ = linkPopups(popups, ads_);
  sortByPriority(popupList_);
  if (completion) completion();
  if (auto screen = view()) screen->showAccumulableRewards();
  if (auto screen = view()) screen->reloadAll();
}

// Against this answer's tabs, not the kept tab list: a tab the server dropped is no longer shown.
void OfwListPagerPresenterImpl::fallBackToAll(const std::vector<Tab>& tabs) {
  const Tab* tab = tabWithSlug(tabs, currentTabSlug_);
  if (!tab) {
    currentTabSlug_ = "all";
    if (currentTagSlug_) currentTagSlug_ = "all";
  } else if (currentTagSlug_ && !tabHasTag(*tab, *currentTagSlug_)) {
    currentTagSlug_ = "all";
  }
}

void OfwListPagerPresenterImpl::impression(const Ad& ad, std::string tabSlug, std::string tagSlug) {
  const std::string id = std::to_string(ad.id);
  const std::string key = "tab_slug:" + tabSlug + ";tag_slug:" + tagSlug + ";id:" + id;
  if (visibleItems_.contains(key)) return;
  visibleItems_.emplace(key, Impression{{"id", id}, {"tab_slug", std::move(tabSlug)}, {"tag_slug", std::move(tagSlug)}});
}

void OfwListPagerPresenterImpl::sendImpression() {
  std::vector<nlohmann::json> items;
  for (const auto& [key, item] : visibleItems_) items.emplace_back(item);
  visibleItems_.clear();
  if (items.empty()) return;
  VelkorApiClient::impression(std::move(items), [](auto&&...) {}, [](auto&&...) {});
}

void OfwListPagerPresenterImpl::moveTo(std::string tabSlug, std::string tagSlug) {
  const Tab* tab = tabWithSlug(tabList_, tabSlug);
  if (auto screen = view()) screen->changeTab(tab ? tab->slug : "all", std::move(tagSlug));
}

void OfwListPagerPresenterImpl::moveToDetail(std::int64_t adId, std::string from) {
  auto detail = DependencyContainer().makeOfferwallDetailViewController(adId, std::move(from));
  auto screen = view();
  auto* navigation = screen ? screen->navigationController() : nullptr;
  if (detail && navigation) navigation->pushViewController(detail.controller, true);
}

void OfwListPagerPresenterImpl::moveToDetail(std::string uri, std::string from) {
  std::visit(
      [&](const auto& route) {
        using Route = std::decay_t<decltype(route)>;
        if constexpr (std::is_same_v<Route, OfwLinkRouter::AdDetail>) {
          moveToDetail(route.adId, from);
        } else if constexpr (std::is_same_v<Route, OfwLinkRouter::TabMove>) {
          moveTo(route.tabSlug, route.tagSlug);
        } else if constexpr (!std::is_same_v<Route, std::monostate>) {
          follow(route);
        }
      },
      OfwLinkRouter::route(uri));
}

void OfwListPagerPresenterImpl::follow(const OfwLinkRouter::WebPage& route) {
  auto page = DependencyContainer().makeDetailWebViewController();
  auto pager = view();
  if (!page || !pager) return;
  page->setWebViewURL(UriHandler::buildUrl(route.address));
  if (auto* navigation = pager->navigationController()) navigation->show(page);
}

void OfwListPagerPresenterImpl::follow(const OfwLinkRouter::External& route) {
  if (auto url = base::Url::parse(UriHandler::buildUrl(route.address))) openInSystem(*url);
}

void OfwListPagerPresenterImpl::moveToContact() {
  auto pager = view();
  showContactPage(pager ? pager->navigationController() : nullptr, Constants::contactURL());
}

void OfwListPagerPresenterImpl::backButtonClicked() {
  auto pager = view();
  if (auto* navigation = dynamic_cast<OfwNavigationController*>(pager ? pager->navigationController() : nullptr)) {
    navigation->backButtonClicked();
  }
}

}  // namespace velkor
