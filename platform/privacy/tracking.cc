#include "platform/privacy/tracking.h"

#include <mutex>

#include "platform/dispatch/queue.h"

namespace privacy {
namespace {

struct TrackingState {
  std::mutex mutex;
  TrackingStatus status = TrackingStatus::NotDetermined;
  Tracking::Prompt prompt;
  int requests = 0;
};

TrackingState& trackingState() {
  static auto* s = new TrackingState;
  return *s;
}

}  // namespace

TrackingStatus Tracking::status() {
  std::lock_guard lock(trackingState().mutex);
  return trackingState().status;
}

void Tracking::setStatus(TrackingStatus status) {
  std::lock_guard lock(trackingState().mutex);
  trackingState().status = status;
}

void Tracking::setPrompt(Prompt prompt) {
  std::lock_guard lock(trackingState().mutex);
  trackingState().prompt = std::move(prompt);
}

void Tracking::requestAuthorization(std::function<void(TrackingStatus)> completion) {
  Prompt prompt;
  {
    std::lock_guard lock(trackingState().mutex);
    ++trackingState().requests;
    if (trackingState().status == TrackingStatus::NotDetermined) prompt = trackingState().prompt;
  }
  // The prompt runs outside the lock: it may read the status itself.
  if (prompt) setStatus(prompt());
  dispatch::global()->async([completion = std::move(completion), answer = status()] {
    if (completion) completion(answer);
  });
}

int Tracking::requestCount() {
  std::lock_guard lock(trackingState().mutex);
  return trackingState().requests;
}

void Tracking::reset() {
  std::lock_guard lock(trackingState().mutex);
  trackingState().status = TrackingStatus::NotDetermined;
  trackingState().prompt = nullptr;
  trackingState().requests = 0;
}

}  // namespace privacy
