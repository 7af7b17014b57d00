// The detail tests: the local ad servers, a manual clock, the user's own defaults and theme, and
// a screen in a navigation stack in a window; a detail view that records what its presenter asks of
// it, and a host delegate that records what it hears.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dispatch/clock.h"
#include "platform/dispatch/main_loop.h"
#include "platform/privacy/tracking.h"
#include "platform/ui/application.h"
#include "platform/ui/device.h"
#include "platform/ui/navigation_controller.h"
#include "platform/ui/window.h"
#include "tests/velkor/network/network_test_support.h"
#include "tests/velkor/offerwall/rows/rows_testing.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor.h"
#include "velkor/core/velkor_offerwall_delegate.h"
#include "velkor/detail/ofw_detail_presenter_impl.h"
#include "velkor/detail/ofw_detail_view.h"

namespace velkor::testing {

// What a detail view was asked to do, in order ("loading", "alert:<text>:<code>", ...).
class RecordingDetailView : public ui::ViewController, public OfwDetailView {
 public:
  ui::NavigationController* navigationController() const override {
    return navigationOverride ? navigationOverride.get() : ui::ViewController::navigationController();
  }
  std::shared_ptr<OfwDetailPresenter> presenter() const override { return presenter_; }
  void setPresenter(std::shared_ptr<OfwDetailPresenter> presenter) override { presenter_ = std::move(presenter); }
  const std::string& from() const override { return from_; }
  void setFrom(std::string from) override { from_ = std::move(from); }
  const std::optional<Ad>& currentAd() const override { return ad_; }
  void setCurrentAd(std::optional<Ad> ad) override { ad_ = std::move(ad); }
  void reloadData(std::string from, bool) override { calls.push_back("reload:" + from); }
  void showLoadingIndicator() override { calls.push_back("loading"); }
  void hideLoadingIndicator() override { calls.push_back("loaded"); }
  void showNetworkError(bool) override { calls.push_back("networkError"); }
  void showAlert(const std::string& message) override { calls.push_back("alert:" + message); }
  void showAlert(const std::string& message, std::optional<std::int64_t> code) override {
    calls.push_back("alert:" + message + ":" + std::to_string(code.value_or(-1)));
  }
  void showIdfaAlert() override { calls.push_back("idfa"); }
  void showDialog(const Dialog& dialog) override { calls.push_back("dialog:" + dialog.message.value_or("")); }
  void showLandingDialog(const Dialog& dialog) override { calls.push_back("landingDialog:" + dialog.message.value_or("")); }
  void presentToastMessage() override { calls.push_back("toast"); }

  // Calls other than the loading indicator's.
  std::vector<std::string> shown() const {
    std::vector<std::string> kept;
    for (const auto& call : calls) {
      if (call != "loading" && call != "loaded") kept.push_back(call);
    }
    return kept;
  }

  std::vector<std::string> calls;
  std::shared_ptr<ui::NavigationController> navigationOverride;

 private:
  std::shared_ptr<OfwDetailPresenter> presenter_;
  std::string from_;
  std::optional<Ad> ad_;
};

class RecordingHost : public VelkorOfferwallDelegate {
 public:
  void requestLogin(std::shared_ptr<ui::ViewController> viewController) override { logins.push_back(viewController); }
  void participateFailure(const VelkorError& error) override { failures.push_back(error); }
  void error(const Error& error) override { errors.push_back(error); }
  std::vector<std::shared_ptr<ui::ViewController>> logins;
  std::vector<VelkorError> failures;
  std::vector<Error> errors;
};

class DetailTest : public ::testing::Test {
 protected:
  DetailTest() {
    RewardType::setItems({{1, "포인트", 0, "P"}});
    VelkorInternal::shared().setDelegate(host_);
    ui::Application::shared().setOpenUrlHandler([this](const base::Url& url) {
      opened_.push_back(url.absoluteString());
      return true;
    });
    window_->makeKeyAndVisible();
  }
  ~DetailTest() override {
    dispatch::main_loop::runUntil([] { return false; }, dispatch::Seconds(0.05));
    ui::Application::shared().setOpenUrlHandler(nullptr);
    ui::Application::shared().expireBackgroundTasks();
    VelkorInternal::shared().setDelegate({});
    VelkorInternal::shared().setLoginDelegate({});
    ui::Device::update([](ui::Device& device) { device.isPhoneAppOnDesktop = false; });
    RewardType::setItems({});
  }

  void advance(double seconds) { clock_->advance(dispatch::Seconds(seconds)); }
  // Runs the main loop until the server logged that many requests of the route.
  bool waitForRequests(mock::Route route, std::size_t count) {
    return dispatch::main_loop::runUntil([&] { return network_.log().entries(route).size() >= count; },
                                         dispatch::Seconds(10));
  }
  bool runUntil(const std::function<bool()>& done) { return dispatch::main_loop::runUntil(done, dispatch::Seconds(10)); }
  // Lets answers already on their way arrive.
  void settle() { dispatch::main_loop::runUntil([] { return false; }, dispatch::Seconds(0.2)); }

  NetworkScope network_;
  dispatch::ScopedManualClock clock_{kNow};
  ScopedTheme theme_;
  std::shared_ptr<RecordingHost> host_ = std::make_shared<RecordingHost>();
  std::vector<std::string> opened_;
  std::shared_ptr<ui::Window> window_ = std::make_shared<ui::Window>();
};

}  // namespace velkor::testing
