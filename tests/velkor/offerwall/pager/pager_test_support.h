// What the pager tests share besides the list tests' helpers: a host delegate that records errors and
// login requests, and a load of the pager presenter run to its end.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

#include "platform/dispatch/main_loop.h"
#include "tests/velkor/offerwall/list/list_test_support.h"
#include "velkor/core/velkor_offerwall_delegate.h"

namespace velkor::testing {

using namespace std::chrono_literals;

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

}  // namespace velkor::testing
