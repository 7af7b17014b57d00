#include "platform/ui/device.h"

#include <sys/utsname.h>

#include <mutex>
#include <string_view>

namespace ui {
namespace {

std::string leadingVersion(std::string_view release) {
  const auto end = release.find_first_not_of("0123456789.");
  std::string_view version = release.substr(0, end);
  while (version.ends_with('.')) version.remove_suffix(1);
  return std::string(version);
}

struct Current {
  std::mutex mutex;
  Device device = Device::fromSystem();
};

Current& current() {
  static Current* state = new Current;
  return *state;
}

}  // namespace

Device Device::fromSystem() {
  Device device;
  device.model = "Phone";
  utsname name{};
  if (uname(&name) == 0) {
    device.systemName = name.sysname;
    device.systemVersion = leadingVersion(name.release);
    device.machine = name.machine;
  }
  return device;
}

Device Device::current() {
  auto& state = ui::current();
  std::lock_guard lock(state.mutex);
  return state.device;
}

void Device::setCurrent(Device device) {
  auto& state = ui::current();
  std::lock_guard lock(state.mutex);
  state.device = std::move(device);
}

void Device::update(const std::function<void(Device&)>& change) {
  auto& state = ui::current();
  std::lock_guard lock(state.mutex);
  change(state.device);
}

}  // namespace ui
