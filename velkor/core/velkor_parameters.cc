#include "velkor/core/velkor_parameters.h"

#include <mutex>
#include <optional>

#include "platform/ui/device.h"

namespace velkor {
namespace {

struct OsVer {
  std::mutex mutex;
  std::optional<std::string> value;
};

OsVer& osVerState() {
  static OsVer* state = new OsVer;
  return *state;
}

}  // namespace

std::string VelkorParameters::osVer() {
  auto& state = osVerState();
  std::lock_guard lock(state.mutex);
  if (!state.value) state.value = ui::Device::current().systemVersion;
  return *state.value;
}

void VelkorParameters::setOsVerForTesting(std::string osVer) {
  auto& state = osVerState();
  std::lock_guard lock(state.mutex);
  state.value = std::move(osVer);
}

}  // namespace velkor
