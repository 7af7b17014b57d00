// Controllers for the screen tests: each records its life-cycle calls ("A.willAppear", ...) in a
// shared log, so a test can assert the order in which screens hear of a change.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dispatch/clock.h"
#include "platform/dispatch/main_loop.h"
#include "platform/ui/presentation.h"
#include "platform/ui/view_controller.h"
#include "platform/ui/window.h"

namespace ui::testing {

using Log = std::vector<std::string>;

constexpr double kPastModal = Presentation::kDuration + 0.01;

template <class Base = ViewController>
class Probe : public Base {
 public:
  template <class... Args>
  Probe(std::string name, std::shared_ptr<Log> log, Args&&... args)
      : Base(std::forward<Args>(args)...), name_(std::move(name)), log_(std::move(log)) {}

  void viewDidLoad() override { record("didLoad"); Base::viewDidLoad(); }
  void viewWillAppear(bool animated) override { Base::viewWillAppear(animated); record("willAppear"); }
  void viewDidAppear(bool animated) override { Base::viewDidAppear(animated); record("didAppear"); }
  void viewWillDisappear(bool animated) override { Base::viewWillDisappear(animated); record("willDisappear"); }
  void viewDidDisappear(bool animated) override { Base::viewDidDisappear(animated); record("didDisappear"); }
  void viewWillLayoutSubviews() override { Base::viewWillLayoutSubviews(); record("willLayout"); }
  void viewDidLayoutSubviews() override { Base::viewDidLayoutSubviews(); record("didLayout"); }
  void willMove(ViewController* parent) override { Base::willMove(parent); record(parent ? "willMove" : "willMoveOut"); }
  void didMove(ViewController* parent) override { Base::didMove(parent); record(parent ? "didMove" : "didMoveOut"); }

 private:
  void record(const char* what) { log_->push_back(name_ + "." + what); }
  std::string name_;
  std::shared_ptr<Log> log_;
};

template <class Base = ViewController, class... Args>
std::shared_ptr<Probe<Base>> probe(const std::string& name, const std::shared_ptr<Log>& log, Args&&... args) {
  return std::make_shared<Probe<Base>>(name, log, std::forward<Args>(args)...);
}

// The entries whose call is one of the given ones ("willAppear", ...).
inline Log only(const Log& log, std::vector<std::string_view> calls) {
  Log kept;
  for (const auto& entry : log) {
    std::string_view call = std::string_view(entry).substr(entry.find('.') + 1);
    if (std::find(calls.begin(), calls.end(), call) != calls.end()) kept.push_back(entry);
  }
  return kept;
}

inline Log appearance(const Log& log) { return only(log, {"willAppear", "didAppear", "willDisappear", "didDisappear"}); }

// A test on the main loop with a manual clock and a window of the default screen.
class ScreenTest : public ::testing::Test {
 protected:
  void advance(double seconds) { clock_->advance(dispatch::Seconds(seconds)); }
  // The window, visible, showing the root.
  std::shared_ptr<Window> show(std::shared_ptr<ViewController> root) {
    window_->setRootViewController(std::move(root));
    window_->makeKeyAndVisible();
    return window_;
  }

  dispatch::main_loop::TestScope scope_;
  dispatch::ScopedManualClock clock_;
  std::shared_ptr<Log> log_ = std::make_shared<Log>();
  std::shared_ptr<Window> window_ = std::make_shared<Window>();
};

}  // namespace ui::testing

namespace ui {
using testing::appearance;
using testing::kPastModal;
using testing::Log;
using testing::only;
using testing::probe;
using testing::Probe;
}  // namespace ui
