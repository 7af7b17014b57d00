// A host app on screen for the presentation tests: the local ad servers behind every stage, a
// manual clock, a key window showing the host's own screen, and the test module's screens.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/dispatch/clock.h"
#include "platform/ui/window.h"
#include "tests/velkor/core/facade_test_support.h"
#include "tests/velkor/core/screen_test_support.h"
#include "velkor/components/ofw_navigation_controller.h"

namespace velkor::testing {

class PresentationTest : public ::testing::Test {
 protected:
  PresentationTest() {
    VelkorInternal::shared().setPubAppModule(module_);
    window_->setRootViewController(host_);
    window_->makeKeyAndVisible();
  }
  ~PresentationTest() override { VelkorInternal::shared().setNavigationController(nullptr); }

  void advance(double seconds) {
    clock_->advance(dispatch::Seconds(seconds));
    dispatch::main_loop::drain();
  }
  // The offerwall's stack the core keeps, as the class it is.
  std::shared_ptr<OfwNavigationController> offerwall() const {
    return std::dynamic_pointer_cast<OfwNavigationController>(VelkorInternal::shared().navigationController());
  }
  // Runs the main loop until the host's screen presents something (real time: the servers answer).
  bool eventuallyPresented() {
    return eventually([&] { return host_->presentedViewController() != nullptr; });
  }
  // A completion that counts its calls.
  std::function<void()> counting() {
    return [count = completions_] { ++*count; };
  }

  FacadeScope scope_;
  dispatch::ScopedManualClock clock_;
  std::shared_ptr<TestModule> module_ = screensModule();
  std::shared_ptr<ui::ViewController> host_ = std::make_shared<ui::ViewController>();
  std::shared_ptr<ui::Window> window_ = std::make_shared<ui::Window>();
  std::shared_ptr<int> completions_ = std::make_shared<int>(0);
};

}  // namespace velkor::testing
