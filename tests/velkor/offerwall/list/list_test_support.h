// What the list tests share: a small pager (screen and presenter) behind the pager's protocols, a
// page that records what its presenter hands it, and the memory cache filled from the local ad
// server's fixtures.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/view_controller.h"
#include "tests/velkor/network/ad_source_test_support.h"
#include "tests/velkor/offerwall/pager/recording_pager_presenter.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/network/ad_repository.h"
#include "velkor/offerwall/list/ofw_list_presenter_impl.h"
#include "velkor/offerwall/list/ofw_list_view.h"
#include "velkor/offerwall/pager/ofw_list_pager_presenter.h"
#include "velkor/offerwall/pager/ofw_list_pager_view.h"

namespace velkor::testing {

// The pager screen: a plain screen holding its presenter.
class TestPager : public ui::ViewController, public OfwListPagerView {
 public:
  TestPager() : presenter_(std::make_shared<RecordingPagerPresenter>()) {}
  ui::ViewController& viewController() override { return *this; }
  ui::NavigationController* navigationController() const override { return ui::ViewController::navigationController(); }
  std::shared_ptr<OfwListPagerPresenter> presenter() const override { return presenter_; }
  void setPresenter(std::shared_ptr<OfwListPagerPresenter>) override {}
  void showLoadingIndicator() override {}
  void hideLoadingIndicator() override {}
  void showNetworkError(bool) override {}
  void hideNetworkError() override {}
  void showTabList(const std::vector<Tab>&) override {}
  void changeTab(std::string, std::optional<std::string>) override {}
  void reloadAll() override {}
  void showPrepareView() override {}
  void showAccumulableRewards() override {}
  void beforeAction(std::function<void(std::int64_t)> completion) override { completion(0); }

  RecordingPagerPresenter& pagerPresenter() { return *presenter_; }

 private:
  std::shared_ptr<RecordingPagerPresenter> presenter_;
};

// A page that keeps every list its presenter hands over.
class TestPage : public ui::ViewController, public OfwListView {
 public:
  ui::ViewController& viewController() override { return *this; }
  std::shared_ptr<OfwListPresenter> presenter() const override { return presenter_; }
  void setPresenter(std::shared_ptr<OfwListPresenter> presenter) override { presenter_ = std::move(presenter); }
  void loadData(const std::optional<std::vector<Ad>>& adList, const std::optional<std::vector<Tag>>& tagList) override {
    loads.push_back(adList);
    tags = tagList;
  }
  std::shared_ptr<OfwListPagerView> parentView() const override { return parent_.lock(); }
  void setParentView(const std::shared_ptr<OfwListPagerView>& parent) override { parent_ = parent; }
  std::optional<std::int64_t> pageIndex() const override { return index_; }
  void setPageIndex(std::optional<std::int64_t> index) override { index_ = index; }
  bool tagListActive() const override { return tagListActive_; }
  void setTagListActive(bool active) override { tagListActive_ = active; }

  std::vector<std::optional<std::vector<Ad>>> loads;
  std::optional<std::vector<Tag>> tags;

 private:
  std::shared_ptr<OfwListPresenter> presenter_;
  std::weak_ptr<OfwListPagerView> parent_;
  std::optional<std::int64_t> index_;
  bool tagListActive_ = false;
};

inline std::vector<std::int64_t> idsOf(const std::vector<Ad>& ads) {
  std::vector<std::int64_t> ids;
  for (const Ad& ad : ads) ids.push_back(ad.id);
  return ids;
}

inline bool contains(const std::vector<std::int64_t>& ids, std::int64_t id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// The local ad server behind every stage, banners switched on, and the memory cache filled from the
// server's fixtures as the pager's load leaves it.
class ListScope {
 public:
  ListScope() {
    VelkorInternal::shared().config()->setEnablePopupBannerExtension(true);
    fillCache();
  }
  ~ListScope() {
    VelkorInternal::shared().config()->setEnablePopupBannerExtension(false);
    VelkorInternal::shared().repository()->localDataSource()->clear();
    RewardType::setItems({});
  }
  ListScope(const ListScope&) = delete;
  ListScope& operator=(const ListScope&) = delete;

  void fillCache() {
    auto& repository = *VelkorInternal::shared().repository();
    repository.localDataSource()->clear();
    repository.setCacheIsDirty(true);
    auto answer = loadAds(repository);
    ASSERT_TRUE(answer && !answer->error);
    repository.setCacheIsDirty(false);
  }
  NetworkScope& network() { return network_; }

 private:
  NetworkScope network_;
};

}  // namespace velkor::testing
