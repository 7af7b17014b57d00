#include "platform/ui/device.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace ui {
namespace {

TEST(DeviceTest, UpdatesFromManyThreadsAreNotLost) {
  const Device saved = Device::current();
  Device start = saved;
  start.systemVersion = "0";
  Device::setCurrent(start);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([] {
      for (int i = 0; i < 250; ++i) {
        Device::update([](Device& d) { d.systemVersion = std::to_string(std::stoi(d.systemVersion) + 1); });
        (void)Device::current().machine.size();
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(Device::current().systemVersion, "1000");
  Device::setCurrent(saved);
}

}  // namespace
}  // namespace ui
