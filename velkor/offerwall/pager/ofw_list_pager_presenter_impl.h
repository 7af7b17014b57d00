// The presenter of the top offerwall screen. One combined load of ads, tabs, banners and popups
// feeds the whole pager: the ads arranged in their three groups, the tabs of the first load, the
// popups linked to their campaign's ad. It keeps the current tab and a pending tag, routes the
// pager's links and collects the impressions of the list pages' rows until the next send.
// Main thread only; it holds its screen weakly.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "velkor/network/ad_data_source.h"
#include "velkor/offerwall/list/ofw_link_router.h"
#include "velkor/offerwall/pager/ofw_list_pager_presenter.h"
#include "velkor/offerwall/pager/ofw_list_pager_view.h"

namespace velkor {

class OfwListPagerPresenterImpl : public OfwListPagerPresenter,
                                  public std::enable_shared_from_this<OfwListPagerPresenterImpl> {
 public:
  // One entry of the impression record: "id", "tab_slug", "tag_slug", each a text.
  using Impression = std::map<std::string, std::string>;

  // Use through a shared_ptr: answers of a load reach the presenter only while it lives.
  explicit OfwListPagerPresenterImpl(const std::shared_ptr<OfwListPagerView>& view);

  std::shared_ptr<AdRepository> repository() const override;
  std::shared_ptr<OfwListPagerView> view() const override { return view_.lock(); }

  const std::optional<std::vector<Ad>>& ads() const override { return ads_; }
  void setAds(std::optional<std::vector<Ad>> ads) override { ads_ = std::move(ads); }
  std::int64_t rewards() const override;
  const std::vector<Tab>& tabList() const override { return tabList_; }
  void setTabList(std::vector<Tab> tabs) override { tabList_ = std::move(tabs); }
  const std::vector<Popup>& popupList() const override { return popupList_; }
  const std::string& currentTabSlug() const override { return currentTabSlug_; }
  void setCurrentTabSlug(std::string slug) override { currentTabSlug_ = std::move(slug); }
  const std::optional<std::string>& currentTagSlug() const override { return currentTagSlug_; }
  void setCurrentTagSlug(std::optional<std::string> slug) override { currentTagSlug_ = std::move(slug); }
  bool parepareShown() const override { return parepareShown_; }
  void setParepareShown(bool shown) override { parepareShown_ = shown; }

  // The impression record, keyed "tab_slug:<tab>;tag_slug:<tag>;id:<ad id>".
  const std::map<std::string, Impression>& visibleItems() const { return visibleItems_; }
  virtual bool cacheIsDirty() const;
  virtual void setCacheIsDirty(bool dirty);

  void backButtonClicked() override;
  void moveToDetail(std::int64_t adId, std::string from) override;
  void moveToDetail(std::string uri, std::string from) override;
  void moveTo(std::string tabSlug, std::string tagSlug) override;
  void moveToContact() override;
  void reloadData(std::string from) override;
  // The load itself; `withRewards` is what the screen's hook handed over and changes nothing here.
  virtual void requestAdList(std::string from, std::int64_t withRewards, std::function<void()> completion);
  void impression(const Ad& ad, std::string tabSlug, std::string tagSlug) override;
  // Empties the record first, so a failed post loses its entries and never sends them twice.
  void sendImpression() override;

 private:
  void loadSucceeded(AdArray ads, std::vector<Tab> tabs, std::vector<Popup> popups,
                     const std::function<void()>& completion);
  void fallBackToAll(const std::vector<Tab>& tabs);
  void follow(const OfwLinkRouter::WebPage& route);
  void follow(const OfwLinkRouter::External& route);

  std::weak_ptr<OfwListPagerView> view_;
  std::vector<Tab> tabList_;
  std::string currentTabSlug_ = "all";
  std::optional<std::string> currentTagSlug_ = "all";
  std::map<std::string, Impression> visibleItems_;
  std::optional<std::vector<Ad>> ads_;
  std::vector<Popup> popupList_;
  bool parepareShown_ = false;
};

}  // namespace velkor
