// The presenter of one tab's list page. A load reads the ads and tabs the pager's last load left in
// the memory cache (never the server), keeps the page's tab, fetches the page's banners, then, on the
// main thread, filters by tag, arranges by the chosen sort order and hands the rows to the page.
// Taps on the page's rows and banners come back here as links to route.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "velkor/offerwall/list/ofw_link_router.h"
#include "velkor/offerwall/list/ofw_list_presenter.h"
#include "velkor/offerwall/list/ofw_list_view.h"

namespace ui {
class NavigationController;
}

namespace velkor {

class OfwListPagerPresenter;

class OfwListPresenterImpl : public OfwListPresenter, public std::enable_shared_from_this<OfwListPresenterImpl> {
 public:
  // Use through a shared_ptr: a pending load keeps the presenter until its rows are handed over.
  explicit OfwListPresenterImpl(const std::shared_ptr<OfwListView>& view);

  std::shared_ptr<AdRepository> repository() const override;
  std::shared_ptr<OfwListView> view() const override { return view_.lock(); }

  const std::string& tabSlug() const override { return tabSlug_; }
  void setTabSlug(std::string slug) override { tabSlug_ = std::move(slug); }
  const std::optional<std::vector<Ad>>& cachedAdList() const override { return cachedAdList_; }
  void setCachedAdList(std::optional<std::vector<Ad>> ads) override { cachedAdList_ = std::move(ads); }
  const std::optional<std::vector<Ad>>& filterSortedAdList() const override { return filterSortedAdList_; }
  void setFilterSortedAdList(std::optional<std::vector<Ad>> ads) override { filterSortedAdList_ = std::move(ads); }
  const std::vector<Banner>& bannerList() const override { return bannerList_; }
  const std::optional<std::vector<Tag>>& tagList() const override { return tagList_; }
  void setTagList(std::optional<std::vector<Tag>> tags) override { tagList_ = std::move(tags); }
  const std::string& selectedTagSlug() const override { return selectedTagSlug_; }
  void setSelectedTagSlug(std::string slug) override { selectedTagSlug_ = std::move(slug); }
  Ad::SortType selectedSortOrder() const override { return selectedSortOrder_; }
  void setSelectedSortOrder(Ad::SortType order) override { selectedSortOrder_ = order; }

  // Under the selected tag, and over the whole tab.
  std::int64_t rewards() const override;
  std::int64_t getFixedTotalReward() override;
  std::string getTotalRewardStr(bool unitOnly) override;

  void loadData() override;
  // The second step of a load, on the main thread: the rows and banners as the page shows them.
  virtual void filterAndSortData();

  // Starts a new action with the page's tab and tag whatever the link, then follows the link.
  void moveToDetail(std::string uri, std::optional<std::string> title, std::string from) override;
  void moveToContact() override;

 protected:
  // The pager's presenter, reached through the page; null without page, pager or presenter.
  std::shared_ptr<OfwListPagerPresenter> pagerPresenter() const;

 private:
  // The first step: the tab's ads and tags from the cache; false when the cache has no such tab.
  bool loadTabFromCache();
  void loadBanners(const std::function<void()>& done);
  bool pagerHasOneTab() const;

  void follow(const OfwLinkRouter::AdDetail& route, const std::string& from);
  void follow(const OfwLinkRouter::TabMove& route);
  void follow(const OfwLinkRouter::WebPage& route, const std::optional<std::string>& title);
  void follow(const OfwLinkRouter::External& route);
  // The stack holding the page; null once the page has gone or while it is in none.
  ui::NavigationController* pageNavigation() const;

  std::weak_ptr<OfwListView> view_;
  std::optional<std::vector<Ad>> cachedAdList_;
  std::optional<std::vector<Ad>> filterSortedAdList_;
  std::vector<Banner> bannerList_;
  std::optional<std::vector<Tag>> tagList_;
  std::string tabSlug_ = "all";
  std::string selectedTagSlug_ = "all";
  Ad::SortType selectedSortOrder_ = Ad::SortType::recommend;
};

}  // namespace velkor
