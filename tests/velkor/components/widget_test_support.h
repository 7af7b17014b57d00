// What the widget tests share: their own main loop, a phone screen of a chosen width and a phone OS
// version, all put back when the test ends.
#pragma once

#include <string>

#include "platform/dispatch/main_loop.h"
#include "platform/ui/device.h"
#include "platform/ui/screen.h"

namespace velkor::testing {

class ScopedPhone {
 public:
  explicit ScopedPhone(double screenWidth = 375, std::string systemVersion = "16.0") {
    auto screen = saved_;
    screen.bounds.size.width = screenWidth;
    ui::Screen::setMain(screen);
    ui::Device::update([&](ui::Device& device) { device.systemVersion = systemVersion; });
  }
  ~ScopedPhone() {
    ui::Screen::setMain(saved_);
    ui::Device::setCurrent(savedDevice_);
  }
  ScopedPhone(const ScopedPhone&) = delete;
  ScopedPhone& operator=(const ScopedPhone&) = delete;

 private:
  dispatch::main_loop::TestScope mainLoop_;
  ui::Screen saved_ = ui::Screen::main();
  ui::Device savedDevice_ = ui::Device::current();
};

}  // namespace velkor::testing
