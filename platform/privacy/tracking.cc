#include "platform/privacy/tracking.h"

#include <mutex>

#include "platform/dispatch/queue.h"

namespace privacy {
namespace {

struct State {
  std::mutex mutex;
  TrackingStatus status = TrackingStatus::NotDetermined;
  Tracking::Prompt prompt;
  int requests = 0;
};

State& state() {
  static auto* s = new State;
  return *s;
}

}  // namespace

TrackingStatus Tracking::status() {
  std::lock_guard lock(state().mutex);
  return state().status;
}

void Tracking::setStatus(TrackingStatus status) {
  std::lock_guard lock(state().mutex);
  state().status = status;
}

void Tracking::setPrompt(Prompt prompt) {
  std::lock_guard lock(state().mutex);
  state().prompt = std::move(prompt);
}

void Tracking::requestAuthorization(std::function<void(TrackingStatus)> completion) {
  Prompt prompt;
  {
    std::lock_guard lock(state().mutex);
    ++state().requests;
    if (state().status == TrackingStatus::NotDetermined) prompt = state().prompt;
  }
  // The prompt runs outside the lock: it may read the status itself.
  if (prompt) setStatus(prompt());
  dispatch::global()->async([completion = std::move(completion), answer = status()] {
    if (completion) completion(answer);
  });
}

int Tracking::requestCount() {
  std::lock_guard lock(state().mutex);
  return state().requests;
}

void Tracking::reset() {
  std::lock_guard lock(state().mutex);
  state().status = TrackingStatus::NotDetermined;
  state().prompt = nullptr;
  state().requests = 0;
}

}  // namespace privacy
