// What a web view's delegates are told about a navigation: the navigation itself, the action that
// asks for it (with the request and the frame it targets) and the answer a delegate gives.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/net/request.h"

namespace web {

// One main-frame navigation, from its request to its end. load() returns it; page-initiated
// navigations (a link, a script, a redirect to another page) get their own.
struct Navigation {
  std::uint64_t id = 0;
  friend bool operator==(const Navigation&, const Navigation&) = default;
};

// The platform's raw values.
enum class NavigationType {
  linkActivated = 0,
  formSubmitted = 1,
  backForward = 2,
  reload = 3,
  formResubmitted = 4,
  other = -1,
};

enum class NavigationActionPolicy { cancel = 0, allow = 1 };

struct FrameInfo {
  bool isMainFrame = true;
};

struct NavigationAction {
  net::Request request;
  NavigationType navigationType = NavigationType::other;
  // None when the action opens a new window (a link with a target, window.open()).
  std::optional<FrameInfo> targetFrame;
  // Whether a user's tap (or a script run by evaluateJavaScript) started it.
  bool isUserGesture = false;
};

// What the page asked of a new window. Nothing is read from it yet; it is passed for the delegate's
// signature.
struct WindowFeatures {};

}  // namespace web
