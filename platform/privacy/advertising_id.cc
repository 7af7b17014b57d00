#include "platform/privacy/advertising_id.h"

#include <mutex>

namespace privacy {
namespace {

struct State {
  std::mutex mutex;
  std::string id = AdvertisingId::kZero;
  bool trackingEnabled = false;
};

State& state() {
  static auto* s = new State;
  return *s;
}

}  // namespace

std::string AdvertisingId::advertisingIdentifier() {
  std::lock_guard lock(state().mutex);
  return state().id;
}

void AdvertisingId::setAdvertisingIdentifier(std::string id) {
  std::lock_guard lock(state().mutex);
  state().id = std::move(id);
}

bool AdvertisingId::isAdvertisingTrackingEnabled() {
  std::lock_guard lock(state().mutex);
  return state().trackingEnabled;
}

void AdvertisingId::setAdvertisingTrackingEnabled(bool enabled) {
  std::lock_guard lock(state().mutex);
  state().trackingEnabled = enabled;
}

}  // namespace privacy
