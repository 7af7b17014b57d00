#include "velkor/core/user_profile.h"

#include <mutex>

namespace velkor {
namespace {

struct State {
  std::mutex mutex;
  std::optional<std::string> uid;
};

State& state() {
  static auto* s = new State;
  return *s;
}

}  // namespace

std::optional<std::string> UserProfile::uid() {
  std::lock_guard lock(state().mutex);
  return state().uid;
}

void UserProfile::setUid(std::optional<std::string> uid) {
  std::lock_guard lock(state().mutex);
  state().uid = std::move(uid);
}

}  // namespace velkor
