#include "platform/ui/device.h"

#include <gtest/gtest.h>
#include <sys/utsname.h>

#include <thread>
#include <vector>

namespace ui {
namespace {

TEST(DeviceTest, SystemFactsAreADottedVersionAndTheMachineField) {
  const Device device = Device::fromSystem();
  utsname name{};
  ASSERT_EQ(uname(&name), 0);
  EXPECT_EQ(device.machine, name.machine);
  EXPECT_EQ(device.systemName, name.sysname);
  ASSERT_FALSE(device.systemVersion.empty());
  EXPECT_EQ(device.systemVersion.find_first_not_of("0123456789."), std::string::npos) << device.systemVersion;
  EXPECT_NE(device.systemVersion.back(), '.');
  EXPECT_EQ(std::string(name.release).rfind(device.systemVersion, 0), 0u);
  EXPECT_EQ(device.orientation, DeviceOrientation::portrait);
  EXPECT_EQ(device.userInterfaceIdiom, UserInterfaceIdiom::phone);
}

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
