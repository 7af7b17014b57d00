#include "velkor/offerwall/list/ofw_list_presenter_impl.h"

#include <algorithm>

#include "platform/base/url.h"
#include "platform/dispatch/queue.h"
#include "platform/ui/application.h"
#include "platform/ui/view_controller.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/core/contact_page.h"
#include "velkor/core/dependency_container.h"
#include "velkor/core/uri_handler.h"
#include "velkor/network/constants.h"
#include "velkor/web/ofw_detail_web_view_controller.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_session.h"
#include "velkor/network/ad_repository.h"
#include "velkor/offerwall/list/ad_ordering.h"
#include "velkor/offerwall/list/reward_totals.h"
#include "velkor/offerwall/pager/ofw_list_pager_presenter.h"
#include "velkor/offerwall/pager/ofw_list_pager_view.h"
#include "velkor/web/web_address.h"

namespace velkor {
namespace {

const Tag* tagWithSlug(const std::vector<Tag>& tags, const std::string& slug) {
  auto found = std::find_if(tags.begin(), tags.end(), [&slug](const Tag& tag) { return tag.slug == slug; });
  return found == tags.end() ? nullptr : &*found;
}

}  // namespace

OfwListPresenterImpl::OfwListPresenterImpl(const std::shared_ptr<OfwListView>& view) : view_(view) {}

std::shared_ptr<AdRepository> OfwListPresenterImpl::repository() const { return VelkorInternal::shared().repository(); }

std::int64_t OfwListPresenterImpl::rewards() const { return accumulableRewards(filterSortedAdList_); }

std::int64_t OfwListPresenterImpl::getFixedTotalReward() { return accumulableRewards(cachedAdList_); }

std::string OfwListPresenterImpl::getTotalRewardStr(bool unitOnly) { return totalRewardString(rewards(), unitOnly); }

void OfwListPresenterImpl::loadData() {
  // A tab the cache no longer lists ends the load here: the page keeps what it shows. Its banner
  // fetch still runs, holding nothing but a weak reference.
  if (!loadTabFromCache()) {
    loadBanners({});
    return;
  }
  // The banners answer on the main thread, at once when cached: the rows are arranged on a later
  // turn either way, never inside this call.
  loadBanners([self = shared_from_this()] { dispatch::main()->async([self] { self->filterAndSortData(); }); });
}

bool OfwListPresenterImpl::loadTabFromCache() {
  const auto& cache = repository()->localDataSource();
  auto cached = cache->cachedAds();
  const std::vector<Tab> tabs = cached ? cached->tabs : cache->cachedTabList();
  auto tab = std::find_if(tabs.begin(), tabs.end(), [this](const Tab& tab) { return tab.slug == tabSlug_; });
  if (tab == tabs.end()) return false;
  std::vector<Ad> kept;
  if (cached) {
    std::copy_if(cached->ads.begin(), cached->ads.end(), std::back_inserter(kept),
                 [&tab](const Ad& ad) { return MemoryCacheAdDataSource::matchesTab(ad, *tab); });
  }
  tagList_ = tab->tags;
  cachedAdList_ = std::move(kept);
  return true;
}

void OfwListPresenterImpl::loadBanners(const std::function<void()>& done) {
  std::weak_ptr<OfwListPresenterImpl> weak = weak_from_this();
  repository()->getBanners([weak, done](Result<std::vector<Banner>> result) {
    auto self = weak.lock();
    if (self && result.ok()) self->bannerList_ = std::move(result).value();
    if (done) done();
  });
}

void OfwListPresenterImpl::filterAndSortData() {
  std::vector<Ad> ads = cachedAdList_.value_or(std::vector<Ad>{});
  const bool oneTab = pagerHasOneTab();
  if (!oneTab && tabSlug_ == "all") dropHiddenFromAllListing(ads);
  const Tag* tag = tagList_ ? tagWithSlug(*tagList_, selectedTagSlug_) : nullptr;
  if (tag) {
    std::erase_if(ads, [tag](const Ad& ad) { return !matchesTag(ad, *tag); });
    if (oneTab && tag->slug == "all") dropHiddenFromAllListing(ads);
  }
  filterSortedAdList_ = arrangeAds(ads, comparatorFor(selectedSortOrder_));
  bannerList_ = visibleBanners(bannerList_, cachedAdList_.value_or(std::vector<Ad>{}));
  if (auto page = view()) page->loadData(filterSortedAdList_, tagList_);
}

std::shared_ptr<OfwListPagerPresenter> OfwListPresenterImpl::pagerPresenter() const {
  auto page = view();
  auto pager = page ? page->parentView() : nullptr;
  return pager ? pager->presenter() : nullptr;
}

// Without a page or pager to ask, the page counts as one of several.
bool OfwListPresenterImpl::pagerHasOneTab() const {
  auto pager = pagerPresenter();
  return pager && pager->tabList().size() == 1;
}

void OfwListPresenterImpl::moveToDetail(std::string uri, std::optional<std::string> title, std::string from) {
  VelkorInternal::shared().session()->openRequest(tabSlug_, selectedTagSlug_);
  std::visit(
      [&](const auto& route) {
        using Route = std::decay_t<decltype(route)>;
        if constexpr (std::is_same_v<Route, OfwLinkRouter::AdDetail>) {
          follow(route, from);
        } else if constexpr (std::is_same_v<Route, OfwLinkRouter::TabMove>) {
          follow(route);
        } else if constexpr (std::is_same_v<Route, OfwLinkRouter::WebPage>) {
          follow(route, title);
        } else if constexpr (std::is_same_v<Route, OfwLinkRouter::External>) {
          follow(route);
        }
      },
      OfwLinkRouter::route(uri));
}

void OfwListPresenterImpl::follow(const OfwLinkRouter::TabMove& route) {
  if (auto pager = pagerPresenter()) pager->moveTo(route.tabSlug, route.tagSlug);
}

void OfwListPresenterImpl::follow(const OfwLinkRouter::External& route) {
  auto url = base::Url::parse(UriHandler::buildUrl(route.address));
  if (url) openInSystem(*url);
}

ui::NavigationController* OfwListPresenterImpl::pageNavigation() const {
  auto page = view();
  return page ? page->viewController().navigationController() : nullptr;
}

// Pushed on the offerwall's own stack; a page hosted elsewhere presents a new stack holding the
// detail alone, from the pager's parent.
void OfwListPresenterImpl::follow(const OfwLinkRouter::AdDetail& route, const std::string& from) {
  auto page = view();
  if (!page) return;
  auto detail = DependencyContainer().makeOfferwallDetailViewController(route.adId, from).controller;
  if (!detail) return;
  if (auto* navigation = dynamic_cast<OfwNavigationController*>(page->viewController().navigationController())) {
    navigation->pushViewController(detail, true);
    return;
  }
  auto pager = page->parentView();
  ui::ViewController* presenter = pager ? pager->viewController().parent() : nullptr;
  if (!presenter) return;
  auto stack = DependencyContainer().makeNavigationController();
  stack->setViewControllers({detail});
  presenter->present(stack, true);
}

void OfwListPresenterImpl::follow(const OfwLinkRouter::WebPage& route, const std::optional<std::string>& title) {
  ui::NavigationController* navigation = pageNavigation();
  if (!navigation) return;
  auto webPage = DependencyContainer().makeDetailWebViewController();
  if (!webPage) return;
  webPage->setNavigationTitle(title.value_or(""));
  webPage->setWebViewURL(UriHandler::buildUrl(route.address));
  navigation->show(webPage);
}

void OfwListPresenterImpl::moveToContact() { showContactPage(pageNavigation(), Constants::contactURL()); }

}  // namespace velkor
