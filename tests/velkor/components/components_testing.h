// A screen test for the SDK's components: the main loop on a manual clock, a window with a host
// screen, and the core's process-wide state (defaults, configuration, theme, delegates, device,
// network flag, button action) put back when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/url.h"
#include "platform/ui/application.h"
#include "platform/ui/device.h"
#include "tests/platform/ui/controller_testing.h"
#include "tests/velkor/core/scoped_core_state.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/components/ui_kit_extensions.h"
#include "velkor/core/ofw_life_cycle_delegate.h"
#include "velkor/core/ofw_login_delegate.h"
#include "velkor/core/velkor.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"

namespace velkor::testing {

struct LifeCycleCounter : OfwLifeCycleDelegate {
  int opened = 0;
  int closed = 0;
  void offerwallOpen() override { ++opened; }
  void offerwallClosed() override { ++closed; }
};

struct LoginListener : OfwLoginDelegate {
  void success() override {}
};

class ComponentsTest : public ui::testing::ScreenTest {
 protected:
  ComponentsTest() {
    auto& core = VelkorInternal::shared();
    core.setConfig(config_);
    core.setColorScheme(std::make_shared<VelkorColorScheme>());
    core.setDimension(std::make_shared<VelkorDimension>());
    core.setLifeCycleDelegate(lifeCycle_);
    core.setLoginDelegate(login_);
    ui::Device::update([](ui::Device& device) { device.systemVersion = "16.0"; });
    ui::Application::shared().setOpenUrlHandler([this](const base::Url& url) {
      opened_.push_back(url.absoluteString());
      return true;
    });
    host_ = std::make_shared<ui::ViewController>();
    show(host_);
  }
  ~ComponentsTest() override {
    auto& core = VelkorInternal::shared();
    core.setConfig(std::make_shared<VelkorConfig>());
    core.setLifeCycleDelegate({});
    core.setLoginDelegate({});
    core.setUserInterfaceStyle(ui::UserInterfaceStyle::light);
    ui::Device::setCurrent(device_);
    ui::Application::shared().setOpenUrlHandler({});
    ui::Application::shared().setNetworkActivityIndicatorVisible(false);
    setButtonActionHandler({});
  }

  ScopedCoreState core_;
  ui::Device device_ = ui::Device::current();
  std::shared_ptr<VelkorConfig> config_ = std::make_shared<VelkorConfig>();
  std::shared_ptr<LifeCycleCounter> lifeCycle_ = std::make_shared<LifeCycleCounter>();
  std::shared_ptr<LoginListener> login_ = std::make_shared<LoginListener>();
  std::shared_ptr<ui::ViewController> host_;
  // The addresses the host was asked to open.
  std::vector<std::string> opened_;
};

}  // namespace velkor::testing
