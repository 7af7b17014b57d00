// Tracking authorisation: a status the host or a test sets, and the request a screen makes. On a
// phone the system would prompt while the status is undetermined; here the host decides what the
// prompt answers (by default it leaves the status undetermined).
#pragma once

#include <functional>

namespace privacy {

enum class TrackingStatus { NotDetermined = 0, Restricted = 1, Denied = 2, Authorized = 3 };

class Tracking {
 public:
  using Prompt = std::function<TrackingStatus()>;

  static TrackingStatus status();
  static void setStatus(TrackingStatus status);

  // What the user answers to a prompt; asked only while the status is undetermined.
  static void setPrompt(Prompt prompt);

  // Resolves the status (prompting while it is undetermined) and calls the completion with it on
  // the global queue, never on the caller's stack.
  static void requestAuthorization(std::function<void(TrackingStatus)> completion);

  // How many requests were made: a host's or a test's view of how often the SDK asked.
  static int requestCount();
  // Back to undetermined, no prompt, no requests counted.
  static void reset();
};

}  // namespace privacy
