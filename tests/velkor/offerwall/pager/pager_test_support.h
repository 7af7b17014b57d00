// What the pager tests share: a screen that records what its presenter asks of it, a host delegate
// that records errors and login requests, and the local ad server's list answer with chosen tabs.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dispatch/main_loop.h"
#include "platform/ui/view_controller.h"
#include "tests/velkor/core/scoped_core_state.h"
#include "tests/velkor/network/ad_source_test_support.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_offerwall_delegate.h"
#include "velkor/network/ad_repository.h"
#include "tests/velkor/network/network_test_support.h"
#include "velkor/offerwall/pager/ofw_list_pager_presenter_impl.h"
#include "velkor/offerwall/pager/ofw_list_pager_view.h"

namespace velkor::testing {

using namespace std::chrono_literals;

// Every call the presenter makes, by name, in order.
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
  void showTabList(const std::vector<Tab>& tabs) override {
    calls.push_back("showTabList");
    shownTabs = tabs;
  }
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
  std::size_t count(const std::string& call) const { return std::count(calls.begin(), calls.end(), call); }

  std::vector<std::string> calls;
  std::vector<Tab> shownTabs;

 private:
  std::shared_ptr<OfwListPagerPresenter> presenter_;
};

class RecordingDelegate : public VelkorOfferwallDelegate {
 public:
  void requestLogin(std::shared_ptr<ui::ViewController> viewController) override {
    logins.push_back(viewController);
  }
  void error(const Error& error) override { errors.push_back(error.code); }
  std::vector<std::shared_ptr<ui::ViewController>> logins;
  std::vector<long> errors;
};

inline std::shared_ptr<RecordingPagerView> makeRecordingPager() {
  auto view = std::make_shared<RecordingPagerView>();
  view->setPresenter(std::make_shared<OfwListPagerPresenterImpl>(view));
  return view;
}

// Reloads and runs the main loop until the load has ended (reloadAll or the error view).
inline bool reloadAndWait(RecordingPagerView& view) {
  const auto before = view.count("reloadAll") + view.count("showNetworkError(retry)");
  view.presenter()->reloadData("ad_list");
  return dispatch::main_loop::runUntil(
      [&] { return view.count("reloadAll") + view.count("showNetworkError(retry)") > before; }, 20s);
}

// The local ad server with popups and banners switched on; the memory cache emptied afterwards.
class PagerNetworkScope {
 public:
  PagerNetworkScope() {
    VelkorInternal::shared().config()->setEnablePopupBannerExtension(true);
    VelkorInternal::shared().repository()->setCacheIsDirty(true);
  }
  ~PagerNetworkScope() {
    VelkorInternal::shared().config()->setEnablePopupBannerExtension(false);
    VelkorInternal::shared().config()->setPrepareViewHidden(false);
    VelkorInternal::shared().repository()->localDataSource()->clear();
    VelkorInternal::shared().repository()->setCacheIsDirty(false);
    VelkorInternal::shared().setDelegate({});
    RewardType::setItems({});
  }
  PagerNetworkScope(const PagerNetworkScope&) = delete;
  PagerNetworkScope& operator=(const PagerNetworkScope&) = delete;

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

 private:
  NetworkScope network_;
};

}  // namespace velkor::testing
