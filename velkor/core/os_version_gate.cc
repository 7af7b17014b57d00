#include "velkor/core/os_version_gate.h"

#include <string>

#include "platform/ui/device.h"
#include "velkor/core/version.h"

namespace velkor {

bool isOsVersionAtLeast(std::string_view version) {
  static const ui::Device* machine = new ui::Device(ui::Device::fromSystem());
  const auto device = ui::Device::current();
  if (device.systemName == machine->systemName && device.systemVersion == machine->systemVersion) return true;
  return Version(device.systemVersion).compare(Version(std::string(version))) >= 0;
}

}  // namespace velkor
