// What the list and pager tests share: a pager screen that records what its presenter asks of it, a
// page that records what its presenter hands it, and the local ad server with the memory cache
// filled from its fixtures.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
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
#include "velkor/offerwall/pager/ofw_list_pager_presenter_impl.h"
#include "velkor/offerwall/pager/ofw_list_pager_view.h"

namespace velkor::testing {

// The pager screen: every call its presenter makes, by name, in order. Its presenter is a
// recording stand-in until a test gives it another.
class RecordingPagerView : public ui::ViewController, public OfwListPagerView {
 public:
  ui::ViewController& viewController() override { return *this; }
  ui::NavigationController* navigationController() const override { return ui::ViewController::navigationController(); }
  std::shared_ptr<OfwListPagerPresenter> presenter() const override { return presenter_; }
  void setPresenter(std::shared_ptr<OfwListPagerPresenter> presenter) override { presenter_ = std::move(presenter); }
  void showLoadingIndicator() override { calls.push_back("showLoadingIndicator"); }
  void hideLoadingIndicator() override { calls.push_back("hideLoadingIndicator"); }
  void showNetworkError(bool retry) override { calls.push_back(retry ? "showNetworkError(retry)" : "showNetworkError"); }
  void hideNetworkError() override { calls.push_back("hideNetworkError"); }
  void showTabList(const std::vector<Tab>&) override { calls.push_back("showTabList"); }
  void changeTab(std::string tabSlug, std::optional<std::string> tagSlug) override {
    calls.push_back("changeTab(" + tabSlug + "," + tagSlug.value_or("-") + ")");
  }
  void reloadAll() override { calls.push_back("reloadAll"); }
  void showPrepareView() override { calls.push_back("showPrepareView"); }
  void showAccumulableRewards() override { calls.push_back("showAccumulableRewards"); }
  void beforeAction(std::function<void(std::int64_t)> completion) override {
    calls.push_back("beforeAction");
    completion(0);
  }

  std::shared_ptr<OfwListPagerPresenterImpl> impl() const {
    return std::dynamic_pointer_cast<OfwListPagerPresenterImpl>(presenter_);
  }
  RecordingPagerPresenter& pagerPresenter() const { return dynamic_cast<RecordingPagerPresenter&>(*presenter_); }
  std::size_t count(const std::string& call) const { return std::count(calls.begin(), calls.end(), call); }

  std::vector<std::string> calls;

 private:
  std::shared_ptr<OfwListPagerPresenter> presenter_ = std::make_shared<RecordingPagerPresenter>();
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

// The local ad server behind every stage with popups and banners switched on; the memory cache
// emptied afterwards.
class AdServerScope {
 public:
  AdServerScope() {
    VelkorInternal::shared().config()->setEnablePopupBannerExtension(true);
    VelkorInternal::shared().repository()->setCacheIsDirty(true);
  }
  ~AdServerScope() {
    VelkorInternal::shared().config()->setEnablePopupBannerExtension(false);
    VelkorInternal::shared().config()->setPrepareViewHidden(false);
    VelkorInternal::shared().repository()->localDataSource()->clear();
    VelkorInternal::shared().repository()->setCacheIsDirty(false);
    VelkorInternal::shared().setDelegate({});
    RewardType::setItems({});
  }
  AdServerScope(const AdServerScope&) = delete;
  AdServerScope& operator=(const AdServerScope&) = delete;

  mock::MockServer& listServer() { return network_.servers().server(mock::kLogicList); }
  mock::MockServer& logicServer() { return network_.servers().server(mock::kLogic); }
  mock::RequestLog& log() { return network_.log(); }
  // The fixture's ad list with these tabs in place of its own; every later load goes to the server.
  void serveTabs(const nlohmann::json& tabs) {
    nlohmann::json list = fixtures().adList();
    list["tabs"] = tabs;
    listServer().clearFaults();
    listServer().setFault(mock::Route::adList, mock::Fault{}.withBody(list.dump()).sticky());
    VelkorInternal::shared().repository()->setCacheIsDirty(true);
  }
  // The memory cache filled from the server's fixtures as the pager's load leaves it.
  void fillCache() {
    auto& repository = *VelkorInternal::shared().repository();
    repository.localDataSource()->clear();
    repository.setCacheIsDirty(true);
    auto answer = loadAds(repository);
    ASSERT_TRUE(answer && !answer->error);
    repository.setCacheIsDirty(false);
  }

 private:
  NetworkScope network_;
};

}  // namespace velkor::testing
